// CImageStrip: frame geometry of a PNG strip and alpha-blended drawing of one frame.
#include "ImageStrip.h"

#include <objidl.h>
#include <gdiplus.h>

CImageStrip::CImageStrip() = default;
CImageStrip::~CImageStrip() = default;

CSize CImageStrip::GetFrameSize() const {
    if (!m_pImage || m_nFrames <= 0)
        return CSize(0, 0);
    // The GDI+ accessors answer 0 when the query fails.
    const UINT width = m_pImage->GetWidth() / static_cast<UINT>(m_nFrames);
    const UINT height = m_pImage->GetHeight();
    return CSize(static_cast<int>(width), static_cast<int>(height));
}

void CImageStrip::DrawFrame(int nIndex, HDC hdc, int x, int y) const {
    if (nIndex < 0 || nIndex >= m_nFrames || !m_pImage)
        return;
    const CSize frame = GetFrameSize();
    // Default GDI+ settings: the frame is blended over what hdc holds by its alpha channel. A
    // surface or draw that fails draws nothing.
    Gdiplus::Graphics graphics(hdc);
    graphics.DrawImage(
        m_pImage.get(),
        Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y),
                       static_cast<Gdiplus::REAL>(frame.cx), static_cast<Gdiplus::REAL>(frame.cy)),
        static_cast<Gdiplus::REAL>(nIndex * frame.cx), 0.0f, static_cast<Gdiplus::REAL>(frame.cx),
        static_cast<Gdiplus::REAL>(frame.cy), Gdiplus::UnitPixel);
}
