// Internal state of the class library: the map of bound windows (process-wide) and, per
// thread, the window being created, the last message a modal loop retrieved, and the
// borrowed wrappers handed out by the FromHandle functions.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

class CWnd;
class CGdiObject;
class CBitmap;
class CFont;
class CDC;
class CMenu;

namespace afx {

void MapWindow(HWND wnd, CWnd* object);
void UnmapWindow(HWND wnd);
CWnd* LookupWindow(HWND wnd);

struct ThreadState {
    CWnd* pWndInit = nullptr;
    HHOOK hCreateHook = nullptr;
    MSG lastModalMsg{};
};
ThreadState& GetThreadState();

// Borrowed wrappers, one per handle and thread, kept for the thread's life. They only carry the
// handle, so a wrapper whose handle was destroyed and reused still wraps the right value.
CWnd* TemporaryWindow(HWND wnd);
CGdiObject* TemporaryGdiObject(HGDIOBJ object);
CBitmap* TemporaryBitmap(HBITMAP bitmap);
CFont* TemporaryFont(HFONT font);
CDC* TemporaryDC(HDC dc);
CMenu* TemporaryMenu(HMENU menu);

} // namespace afx

// While alive, binds the first window created on this thread to the object being created,
// before the window sees its first message, so that creation messages reach the message map.
struct AfxCreateHook {
    explicit AfxCreateHook(CWnd* wnd);
    ~AfxCreateHook();
    AfxCreateHook(const AfxCreateHook&) = delete;
    AfxCreateHook& operator=(const AfxCreateHook&) = delete;
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);

    CWnd* m_previous;
    bool m_installed = false;
};
