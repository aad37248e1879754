// Tool-tip windows of the common controls.
#include "CToolTipCtrl.h"

namespace {

// The tool of window wnd: with id 0 the window itself, identified by its handle and known to
// its parent; otherwise an area of wnd with that id.
TTTOOLINFOW MakeToolInfo(CWnd* wnd, UINT_PTR toolId) {
    TTTOOLINFOW info{};
    // The version-2 size is understood by every common-controls version.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    if (toolId == 0) {
        info.hwnd = ::GetParent(wnd->m_hWnd);
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
    } else {
        info.hwnd = wnd->m_hWnd;
        info.uId = toolId;
    }
    return info;
}

} // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, RECT{0, 0, 0, 0}, parent, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCWSTR text, LPCRECT toolRect, UINT_PTR toolId) {
    if (!m_hWnd || !wnd)
        return FALSE;
    TTTOOLINFOW info = MakeToolInfo(wnd, toolId);
    if (toolRect)
        info.rect = *toolRect;
    info.lpszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::Activate(BOOL activate) {
    if (m_hWnd)
        SendMessage(TTM_ACTIVATE, activate);
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
    if (m_hWnd)
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

void CToolTipCtrl::GetText(CString& text, CWnd* wnd, UINT_PTR toolId) const {
    text.Empty();
    if (!m_hWnd || !wnd)
        return;
    constexpr int capacity = 1024;
    TTTOOLINFOW info = MakeToolInfo(wnd, toolId);
    info.lpszText = text.GetBuffer(capacity);
    info.lpszText[0] = L'\0';
    SendMessage(TTM_GETTEXTW, capacity, reinterpret_cast<LPARAM>(&info));
    text.ReleaseBuffer();
}

int CToolTipCtrl::GetToolCount() const {
    return m_hWnd ? static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)) : 0;
}
