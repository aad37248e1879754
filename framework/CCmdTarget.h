// CCmdTarget and message maps: per-class tables that bind window messages and command
// notifications to member handlers, each table chained to its base class's table.
#pragma once

#include "CObject.h"

#include <windows.h>

class CCmdTarget;

// One binding. Messages nMessage..nLastMessage; for WM_COMMAND also the notification code and
// the control identifier. The thunk casts the target back to the class that declared the entry.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nLastMessage;
    UINT nCode;
    UINT nID;
    LRESULT (*pfnThunk)(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam);
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Finds the first entry for the message (and, for WM_COMMAND, code and id) in this class's
    // table or, failing that, in its base classes' tables.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;

    // Runs the handler bound to a command notification; false when none is bound.
    BOOL OnCmdMsg(UINT id, UINT code, LRESULT* result);

    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();
};

#define DECLARE_MESSAGE_MAP()                                                                                \
public:                                                                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();                                                            \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                                      \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                                        \
        using ThisClass [[maybe_unused]] = theClass;                                                         \
        using TheBaseClass = baseClass;                                                                      \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    { 0, 0, 0, 0, nullptr }                                                                                  \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};                               \
    return &map;                                                                                             \
    }

#define AFX_THIS(t) static_cast<ThisClass*>(t)

// Command notifications from controls and menus.
#define ON_COMMAND(id, memberFxn)                                                                            \
    {WM_COMMAND, WM_COMMAND, 0, static_cast<UINT>(id), [](CCmdTarget* t, UINT, WPARAM, LPARAM) -> LRESULT {  \
         (AFX_THIS(t)->*(memberFxn))();                                                                      \
         return 0;                                                                                           \
     }},
#define ON_CONTROL(code, id, memberFxn)                                                                      \
    {WM_COMMAND, WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id),                                 \
     [](CCmdTarget* t, UINT, WPARAM, LPARAM) -> LRESULT {                                                    \
         (AFX_THIS(t)->*(memberFxn))();                                                                      \
         return 0;                                                                                           \
     }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)

// A message with a handler of the form LRESULT Handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                                       \
    {static_cast<UINT>(message), static_cast<UINT>(message), 0, 0,                                           \
     [](CCmdTarget* t, UINT, WPARAM w, LPARAM l) -> LRESULT { return (AFX_THIS(t)->*(memberFxn))(w, l); }},

#define AFX_ON_MSG(message, body)                                                                            \
    {message, message, 0, 0, [](CCmdTarget* t, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {              \
         (void)wParam;                                                                                       \
         (void)lParam;                                                                                       \
         body                                                                                                \
     }},

#define ON_WM_PAINT() AFX_ON_MSG(WM_PAINT, AFX_THIS(t)->OnPaint(); return 0;)
#define ON_WM_SYSCOMMAND()                                                                                   \
    AFX_ON_MSG(WM_SYSCOMMAND, AFX_THIS(t)->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0;)
#define ON_WM_QUERYDRAGICON()                                                                                \
    AFX_ON_MSG(WM_QUERYDRAGICON, return reinterpret_cast<LRESULT>(AFX_THIS(t)->OnQueryDragIcon());)
#define ON_WM_SIZE()                                                                                         \
    AFX_ON_MSG(WM_SIZE, AFX_THIS(t)->OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),   \
                                            static_cast<short>(HIWORD(lParam)));                             \
               return 0;)
#define ON_WM_CREATE()                                                                                       \
    AFX_ON_MSG(WM_CREATE, return AFX_THIS(t)->OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam));)
#define ON_WM_ERASEBKGND()                                                                                   \
    AFX_ON_MSG(WM_ERASEBKGND,                                                                                \
               return AFX_THIS(t)->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)
#define AFX_ON_MOUSE(message, handler)                                                                       \
    AFX_ON_MSG(message, AFX_THIS(t)->handler(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_MOUSEMOVE() AFX_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_MOUSEHOVER() AFX_ON_MOUSE(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_MOUSELEAVE() AFX_ON_MSG(WM_MOUSELEAVE, AFX_THIS(t)->OnMouseLeave(); return 0;)

// Every control-colour request, WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC; nCtlColor is CTLCOLOR_*.
#define ON_WM_CTLCOLOR()                                                                                     \
    {WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0, [](CCmdTarget* t, UINT m, WPARAM w, LPARAM l) -> LRESULT {  \
         return reinterpret_cast<LRESULT>(                                                                   \
             AFX_THIS(t)->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(w)),                              \
                                     CWnd::FromHandle(reinterpret_cast<HWND>(l)), m - WM_CTLCOLORMSGBOX));   \
     }},
