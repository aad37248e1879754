// CObject and CRuntimeClass: the root of the class hierarchy and its run-time class names.
#pragma once

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
};

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
    static const CRuntimeClass classCObject;
};

// In a class body: the class answers GetRuntimeClass with its own name.
#define DECLARE_DYNAMIC(theClass)                                                                            \
public:                                                                                                      \
    static const CRuntimeClass class##theClass;                                                              \
    const CRuntimeClass* GetRuntimeClass() const override {                                                  \
        return &class##theClass;                                                                             \
    }

#define IMPLEMENT_DYNAMIC(theClass, baseClass)                                                               \
    const CRuntimeClass theClass::class##theClass = {#theClass, &baseClass::class##baseClass};

#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)
