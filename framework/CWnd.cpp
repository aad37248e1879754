// Window binding, message routing, the modal loop and the window helpers of CWnd.
#include "CWnd.h"

#include "AfxState.h"
#include "CMenu.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

AfxCreateHook::AfxCreateHook(CWnd* wnd) : m_previous(afx::GetThreadState().pWndInit) {
    afx::ThreadState& state = afx::GetThreadState();
    state.pWndInit = wnd;
    if (!state.hCreateHook) {
        state.hCreateHook =
            ::SetWindowsHookExW(WH_CBT, &AfxCreateHook::Filter, nullptr, ::GetCurrentThreadId());
        m_installed = state.hCreateHook != nullptr;
    }
}

AfxCreateHook::~AfxCreateHook() {
    afx::ThreadState& state = afx::GetThreadState();
    if (m_installed) {
        ::UnhookWindowsHookEx(state.hCreateHook);
        state.hCreateHook = nullptr;
    }
    state.pWndInit = m_previous;
}

LRESULT CALLBACK AfxCreateHook::Filter(int code, WPARAM wParam, LPARAM lParam) {
    afx::ThreadState& state = afx::GetThreadState();
    if (code == HCBT_CREATEWND && state.pWndInit) {
        const HWND wnd = reinterpret_cast<HWND>(wParam);
        // The system may make its input-method window first; that one is not ours.
        wchar_t className[16] = {};
        ::GetClassNameW(wnd, className, 16);
        if (::lstrcmpiW(className, L"IME") != 0) {
            CWnd* object = state.pWndInit;
            state.pWndInit = nullptr;
            object->HookAtCreation(wnd);
        }
    }
    return ::CallNextHookEx(state.hCreateHook, code, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = afx::LookupWindow(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    const MSG current{hwnd, message, wParam, lParam, 0, {0, 0}};
    const MSG* previous = wnd->m_pCurrentMsg;
    wnd->m_pCurrentMsg = &current;
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    wnd->m_pCurrentMsg = previous;
    if (message == WM_NCDESTROY)
        wnd->OnFinalDestroy();
    return result;
}

CWnd::~CWnd() {
    if (!m_hWnd)
        return;
    if (m_bCreatedHere && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    if (m_hWnd)
        UnsubclassWindow();
}

CWnd* CWnd::FromHandle(HWND wnd) {
    if (CWnd* bound = FromHandlePermanent(wnd))
        return bound;
    return afx::TemporaryWindow(wnd);
}

CWnd* CWnd::FromHandlePermanent(HWND wnd) {
    return wnd ? afx::LookupWindow(wnd) : nullptr;
}

BOOL CWnd::Attach(HWND wnd) {
    if (!wnd || m_hWnd || afx::LookupWindow(wnd))
        return FALSE;
    m_hWnd = wnd;
    afx::MapWindow(wnd, this);
    if (CWinApp* app = AfxGetApp())
        app->m_pMainWnd.Publish(this, wnd);
    return TRUE;
}

HWND CWnd::Detach() {
    const HWND wnd = m_hWnd;
    if (!wnd)
        return nullptr;
    afx::UnmapWindow(wnd);
    m_hWnd = nullptr;
    if (CWinApp* app = AfxGetApp())
        app->m_pMainWnd.Publish(this, nullptr);
    return wnd;
}

BOOL CWnd::SubclassWindow(HWND wnd) {
    if (!Attach(wnd))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    if (!m_hWnd)
        return nullptr;
    // Only undo our own subclassing; a later subclasser keeps its place in the chain.
    if (m_pfnSuper && ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::HookAtCreation(HWND wnd) {
    Attach(wnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
}

void CWnd::OnFinalDestroy() {
    m_pfnSuper = nullptr;
    m_bCreatedHere = false;
    Detach();
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param) {
    if (m_hWnd)
        return FALSE;
    HWND created = nullptr;
    {
        const AfxCreateHook hook(this);
        created = ::CreateWindowExW(
            exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
            rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AfxGetInstanceHandle(), param);
    }
    if (!created || m_hWnd != created)
        return FALSE;
    m_bCreatedHere = true;
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    const HWND wnd = m_hWnd;
    if (!wnd)
        return FALSE;
    const BOOL result = ::DestroyWindow(wnd);
    // A window bound without subclassing never sends us its WM_NCDESTROY.
    if (m_hWnd == wnd && !::IsWindow(wnd))
        Detach();
    return result;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND)
        return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), result);
    if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0)) {
        *result = entry->pfnThunk(this, message, wParam, lParam);
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU) {
            if (CWnd* control = FromHandlePermanent(item->hwndItem))
                return control->OnChildNotify(message, wParam, lParam, result);
        }
    }
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    if (!m_pCurrentMsg)
        return 0;
    return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}
CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}
void CWnd::SetWindowText(LPCWSTR text) {
    ::SetWindowTextW(m_hWnd, text);
}

void CWnd::GetWindowText(CString& text) const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::ShowWindow(int command) {
    return ::ShowWindow(m_hWnd, command);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}
void CWnd::GetWindowRect(LPRECT rect) const {
    ::GetWindowRect(m_hWnd, rect);
}
void CWnd::ScreenToClient(LPPOINT point) const {
    ::ScreenToClient(m_hWnd, point);
}
void CWnd::ClientToScreen(LPPOINT point) const {
    ::ClientToScreen(m_hWnd, point);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::ClientToScreen(LPRECT rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::Invalidate(BOOL erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}
void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}
DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const {
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    HWND centreOn = alternateOwner ? alternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (centreOn && (!::IsWindowVisible(centreOn) || ::IsIconic(centreOn)))
        centreOn = nullptr;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(centreOn ? centreOn : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const CRect work(monitor.rcWork);
    CRect target = work;
    if (centreOn)
        ::GetWindowRect(centreOn, &target);
    CRect self;
    GetWindowRect(&self);
    int x = target.left + (target.Width() - self.Width()) / 2;
    int y = target.top + (target.Height() - self.Height()) / 2;
    // Keep the window on its monitor's work area; a window larger than it is aligned top-left.
    if (x + self.Width() > work.right)
        x = work.right - self.Width();
    if (y + self.Height() > work.bottom)
        y = work.bottom - self.Height();
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::EnableToolTips(BOOL) {
    return TRUE;
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
    const CString appName = caption ? CString() : AfxGetAppName();
    return ::MessageBoxW(m_hWnd, text, caption ? caption : appName.GetString(), type);
}

namespace {

// Gives the message to PreTranslateMessage of each bound window from its target up to the
// loop's window, which always sees it last.
BOOL PreTranslateForLoop(CWnd* loopWnd, MSG* msg) {
    for (HWND wnd = msg->hwnd; wnd && wnd != loopWnd->m_hWnd; wnd = ::GetParent(wnd)) {
        if (CWnd* bound = CWnd::FromHandlePermanent(wnd); bound && bound->PreTranslateMessage(msg))
            return TRUE;
    }
    return loopWnd->PreTranslateMessage(msg);
}

} // namespace

int CWnd::RunModalLoop() {
    bool shown = IsWindowVisible() != FALSE;
    MSG msg{};
    while (m_bContinueModal) {
        if (!shown && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ShowWindow(SW_SHOWNORMAL);
            UpdateWindow();
            shown = true;
        }
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        afx::GetThreadState().lastModalMsg = msg;
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = -1;
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslateForLoop(this, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_bContinueModal = false;
    return m_nModalResult;
}

void CWnd::EndModalLoop(int result) {
    m_nModalResult = result;
    if (m_bContinueModal) {
        m_bContinueModal = false;
        // Wake the loop if it is waiting for a message.
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    }
}
