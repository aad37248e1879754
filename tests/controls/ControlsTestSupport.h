// Shared fixtures of the controls tests: pixel surfaces, fixture files written by the tests,
// a host dialog and message pumping.
#pragma once

#include "MessagePump.h"

#include "Afx.h"
#include "AlphaButton.h"
#include "StaticLink.h"

#include <cstdint>
#include <functional>
#include <string>

namespace test {

// COLORREF of a pixel, and the straight-alpha ARGB value that GDI+ takes for a fixture pixel.
using Argb = std::uint32_t;
constexpr Argb MakeArgb(int a, COLORREF c) {
    return (static_cast<Argb>(a) << 24) | (static_cast<Argb>(GetRValue(c)) << 16) |
           (static_cast<Argb>(GetGValue(c)) << 8) | GetBValue(c);
}

// A 32-bit top-down DIB selected into a memory context; pixels are read straight from memory.
class Surface {
public:
    Surface(int width, int height, COLORREF fill);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    CDC* dc() { return &m_dc; }
    HDC hdc() const { return m_dc.m_hDC; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void Fill(COLORREF colour);
    COLORREF At(int x, int y) const;
    // Copies the client area of a window (as the screen shows it) to (0, 0).
    void CaptureClient(HWND wnd);
    // Number of pixels of exactly this colour.
    int Count(COLORREF colour) const;

private:
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
    int m_width;
    int m_height;
};

// True when every channel of a and b differs by at most tolerance.
bool Near(COLORREF a, COLORREF b, int tolerance);
// GDI+'s straight-alpha blend of colour with alpha a over background.
COLORREF Blend(COLORREF colour, int alpha, COLORREF background);

// A folder of this test program's own for fixture files, made at start and removed at the end.
std::wstring TempPath(const wchar_t* name);
// Writes a PNG of width x height through GDI+; pixel(x, y) gives straight-alpha ARGB.
void WritePng(const std::wstring& path, int width, int height, const std::function<Argb(int, int)>& pixel);
// Writes a 24-bit .bmp file.
void WriteBmp(const std::wstring& path, int width, int height,
              const std::function<COLORREF(int, int)>& pixel);
void WriteBytes(const std::wstring& path, const std::string& bytes);

// The fixture strip: frame f is kFrameColour[f], opaque in rows 0-19, alpha 128 in rows 20-29
// and transparent in rows 30-39; columns from 150 on are magenta, never a frame's colour.
constexpr int kFrameWidth = 50;
constexpr int kFrameHeight = 40;
constexpr COLORREF kFrameColour[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
constexpr COLORREF kBeyondFrames = RGB(255, 0, 255);
constexpr int kOpaqueRow = 5;
constexpr int kHalfRow = 25;
constexpr int kClearRow = 35;
std::wstring WriteStrip(const wchar_t* name, int width = 3 * kFrameWidth);

// Dispatches messages until done() holds; false after timeoutMs.
void PumpFor(DWORD ms);

// The host dialog, modeless: binds the controls it is given and paints its client area in
// m_crBackground, then asks the image button for its normal frame, as the main dialog does.
class CHostDialog : public CDialog {
public:
    CHostDialog();
    ~CHostDialog() override;
    BOOL Open(CAlphaButton* button, CStaticLink* link, CStaticLink* mnemonic = nullptr);

    COLORREF m_crBackground = RGB(30, 60, 90);
    int m_nClicks = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPaint();
    void OnHelpClicked() { ++m_nClicks; }
    DECLARE_MESSAGE_MAP()

private:
    CAlphaButton* m_pButton = nullptr;
    CStaticLink* m_pLink = nullptr;
    CStaticLink* m_pMnemonic = nullptr;
};

} // namespace test
