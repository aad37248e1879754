// Reading the artwork files and blending strip frames with GDI+, as the program draws them.
#include "Artwork.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <memory>

namespace {

// A 32-bit top-down DIB section selected into a memory context, for GDI and GDI+ to draw into.
class DibSurface {
public:
    DibSurface(int width, int height) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        if (m_dc && m_bitmap) {
            m_previous = SelectObject(m_dc, m_bitmap);
        }
    }
    ~DibSurface() {
        if (m_previous) {
            SelectObject(m_dc, m_previous);
        }
        if (m_bitmap) {
            DeleteObject(m_bitmap);
        }
        if (m_dc) {
            DeleteDC(m_dc);
        }
    }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    bool Valid() const { return m_previous != nullptr; }
    HDC Dc() const { return m_dc; }
    std::uint32_t* Pixels() const {
        GdiFlush();
        return static_cast<std::uint32_t*>(m_bits);
    }
    std::size_t Count() const {
        return static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
    }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    void* m_bits = nullptr;
    HGDIOBJ m_previous = nullptr;
};

} // namespace

std::optional<Artwork> Artwork::LoadBitmapFile(const std::wstring& path) {
    const auto bitmap =
        static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP description{};
    if (!bitmap || !GetObjectW(bitmap, sizeof description, &description)) {
        if (bitmap) {
            DeleteObject(bitmap);
        }
        return std::nullopt;
    }
    Artwork picture(description.bmWidth, description.bmHeight);
    const DibSurface surface(picture.m_width, picture.m_height);
    const HDC source = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(source, bitmap);
    const bool copied = surface.Valid() &&
                        BitBlt(surface.Dc(), 0, 0, picture.m_width, picture.m_height, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(bitmap);
    if (!copied) {
        return std::nullopt;
    }
    std::memcpy(picture.m_pixels.data(), surface.Pixels(), picture.m_pixels.size() * sizeof(std::uint32_t));
    for (std::uint32_t& pixel : picture.m_pixels) {
        pixel &= 0x00FFFFFFu;
    }
    return picture;
}

std::optional<Artwork> Artwork::BlendStripFrame(const std::wstring& stripPath, int frame,
                                                const Artwork& background) {
    Gdiplus::Image strip(stripPath.c_str());
    if (strip.GetLastStatus() != Gdiplus::Ok || strip.GetWidth() == 0) {
        return std::nullopt;
    }
    const int width = static_cast<int>(strip.GetWidth() / 3);
    const int height = static_cast<int>(strip.GetHeight());
    const DibSurface surface(background.m_width, background.m_height);
    if (!surface.Valid()) {
        return std::nullopt;
    }
    std::memcpy(surface.Pixels(), background.m_pixels.data(), surface.Count() * sizeof(std::uint32_t));
    {
        Gdiplus::Graphics graphics(surface.Dc());
        graphics.DrawImage(&strip,
                           Gdiplus::RectF(0, 0, static_cast<float>(width), static_cast<float>(height)),
                           static_cast<float>(frame * width), 0, static_cast<float>(width),
                           static_cast<float>(height), Gdiplus::UnitPixel);
    }
    Artwork picture(background.m_width, background.m_height);
    std::memcpy(picture.m_pixels.data(), surface.Pixels(), picture.m_pixels.size() * sizeof(std::uint32_t));
    for (std::uint32_t& pixel : picture.m_pixels) {
        pixel &= 0x00FFFFFFu;
    }
    return picture;
}

SIZE Artwork::StripFrameSize(const std::wstring& stripPath) {
    Gdiplus::Image strip(stripPath.c_str());
    if (strip.GetLastStatus() != Gdiplus::Ok) {
        return SIZE{0, 0};
    }
    return SIZE{static_cast<LONG>(strip.GetWidth() / 3), static_cast<LONG>(strip.GetHeight())};
}

COLORREF Artwork::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return CLR_INVALID;
    }
    const std::uint32_t pixel = m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                                         static_cast<std::size_t>(x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void Artwork::Set(int x, int y, COLORREF colour) {
    m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)] =
        (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
        (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}
