// CAlphaButton: frame choice, pointer tracking, background snapshot and off-screen repaint.
#include "AlphaButton.h"

#include "BitmapHelpers.h"
#include "MemDCEx.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

namespace {

constexpr int kFrameCount = 3;
// An index past the strip's frames: only the snapshot shows.
constexpr int kDisabledFrame = 3;

// GDI+ objects come from GdipAlloc, which answers null when out of memory; a plain new
// expression would construct into that null, so allocate first and construct in place.
std::unique_ptr<Gdiplus::Image> NewImageFromFile(const wchar_t* path) {
    void* memory = Gdiplus::DllExports::GdipAlloc(sizeof(Gdiplus::Image));
    if (!memory)
        return nullptr;
    // Decoded without the file's embedded colour management.
    return std::unique_ptr<Gdiplus::Image>(::new (memory) Gdiplus::Image(path, FALSE));
}

} // namespace

BEGIN_MESSAGE_MAP(CAlphaButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_MOUSEHOVER()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDOWN()
ON_WM_ERASEBKGND()
ON_WM_CREATE()
END_MESSAGE_MAP()

CAlphaButton::~CAlphaButton() {
    ReleaseImage();
}

void CAlphaButton::ReleaseImage() {
    if (m_hBackground) {
        ::DeleteObject(m_hBackground);
        m_hBackground = nullptr;
    }
    m_image.m_pImage.reset();
    m_image.m_nFrames = 0;
}

BOOL CAlphaButton::LoadImageFile(const wchar_t* path) {
    ReleaseImage();
    m_image.m_pImage = NewImageFromFile(path);
    if (!m_image.m_pImage)
        return FALSE;
    m_image.m_nFrames = kFrameCount;
    // A missing or undecodable file still gives an image object, of size 0 x 0, so the snapshot
    // below cannot be made and the load fails there.
    const CSize frame = m_image.GetFrameSize();
    BOOL loaded = FALSE;
    {
        CClientDC dc(m_hWnd ? this : nullptr);
        if (dc.GetSafeHdc()) {
            void* bits = nullptr;
            m_hBackground = CreateDib32(frame.cx, frame.cy, &dc, &bits);
            loaded = m_hBackground != nullptr;
        }
    }
    // On failure the image object stays: a missing or undecodable file measures 0 x 0, and the
    // dialog's layout sizes the button from it. Without a snapshot the button draws nothing.
    return loaded;
}

void CAlphaButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
}

void CAlphaButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const int saved = pDC->SaveDC();
    const CRect item(lpDIS->rcItem);
    const bool selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const bool disabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    // A press made from the keyboard while the pointer is elsewhere keeps the normal frame.
    int nIndex = 0;
    if (m_bHover)
        nIndex = selected ? 2 : disabled ? kDisabledFrame : 1;
    else
        nIndex = disabled ? kDisabledFrame : 0;
    const CPoint origin = item.TopLeft();
    DrawImage(pDC, nIndex, &origin, TRUE);
    pDC->RestoreDC(saved);
}

void CAlphaButton::DrawImage(CDC* pDC, int nIndex, const POINT* pOrigin, BOOL bOwnPaint) {
    if (!IsWindowVisible())
        return;
    if (!IsWindowEnabled())
        nIndex = kDisabledFrame;
    if (!m_hBackground)
        return;
    CDC snapshotDC;
    if (!snapshotDC.CreateCompatibleDC(pDC))
        return;
    const HGDIOBJ hOld = snapshotDC.SelectObject(m_hBackground);
    if (!hOld)
        return;
    if (!bOwnPaint) {
        BITMAP info{};
        ::GetObjectW(m_hBackground, sizeof(info), &info);
        snapshotDC.BitBlt(0, 0, info.bmWidth, info.bmHeight, pDC, pOrigin->x, pOrigin->y, SRCCOPY);
        snapshotDC.SelectObject(hOld);
        m_image.DrawFrame(nIndex, pDC->GetSafeHdc(), pOrigin->x, pOrigin->y);
        return;
    }
    CRect client;
    GetClientRect(&client);
    CMemDCEx memDC(pDC, client);
    if (memDC.m_bValid) {
        memDC.BitBlt(client.left, client.top, client.Width(), client.Height(), &snapshotDC, 0, 0, SRCCOPY);
        m_image.DrawFrame(nIndex, memDC.GetSafeHdc(), pOrigin->x, pOrigin->y);
    }
    snapshotDC.SelectObject(hOld);
}

void CAlphaButton::OnMouseMove(UINT nFlags, CPoint point) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_bTracking = ::_TrackMouseEvent(&track);
    }
    CButton::OnMouseMove(nFlags, point);
}

void CAlphaButton::OnMouseLeave() {
    m_bHover = FALSE;
    m_bTracking = FALSE;
    Invalidate(TRUE);
}

void CAlphaButton::OnMouseHover(UINT, CPoint) {
    m_bHover = TRUE;
    Invalidate();
}

void CAlphaButton::OnLButtonUp(UINT nFlags, CPoint point) {
    m_bHover = TRUE;
    Invalidate();
    CButton::OnLButtonUp(nFlags, point);
}

void CAlphaButton::OnLButtonDown(UINT nFlags, CPoint point) {
    m_bHover = TRUE;
    Invalidate();
    CButton::OnLButtonDown(nFlags, point);
}

BOOL CAlphaButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

int CAlphaButton::OnCreate(LPCREATESTRUCTW lpCreateStruct) {
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Without an image there is no frame size to take: the button keeps the size it was made with.
    if (!m_image.m_pImage)
        return 0;
    const CSize frame = m_image.GetFrameSize();
    CWnd* pParent = GetParent();
    if (!pParent)
        return 0;
    CRect rect;
    GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    MoveWindow(rect.left, rect.top, frame.cx, frame.cy, TRUE);
    return 0;
}
