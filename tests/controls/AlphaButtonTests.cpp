// The image button on real windows with GDI+: frame choice, pointer states and the repaints they
// ask for, the background snapshot, alpha blending, failed loads and what a reload releases.
#include "AlphaButton.h"
#include "ControlsTestIds.h"
#include "ControlsTestSupport.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using test::kClearRow;
using test::kFrameColour;
using test::kFrameHeight;
using test::kFrameWidth;
using test::kHalfRow;
using test::kOpaqueRow;
using test::Surface;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kDisabled = 3;

// Gives the tests the button's state, which only its own handlers change in the program.
class CProbedButton : public CAlphaButton {
public:
    HBITMAP Snapshot() const { return m_hBackground; }
    BOOL Hover() const { return m_bHover; }
    BOOL Tracking() const { return m_bTracking; }
    void SetHover(BOOL hover) { m_bHover = hover; }
};

// A pixel of the bottom-up 32-bit snapshot.
COLORREF SnapshotAt(HBITMAP snapshot, int x, int y) {
    DIBSECTION section{};
    ::GetObjectW(snapshot, sizeof(section), &section);
    ::GdiFlush();
    const auto* row = static_cast<const DWORD*>(section.dsBm.bmBits) +
                      static_cast<size_t>(section.dsBm.bmHeight - 1 - y) * section.dsBm.bmWidth;
    const DWORD p = row[x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// Every pixel of the snapshot is colour.
bool SnapshotIs(HBITMAP snapshot, COLORREF colour) {
    for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x)
            if (SnapshotAt(snapshot, x, y) != colour)
                return false;
    return true;
}

// What a frame looks like over background in the three kinds of fixture rows; frame 3 is none.
void ExpectFrameAt(const Surface& surface, CPoint at, int frame, COLORREF background) {
    SCOPED_TRACE(testing::Message() << "frame " << frame);
    const bool drawn = frame < 3;
    for (int x = at.x; x < at.x + kFrameWidth; x += 7) {
        EXPECT_EQ(surface.At(x, at.y + kOpaqueRow), drawn ? kFrameColour[frame] : background) << "x " << x;
        const COLORREF half = drawn ? test::Blend(kFrameColour[frame], 128, background) : background;
        EXPECT_PRED3(test::Near, surface.At(x, at.y + kHalfRow), half, 2) << "x " << x;
        EXPECT_EQ(surface.At(x, at.y + kClearRow), background) << "x " << x;
    }
}

class AlphaButtonTest : public testing::Test {
protected:
    void SetUp() override {
        ::SetCursorPos(1, 1);
        m_strip = test::WriteStrip(L"strip.png");
        ASSERT_TRUE(m_host.Open(&m_button, nullptr));
        ASSERT_TRUE(m_button.LoadImageFile(m_strip.c_str()));
        // Placed at its frame size, as the main dialog places its buttons.
        m_button.MoveWindow(20, 10, kFrameWidth, kFrameHeight, TRUE);
        m_host.Invalidate();
        m_host.UpdateWindow();
        m_button.UpdateWindow();
    }

    // The button as the screen shows it after it has processed its pending repaint.
    void CaptureButton(Surface& surface) {
        m_button.UpdateWindow();
        surface.CaptureClient(m_button.m_hWnd);
    }

    CPoint ButtonCentreOnScreen() const {
        CPoint centre(kFrameWidth / 2, kFrameHeight / 2);
        m_button.ClientToScreen(&centre);
        return centre;
    }

    std::wstring m_strip;
    CProbedButton m_button;
    test::CHostDialog m_host;
};

TEST_F(AlphaButtonTest, BindingMakesTheButtonOwnerDrawn) {
    EXPECT_EQ(m_button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(AlphaButtonTest, FramesAreCutSideBySideFromTheStrip) {
    // 152 pixels give 50-pixel frames too; the two columns left over are never shown.
    for (const int stripWidth : {150, 152}) {
        SCOPED_TRACE(testing::Message() << "strip " << stripWidth << " wide");
        CAlphaButton button;
        ASSERT_TRUE(button.LoadImageFile(test::WriteStrip(L"cut.png", stripWidth).c_str()));
        EXPECT_EQ(button.m_image.GetFrameSize(), CSize(kFrameWidth, kFrameHeight));
        for (int frame = 0; frame < 3; ++frame) {
            Surface surface(kFrameWidth + 10, kFrameHeight, kWhite);
            button.m_image.DrawFrame(frame, surface.hdc(), 0, 0);
            ExpectFrameAt(surface, CPoint(0, 0), frame, kWhite);
            EXPECT_EQ(surface.Count(test::kBeyondFrames), 0);
            EXPECT_EQ(surface.At(kFrameWidth, kOpaqueRow), kWhite) << "nothing past the frame";
        }
        for (const int outside : {3, -1}) {
            Surface surface(kFrameWidth, kFrameHeight, kWhite);
            button.m_image.DrawFrame(outside, surface.hdc(), 0, 0);
            EXPECT_EQ(surface.Count(kWhite), kFrameWidth * kFrameHeight) << "index " << outside;
        }
    }
}

TEST_F(AlphaButtonTest, ChoosesTheFrameFromHoverSelectedAndDisabled) {
    struct Case {
        BOOL hover;
        UINT state;
        int frame;
    };
    const Case cases[] = {
        {FALSE, 0, 0},
        {FALSE, ODS_SELECTED, 0}, // pressed from the keyboard, pointer elsewhere
        {FALSE, ODS_DISABLED, kDisabled},
        {FALSE, ODS_SELECTED | ODS_DISABLED, kDisabled},
        {TRUE, 0, 1},
        {TRUE, ODS_SELECTED, 2},
        {TRUE, ODS_DISABLED, kDisabled},
        {TRUE, ODS_SELECTED | ODS_DISABLED, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "hover " << c.hover << " state " << c.state);
        m_button.SetHover(c.hover);
        Surface surface(kFrameWidth, kFrameHeight, kWhite);
        DRAWITEMSTRUCT item{ODT_BUTTON,
                            IDC_HOST_BUTTON,
                            0,
                            ODA_DRAWENTIRE,
                            c.state,
                            m_button.m_hWnd,
                            surface.hdc(),
                            {0, 0, kFrameWidth, kFrameHeight},
                            0};
        m_button.DrawItem(&item);
        ExpectFrameAt(surface, CPoint(0, 0), c.frame, m_host.m_crBackground);
    }
}

TEST_F(AlphaButtonTest, PointerStatesRepaintOnlyTheButton) {
    struct Step {
        const char* name;
        UINT message;
        bool invalidates;
        int frame;
    };
    const Step steps[] = {
        {"move", WM_MOUSEMOVE, false, 0},  {"hover", WM_MOUSEHOVER, true, 1},
        {"down", WM_LBUTTONDOWN, true, 2}, {"up", WM_LBUTTONUP, true, 1},
        {"leave", WM_MOUSELEAVE, true, 0},
    };
    ::SetCursorPos(ButtonCentreOnScreen().x, ButtonCentreOnScreen().y);
    const CRect client(0, 0, kFrameWidth, kFrameHeight);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ::ValidateRect(m_host.m_hWnd, nullptr);
        ::ValidateRect(m_button.m_hWnd, nullptr);
        m_button.SendMessage(step.message, step.message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                             MAKELPARAM(kFrameWidth / 2, kFrameHeight / 2));
        RECT update{};
        EXPECT_EQ(::GetUpdateRect(m_button.m_hWnd, &update, FALSE) != FALSE, step.invalidates);
        if (step.invalidates) {
            EXPECT_EQ(CRect(update), client);
        }
        EXPECT_FALSE(::GetUpdateRect(m_host.m_hWnd, nullptr, FALSE)) << "the parent is not repainted";
        Surface shown(kFrameWidth, kFrameHeight, kWhite);
        CaptureButton(shown);
        ExpectFrameAt(shown, CPoint(0, 0), step.frame, m_host.m_crBackground);
    }
    EXPECT_EQ(m_host.m_nClicks, 1) << "the release over the button is a click for the parent";
    EXPECT_FALSE(m_button.Tracking());
}

TEST_F(AlphaButtonTest, TheSystemReportsHoverAndLeaveOnceTrackingIsArmed) {
    const CPoint centre = ButtonCentreOnScreen();
    ::SetCursorPos(centre.x, centre.y);
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(kFrameWidth / 2, kFrameHeight / 2));
    EXPECT_TRUE(m_button.Tracking());
    ASSERT_TRUE(PumpUntil([&] { return m_button.Hover() != FALSE; })) << "no hover report";
    Surface shown(kFrameWidth, kFrameHeight, kWhite);
    CaptureButton(shown);
    ExpectFrameAt(shown, CPoint(0, 0), 1, m_host.m_crBackground);

    ::SetCursorPos(1, 1);
    ASSERT_TRUE(PumpUntil([&] { return !m_button.Tracking(); })) << "no leave report";
    EXPECT_FALSE(m_button.Hover());
    CaptureButton(shown);
    ExpectFrameAt(shown, CPoint(0, 0), 0, m_host.m_crBackground);
}

TEST_F(AlphaButtonTest, ParentPaintTakesTheSnapshotBeforeBlendingTheFrame) {
    constexpr COLORREF kBand = RGB(90, 30, 60);
    Surface parent(100, 60, kBand);
    const CPoint origin(30, 10);
    m_button.DrawImage(parent.dc(), 0, &origin, FALSE);
    EXPECT_TRUE(SnapshotIs(m_button.Snapshot(), kBand)) << "the snapshot holds no frame";
    ExpectFrameAt(parent, origin, 0, kBand);
    EXPECT_EQ(parent.At(origin.x - 1, origin.y + kOpaqueRow), kBand);
    EXPECT_EQ(parent.At(origin.x + kFrameWidth, origin.y + kOpaqueRow), kBand);
    EXPECT_EQ(parent.At(origin.x, origin.y - 1), kBand);

    // The button's own paint lays that snapshot under the frame for its state.
    m_button.SendMessage(WM_MOUSEHOVER);
    Surface shown(kFrameWidth, kFrameHeight, kWhite);
    CaptureButton(shown);
    ExpectFrameAt(shown, CPoint(0, 0), 1, kBand);
}

TEST_F(AlphaButtonTest, ADisabledButtonShowsOnlyItsBackgroundAndAHiddenOneDrawsNothing) {
    constexpr COLORREF kUnder = RGB(10, 120, 40);
    const CPoint origin(0, 0);
    m_button.EnableWindow(FALSE);
    Surface parent(kFrameWidth, kFrameHeight, kUnder);
    m_button.DrawImage(parent.dc(), 0, &origin, FALSE);
    EXPECT_EQ(parent.Count(kUnder), kFrameWidth * kFrameHeight) << "no frame in the parent's paint";
    EXPECT_TRUE(SnapshotIs(m_button.Snapshot(), kUnder));
    m_button.Invalidate();
    Surface shown(kFrameWidth, kFrameHeight, kWhite);
    CaptureButton(shown);
    EXPECT_EQ(shown.Count(kUnder), kFrameWidth * kFrameHeight) << "only the snapshot in its own paint";

    m_button.EnableWindow(TRUE);
    m_button.ShowWindow(SW_HIDE);
    Surface other(kFrameWidth, kFrameHeight, kWhite);
    m_button.DrawImage(other.dc(), 0, &origin, FALSE);
    EXPECT_EQ(other.Count(kWhite), kFrameWidth * kFrameHeight);
    EXPECT_TRUE(SnapshotIs(m_button.Snapshot(), kUnder)) << "the snapshot is left as it was";
}

TEST_F(AlphaButtonTest, AFailedLoadLeavesAButtonThatDrawsNothingInAnyState) {
    const std::wstring notPng = test::TempPath(L"not-a.png");
    test::WriteBytes(notPng, "this is text, not a picture");
    const std::wstring empty = test::TempPath(L"empty.png");
    test::WriteBytes(empty, "");
    // A strip narrower than its three frames decodes, but its frames have no width to snapshot.
    const std::wstring narrow = test::TempPath(L"narrow.png");
    test::WritePng(narrow, 2, kFrameHeight, [](int, int) { return test::MakeArgb(255, kFrameColour[0]); });
    const std::wstring cases[] = {test::TempPath(L"missing.png"), notPng, empty, narrow};
    for (const std::wstring& path : cases) {
        SCOPED_TRACE(testing::Message() << "path " << testing::PrintToString(path));
        ASSERT_TRUE(m_button.LoadImageFile(m_strip.c_str()));
        EXPECT_FALSE(m_button.LoadImageFile(path.c_str()));
        ASSERT_NE(m_button.m_image.m_pImage.get(), nullptr) << "the failed image still measures";
        EXPECT_EQ(m_button.m_image.GetFrameSize().cx, 0);
        EXPECT_EQ(m_button.Snapshot(), nullptr);
        for (int frame = 0; frame <= kDisabled; ++frame) {
            for (const BOOL ownPaint : {FALSE, TRUE}) {
                Surface surface(kFrameWidth, kFrameHeight, kWhite);
                const CPoint origin(0, 0);
                m_button.DrawImage(surface.dc(), frame, &origin, ownPaint);
                EXPECT_EQ(surface.Count(kWhite), kFrameWidth * kFrameHeight)
                    << "frame " << frame << " own paint " << ownPaint;
            }
        }
        for (const BOOL hover : {FALSE, TRUE}) {
            m_button.SetHover(hover);
            Surface surface(kFrameWidth, kFrameHeight, kWhite);
            DRAWITEMSTRUCT item{ODT_BUTTON,
                                IDC_HOST_BUTTON,
                                0,
                                ODA_DRAWENTIRE,
                                ODS_SELECTED,
                                m_button.m_hWnd,
                                surface.hdc(),
                                {0, 0, kFrameWidth, kFrameHeight},
                                0};
            m_button.DrawItem(&item);
            EXPECT_EQ(surface.Count(kWhite), kFrameWidth * kFrameHeight) << "hover " << hover;
        }
    }
}

TEST_F(AlphaButtonTest, ASecondLoadLeavesOneImageAndOneSnapshotAlive) {
    const std::wstring first = test::WriteStrip(L"first.png");
    const std::wstring second = test::WriteStrip(L"second.png");
    ASSERT_TRUE(m_button.LoadImageFile(first.c_str()));
    const HBITMAP firstSnapshot = m_button.Snapshot();
    ASSERT_TRUE(m_button.LoadImageFile(second.c_str()));
    EXPECT_EQ(::GetObjectType(firstSnapshot), 0u) << "the first snapshot is deleted";
    EXPECT_EQ(::GetObjectType(m_button.Snapshot()), static_cast<DWORD>(OBJ_BITMAP));
    // GDI+ keeps the file of a live image open: only the released image's file can go.
    EXPECT_TRUE(::DeleteFileW(first.c_str())) << "the first image is released";
    EXPECT_FALSE(::DeleteFileW(second.c_str())) << "the second image is alive";
}

TEST(AlphaButtonCreate, TakesTheFrameSizeOnlyWhenAnImageWasLoadedFirst) {
    test::CHostDialog host;
    ASSERT_TRUE(host.Open(nullptr, nullptr));
    const std::wstring strip = test::WriteStrip(L"create.png");
    for (const bool loaded : {false, true}) {
        SCOPED_TRACE(loaded ? "image loaded before creation" : "no image");
        CAlphaButton button;
        if (loaded) {
            ASSERT_TRUE(button.LoadImageFile(strip.c_str()));
        }
        ASSERT_TRUE(
            button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(7, 9, 87, 39), &host, 2000));
        EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
        CRect placed;
        button.GetWindowRect(&placed);
        host.ScreenToClient(&placed);
        EXPECT_EQ(placed, loaded ? CRect(7, 9, 7 + kFrameWidth, 9 + kFrameHeight) : CRect(7, 9, 87, 39));
    }
}

} // namespace
