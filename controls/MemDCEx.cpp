// CMemDCEx: off-screen drawing over one rectangle, copied to its target at the end of the scope.
#include "MemDCEx.h"

#include <new>

CMemDCEx::CMemDCEx(CDC* pTargetDC, const RECT& rect) : m_pTargetDC(pTargetDC), m_rect(rect) {
    if (!CreateCompatibleDC(m_pTargetDC)) {
        m_bValid = FALSE;
        return;
    }
    m_pBitmap.reset(new (std::nothrow) CBitmap);
    // A reversed rectangle covers nothing; GDI would otherwise make a bitmap of its absolute size.
    if (!m_pBitmap || m_rect.Width() < 0 || m_rect.Height() < 0 ||
        !m_pBitmap->CreateCompatibleBitmap(m_pTargetDC, m_rect.Width(), m_rect.Height())) {
        m_bValid = FALSE;
        return;
    }
    m_pOldBitmap = SelectObject(m_pBitmap.get());
    if (!m_pOldBitmap)
        m_bValid = FALSE;
}

CMemDCEx::~CMemDCEx() {
    // Without its own bitmap the context holds the stock 1 x 1 one, whose pixel must not reach
    // the target.
    if (m_bValid)
        m_pTargetDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, 0, 0, SRCCOPY);
    if (m_pOldBitmap)
        SelectObject(m_pOldBitmap);
    // m_pBitmap, now deselected, deletes its bitmap next; the base then deletes the context.
}
