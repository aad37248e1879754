// A capture of part of the screen (the Wine desktop, which sits at the screen's origin), with its
// pixels for checks and a PNG copy for people.
#pragma once

#include "WaitUntil.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Screenshot {
public:
    static Screenshot Capture(const RECT& screenRect);
    // Captures until two captures in a row are the same, so that the windows have finished
    // painting; nothing when the picture kept changing.
    static std::optional<Screenshot> CaptureSettled(const RECT& screenRect,
                                                    std::chrono::milliseconds timeout = kWait);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel at (x, y) of the captured rectangle, as RGB(r, g, b).
    COLORREF At(int x, int y) const;
    bool operator==(const Screenshot& other) const = default;
    bool SavePng(const std::wstring& path) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels; // 0x00RRGGBB, top row first
};

// "RGB(r, g, b)", for failure messages.
std::string ColourText(COLORREF colour);
