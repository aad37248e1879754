// CStaticLink: owner-drawn link text, hand cursor and hover tracking, tooltip, opening the target.
#include "StaticLink.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

void SetCursorIfLoaded(LPCWSTR cursorId) {
    if (const HCURSOR cursor = ::LoadCursorW(nullptr, cursorId))
        ::SetCursor(cursor);
}

} // namespace

IMPLEMENT_DYNAMIC(CStaticLink, CStatic)

CStaticLink::ShellExecuteFn CStaticLink::s_pfnShellExecute = &::ShellExecuteW;

BEGIN_MESSAGE_MAP(CStaticLink, CStatic)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSELEAVE()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CString CStaticLink::GetTarget() const {
    if (!m_strURL.IsEmpty())
        return m_strURL;
    CString text;
    GetWindowText(text);
    return text;
}

void CStaticLink::PreSubclassWindow() {
    // SS_NOTIFY gives the static mouse input; SS_OWNERDRAW routes its painting to DrawItem.
    ModifyStyle(0, SS_NOTIFY | SS_OWNERDRAW);
    m_toolTip.Create(this, 0);
    // The tooltip keeps its own copy: later text changes do not reach it.
    m_toolTip.AddTool(this, GetTarget());
    CStatic::PreSubclassWindow();
}

BOOL CStaticLink::PreTranslateMessage(MSG* pMsg) {
    m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CStaticLink::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CString text;
    GetWindowText(text);
    CDC dc;
    dc.Attach(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    HGDIOBJ font = m_font.GetSafeHandle();
    if (!font)
        font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    // With neither font the context's current one stays selected (SelectObject ignores null).
    const HGDIOBJ oldFont = dc.SelectObject(font);
    const COLORREF oldColour = dc.SetTextColor(m_crText);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    // No DT_NOPREFIX: an ampersand underlines the next character.
    dc.DrawText(text, rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColour);
    dc.SelectObject(oldFont);
    dc.Detach();
}

BOOL CStaticLink::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    CBrush brush;
    brush.CreateSolidBrush(m_crBack);
    ::FillRect(pDC->GetSafeHdc(), &client, brush);
    return TRUE;
}

void CStaticLink::OnLButtonDown(UINT nFlags, CPoint point) {
    CStatic::OnLButtonDown(nFlags, point);
}

void CStaticLink::OnMouseLeave() {
    SetCursorIfLoaded(IDC_ARROW);
    m_bTracking = FALSE;
    CStatic::OnMouseLeave();
}

void CStaticLink::OnMouseMove(UINT nFlags, CPoint point) {
    SetCursorIfLoaded(IDC_HAND);
    // Armed once until the leave; a failed call is retried at the next move.
    if (!m_bTracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_bTracking = ::_TrackMouseEvent(&track);
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CStaticLink::OnMouseHover(UINT nFlags, CPoint point) {
    SetCursorIfLoaded(IDC_HAND);
    CStatic::OnMouseHover(nFlags, point);
}

void CStaticLink::OnLButtonUp(UINT nFlags, CPoint point) {
    const CString target = GetTarget();
    // The shell's answer is not examined: a missing browser or a bad target shows nothing.
    if (m_bFollowLink)
        s_pfnShellExecute(nullptr, L"open", target, nullptr, nullptr, SW_SHOWDEFAULT);
    CStatic::OnLButtonUp(nFlags, point);
}
