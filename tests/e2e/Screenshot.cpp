// Screen captures through GDI and PNG files through GDI+.
#include "Screenshot.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

namespace {

// GDI+'s PNG encoder.
constexpr CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

} // namespace

Screenshot Screenshot::Capture(const RECT& screenRect) {
    Screenshot shot;
    shot.m_width = std::max(0L, screenRect.right - screenRect.left);
    shot.m_height = std::max(0L, screenRect.bottom - screenRect.top);
    if (shot.m_width == 0 || shot.m_height == 0) {
        return shot;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.m_width;
    info.bmiHeader.biHeight = -shot.m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && bitmap) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, shot.m_width, shot.m_height, screen, screenRect.left, screenRect.top,
               SRCCOPY | CAPTUREBLT);
        GdiFlush();
        shot.m_pixels.resize(static_cast<std::size_t>(shot.m_width) *
                             static_cast<std::size_t>(shot.m_height));
        std::memcpy(shot.m_pixels.data(), bits, shot.m_pixels.size() * sizeof(std::uint32_t));
        for (std::uint32_t& pixel : shot.m_pixels) {
            pixel &= 0x00FFFFFFu;
        }
        SelectObject(memory, previous);
    }
    if (bitmap) {
        DeleteObject(bitmap);
    }
    if (memory) {
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return shot;
}

std::optional<Screenshot> Screenshot::CaptureSettled(const RECT& screenRect,
                                                     std::chrono::milliseconds timeout) {
    Screenshot last = Capture(screenRect);
    std::optional<Screenshot> settled;
    WaitUntil(
        [&] {
            Sleep(40);
            Screenshot next = Capture(screenRect);
            if (next == last) {
                settled = std::move(next);
                return true;
            }
            last = std::move(next);
            return false;
        },
        timeout);
    return settled;
}

COLORREF Screenshot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return CLR_INVALID;
    }
    const std::uint32_t pixel = m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                                         static_cast<std::size_t>(x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool Screenshot::SavePng(const std::wstring& path) const {
    if (m_pixels.empty()) {
        return false;
    }
    std::vector<std::uint32_t> copy = m_pixels;
    Gdiplus::Bitmap bitmap(m_width, m_height, m_width * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(copy.data()));
    return bitmap.Save(path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
}

std::string ColourText(COLORREF colour) {
    return "RGB(" + std::to_string(GetRValue(colour)) + ", " + std::to_string(GetGValue(colour)) + ", " +
           std::to_string(GetBValue(colour)) + ")";
}
