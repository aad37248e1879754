// CStaticLink: a static text control drawn as a web link in its owner's colours and font, with
// the hand cursor, a tooltip naming the target, and the shell's "open" on a left-button release.
#pragma once

#include "CCmdTarget.h"
#include "CDC.h"
#include "CGdiObject.h"
#include "CStatic.h"
#include "CString.h"
#include "CToolTipCtrl.h"
#include "Geometry.h"

#include <windows.h>

class CStaticLink : public CStatic {
    DECLARE_DYNAMIC(CStaticLink)
public:
    CStaticLink() = default;

    // Binding makes the control notify and owner-drawn (the template's static must be a plain
    // left-aligned one, since the owner-draw type is ored in) and fixes the tooltip's text:
    // m_strURL when set, else the window text at this moment.
    void PreSubclassWindow() override;
    // Relays every message to the tooltip, which watches the mouse only through this relay.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Draws the window text, one line, left-aligned and vertically centred, in m_crText and
    // m_font; without a font of the owner's, in the control's own font (WM_GETFONT).
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

    // The shell call that opens a target; the shell's ShellExecuteW unless a test replaces it.
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    static ShellExecuteFn s_pfnShellExecute;

    // Set by the owner after binding, before the first paint.
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBack = RGB(0, 0, 0);
    CFont m_font;
    bool m_bFollowLink = false;

protected:
    BOOL m_bTracking = FALSE;
    CToolTipCtrl m_toolTip;

public:
    // The link target; when empty, the control's window text at the moment of the click.
    CString m_strURL;

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseHover(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    CString GetTarget() const;
};
