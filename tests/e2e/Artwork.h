// The program's artwork as the tests read it from an install: the band's tile, the frame size of a
// button strip, and what a frame looks like when GDI+ blends it over given pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Artwork {
public:
    // The band's tile bitmap; nothing when it cannot be read.
    static std::optional<Artwork> LoadBitmapFile(const std::wstring& path);
    // Frame `frame` of a three-frame PNG strip blended by GDI+ over `background`, a picture of one
    // frame's size; nothing when the strip cannot be read.
    static std::optional<Artwork> BlendStripFrame(const std::wstring& stripPath, int frame,
                                                  const Artwork& background);
    // One frame's size of a three-frame strip: a third of its width, its height; 0 x 0 when unreadable.
    static SIZE StripFrameSize(const std::wstring& stripPath);
    // A picture of the given size whose pixels come from a function of (x, y).
    template <typename Pixel> static Artwork Make(int width, int height, Pixel pixel) {
        Artwork picture(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                picture.Set(x, y, pixel(x, y));
            }
        }
        return picture;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;

private:
    Artwork(int width, int height)
        : m_width(width), m_height(height),
          m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}
    void Set(int x, int y, COLORREF colour);

    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_pixels; // 0x00RRGGBB, top row first
};
