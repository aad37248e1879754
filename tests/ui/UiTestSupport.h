// Shared by the main dialog's in-process tests: the main dialog with its protected members opened
// up, artwork written beside the test program, message pumping, a watcher that closes the
// dialogs that appear inside a modal loop, system colour overrides and pixels read back.
#pragma once

#include "MessagePump.h"
#include "PivotraDlg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace uitest {

// What the first size notification of the dialog's window found and left behind.
struct FirstSizeRecord {
    bool seen = false;
    // Whether the Help button's window existed, as a control or as the bound member.
    bool helpControlExisted = false;
    bool helpBound = false;
    CRect storedBefore;
    CRect storedAfter;
    CRect clientRect;
};

class TestDialog : public CPivotraDlg {
public:
    using CPivotraDlg::LayoutButtons;
    using CPivotraDlg::m_bmpHeader;
    using CPivotraDlg::m_btnAbout;
    using CPivotraDlg::m_btnHelp;
    using CPivotraDlg::m_rcClient;

    FirstSizeRecord m_firstSize;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The system colour of the first colour request: the test program never leaves a colour changed,
// so this is the one the dialog's process-wide brush was made with.
COLORREF OriginalButtonFace();

// Sets system colours for one scope and restores the previous values at its end.
class SysColourOverride {
public:
    explicit SysColourOverride(std::initializer_list<std::pair<int, COLORREF>> colours);
    ~SysColourOverride();
    SysColourOverride(const SysColourOverride&) = delete;
    SysColourOverride& operator=(const SysColourOverride&) = delete;

private:
    std::vector<int> m_indexes;
    std::vector<COLORREF> m_previous;
};

// Artwork in the Images folder beside the test program, where the dialog reads it.
std::wstring ImagePath(const wchar_t* name);
// A three-frame strip of frames of the given size; every pixel has the given alpha.
void WriteButtonStrip(const wchar_t* name, SIZE frame, int alpha);
// The header tile: pixel (x, y) is TilePixel(x, y), a colour unique to that position.
void WriteHeaderTile(SIZE size);
COLORREF TilePixel(int x, int y);
void RemoveHeaderTile();

// Frame sizes of the artwork that a test does not choose itself.
inline constexpr SIZE kDefaultFrame{40, 24};
inline constexpr SIZE kDefaultTile{256, 69};

// A top-level dialog seen by the watcher.
struct SeenDialog {
    HWND hwnd;
    HWND owner;
    std::wstring caption;
    // The text of a message box (control 0xFFFF); empty for other dialogs.
    std::wstring message;
};

// While it lives, checks every 20 ms, from inside whatever modal loop this thread runs, for a
// visible dialog window that has an owner (the About box and message boxes have one, the main
// dialog has none); notes each one and closes it with IDOK. After ten seconds without finding one
// it ends the loop with a quit request and notes that it gave up.
class DialogWatcher {
public:
    DialogWatcher();
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    std::vector<SeenDialog> m_seen;
    bool m_gaveUp = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK OnWindow(HWND hwnd, LPARAM lParam);

    UINT_PTR m_timer;
    int m_ticks = 0;
};

// The client area of a window as the screen shows it, read into a 32-bit DIB.
class ClientPixels {
public:
    explicit ClientPixels(HWND wnd);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

std::string ColourText(COLORREF colour);
std::string RectText(const RECT& rect);

// Every pixel of the area outside the skipped rectangles has the colour; the failure names the
// first that has not.
testing::AssertionResult Filled(const ClientPixels& pixels, const RECT& area, COLORREF colour,
                                const std::vector<CRect>& skipped = {});

// A main dialog of its own per test, made the application's main window, on artwork written in
// SetUp (tests that need other artwork write it before calling Open).
class MainDialogTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Open();
    void Close();
    HWND Hwnd() const { return m_dlg->GetSafeHwnd(); }
    // A control's window rectangle in the dialog's client coordinates.
    CRect ChildRect(int id) const;
    CRect ChildRect(HWND child) const;
    // The rectangles of every child window, in client coordinates.
    std::vector<CRect> ChildRects() const;
    // A template rectangle (dialog units) in client pixels.
    CRect MapTemplateRect(int x, int y, int width, int height) const;
    // Invalidates the whole dialog with its children, paints it at once and delivers what is queued.
    void Repaint();

    // Delivers every queued message; a quit request is taken out and its code noted. (The shared
    // PumpUntil serves where no quit request is expected.)
    void Pump();

    TestDialog* m_dlg = nullptr;
    std::vector<int> m_quitCodes;
};

} // namespace uitest

// Readable rectangles in failure messages.
void PrintTo(const CRect& rect, std::ostream* out);
