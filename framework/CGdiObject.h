// CGdiObject and its kinds (CBitmap, CFont, CBrush): owners of one GDI object each. An owner
// deletes its object when destroyed; FromHandle gives a borrowed wrapper that never deletes.
#pragma once

#include "CObject.h"

#include <windows.h>

class CDC;

class CGdiObject : public CObject {
public:
    CGdiObject() = default;
    ~CGdiObject() override;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of an object; fails when this wrapper already holds one.
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, void* buffer) const;

    // A wrapper of the calling thread that borrows the handle; null for a null handle.
    static CGdiObject* FromHandle(HGDIOBJ object);
};

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    int GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof(BITMAP), bitmap); }
    static CBitmap* FromHandle(HBITMAP bitmap);
};

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONTW* logFont);
    int GetLogFont(LOGFONTW* logFont) const { return GetObject(sizeof(LOGFONTW), logFont); }
    static CFont* FromHandle(HFONT font);
};

class CBrush : public CGdiObject {
public:
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF colour);
};
