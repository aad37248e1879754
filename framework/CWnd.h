// CWnd: a C++ object bound to a window handle. Bound windows (subclassed, or created through
// CreateEx) route their messages through the class's message map; the rest fall through to the
// window's original procedure (Default). Borrowed wrappers from FromHandle route nothing.
#pragma once

#include "CCmdTarget.h"
#include "CDC.h"
#include "CString.h"
#include "Geometry.h"

#include <windows.h>

class CMenu;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    // A window this object created is destroyed; a subclassed one gets its procedure back.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The bound object of a window, else a borrowed wrapper of the calling thread; null for null.
    static CWnd* FromHandle(HWND wnd);
    // The bound object of a window, or null.
    static CWnd* FromHandlePermanent(HWND wnd);

    // Binds an existing window without taking over its procedure.
    BOOL Attach(HWND wnd);
    HWND Detach();
    // Binds an existing window and routes its messages through this object; runs
    // PreSubclassWindow first. Fails for a null or already bound handle.
    BOOL SubclassWindow(HWND wnd);
    HWND UnsubclassWindow();

    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL DestroyWindow();

    virtual void PreSubclassWindow() {}
    // Called by the modal loop for each message before it is dispatched; true consumes it.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A parent hands owner-draw requests back to the control they concern.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Runs the window's original procedure on the message being handled.
    LRESULT Default();

    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    void SetWindowText(LPCWSTR text);
    void GetWindowText(CString& text) const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL ShowWindow(int command);
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();
    DWORD GetStyle() const;
    // Removes then adds style bits; flags, when given, go to SetWindowPos (frame changes).
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    CMenu* GetSystemMenu(BOOL revert) const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    void CenterWindow(CWnd* alternateOwner = nullptr);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The library's hit-test tool tips take their texts from string resources named by control
    // identifiers; the program supplies none, so turning them on shows nothing extra.
    BOOL EnableToolTips(BOOL enable = TRUE);
    // A message box owned by this window; with no caption, the application's name is used.
    int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK);

    // Modal loop over this window: runs until EndModalLoop or until it retrieves WM_QUIT, which
    // it posts again so that an enclosing loop ends too. Shows the window the first time the
    // queue is empty. Returns the code given to EndModalLoop, or -1 after a quit.
    int RunModalLoop();
    void EndModalLoop(int result);

    DECLARE_MESSAGE_MAP()

protected:
    // Handlers for derived maps; each lets the window's original procedure do its work.
    void OnPaint() { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnMouseHover(UINT, CPoint) { Default(); }
    void OnMouseLeave() { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    int OnCreate(LPCREATESTRUCTW) { return static_cast<int>(Default()); }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

    // Looks the message up in the map (and hands owner-draw requests to their control).
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
    bool m_bCreatedHere = false;
    bool m_bContinueModal = false;
    int m_nModalResult = -1;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend struct AfxCreateHook;
    void HookAtCreation(HWND wnd);
    void OnFinalDestroy();

    const MSG* m_pCurrentMsg = nullptr;
};

LRESULT CALLBACK AfxWndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
