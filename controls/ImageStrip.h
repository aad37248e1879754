// CImageStrip: a decoded PNG strip of equal frames side by side, drawn one frame at a time with
// its alpha channel by GDI+.
#pragma once

#include "Geometry.h"

#include <windows.h>

#include <memory>

namespace Gdiplus {
class Image;
}

class CImageStrip {
public:
    CImageStrip();
    ~CImageStrip();
    CImageStrip(const CImageStrip&) = delete;
    CImageStrip& operator=(const CImageStrip&) = delete;

    // The size of one frame: image width / m_nFrames (remainder dropped) by image height, as
    // GDI+ reports them now. 0 x 0 without an image or frames.
    CSize GetFrameSize() const;
    // Blends frame nIndex with its top-left corner at (x, y) of hdc. An index outside
    // 0..m_nFrames-1 draws nothing.
    void DrawFrame(int nIndex, HDC hdc, int x, int y) const;

    std::unique_ptr<Gdiplus::Image> m_pImage;
    int m_nFrames = 0;
};
