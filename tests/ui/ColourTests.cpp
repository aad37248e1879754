// Colours of the main dialog: static texts black on the brush made at the first colour request,
// whatever the system's text colour; the painted client area follows the button-face colour at
// every paint while the statics and the dialog's erase keep that first brush.
#include "UiTestSupport.h"

#include <cstdlib>

namespace uitest {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kBandHeight = 69;

int Channel(COLORREF colour, int channel) {
    return static_cast<int>((colour >> (8 * channel)) & 0xFF);
}

// Every pixel of the area is the background, the text colour or a blend of the two (smoothed
// glyph edges), and both the text colour and the background occur.
testing::AssertionResult ShowsText(const ClientPixels& pixels, const CRect& area, COLORREF text,
                                   COLORREF background) {
    bool textSeen = false;
    bool backgroundSeen = false;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = pixels.At(x, y);
            textSeen = textSeen || pixel == text;
            backgroundSeen = backgroundSeen || pixel == background;
            // The blend factor of the channel with the widest range, applied to every channel.
            int widest = 0;
            for (int c = 1; c < 3; ++c) {
                if (std::abs(Channel(text, c) - Channel(background, c)) >
                    std::abs(Channel(text, widest) - Channel(background, widest)))
                    widest = c;
            }
            const int span = Channel(text, widest) - Channel(background, widest);
            const double factor =
                span == 0 ? 0.0
                          : static_cast<double>(Channel(pixel, widest) - Channel(background, widest)) / span;
            for (int c = 0; c < 3; ++c) {
                const double expected =
                    Channel(background, c) + factor * (Channel(text, c) - Channel(background, c));
                if (factor < -0.02 || factor > 1.02 || std::abs(Channel(pixel, c) - expected) > 3) {
                    return testing::AssertionFailure()
                           << "(" << x << ", " << y << ") is " << ColourText(pixel) << ", not a blend of "
                           << ColourText(text) << " text on " << ColourText(background);
                }
            }
        }
    }
    if (!textSeen)
        return testing::AssertionFailure() << "no pixel of " << RectText(area) << " is " << ColourText(text);
    if (!backgroundSeen)
        return testing::AssertionFailure()
               << "no pixel of " << RectText(area) << " is " << ColourText(background);
    return testing::AssertionSuccess();
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH info{};
    ::GetObjectW(brush, sizeof(info), &info);
    return info.lbColor;
}

struct StaticCase {
    const char* name;
    int id; // 0: the description, the first control of the template, which has no identifier
};

const StaticCase kStatics[] = {
    {"Description", 0},
    {"Status", IDC_STATUS},
    {"Footer", IDC_FOOTER},
};

void PrintTo(const StaticCase& control, std::ostream* out) {
    *out << control.name;
}

class StaticTextTest : public MainDialogTest, public testing::WithParamInterface<StaticCase> {};

TEST_P(StaticTextTest, BlackOnButtonFaceWhateverTheTextColour) {
    const SysColourOverride red({{COLOR_WINDOWTEXT, RGB(255, 0, 0)}, {COLOR_BTNTEXT, RGB(255, 0, 0)}});
    ASSERT_NO_FATAL_FAILURE(Open());
    Repaint();
    const HWND control = GetParam().id ? ::GetDlgItem(Hwnd(), GetParam().id) : ::GetWindow(Hwnd(), GW_CHILD);
    ASSERT_NE(control, nullptr);
    const ClientPixels pixels(Hwnd());
    EXPECT_TRUE(ShowsText(pixels, ChildRect(control), kBlack, OriginalButtonFace()));
}

INSTANTIATE_TEST_SUITE_P(Statics, StaticTextTest, testing::ValuesIn(kStatics),
                         [](const testing::TestParamInfo<StaticCase>& info) { return info.param.name; });

using ButtonFaceTest = MainDialogTest;

TEST_F(ButtonFaceTest, ClientFollowsTheNewFaceWhileStaticsKeepTheFirstBrush) {
    ASSERT_NO_FATAL_FAILURE(Open());
    Repaint();
    const HDC dc = ::GetDC(Hwnd());
    const HWND status = ::GetDlgItem(Hwnd(), IDC_STATUS);
    const auto staticBrush = [&] {
        return reinterpret_cast<HBRUSH>(::SendMessageW(
            Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(status)));
    };
    const auto dialogBrush = [&] {
        return reinterpret_cast<HBRUSH>(::SendMessageW(Hwnd(), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(Hwnd())));
    };
    const HBRUSH firstBrush = staticBrush();
    EXPECT_EQ(BrushColour(firstBrush), OriginalButtonFace());
    EXPECT_EQ(dialogBrush(), firstBrush);

    CRect client;
    ::GetClientRect(Hwnd(), &client);
    const CRect belowBand(0, kBandHeight, client.right, client.bottom);
    {
        const ClientPixels before(Hwnd());
        EXPECT_TRUE(Filled(before, belowBand, OriginalButtonFace(), ChildRects())) << "before the change";
        EXPECT_TRUE(ShowsText(before, ChildRect(status), kBlack, OriginalButtonFace()))
            << "before the change";
    }

    constexpr COLORREF kNewFace = RGB(0, 128, 128);
    const SysColourOverride teal({{COLOR_BTNFACE, kNewFace}});
    ASSERT_EQ(::GetSysColor(COLOR_BTNFACE), kNewFace);
    Repaint();
    const ClientPixels after(Hwnd());
    EXPECT_TRUE(Filled(after, belowBand, kNewFace, ChildRects())) << "the paint reads the face colour anew";
    EXPECT_TRUE(ShowsText(after, ChildRect(status), kBlack, OriginalButtonFace()))
        << "the statics keep the brush of the first colour request";
    EXPECT_EQ(staticBrush(), firstBrush);
    EXPECT_EQ(dialogBrush(), firstBrush) << "the dialog's erase keeps the first brush too";
    EXPECT_EQ(BrushColour(firstBrush), OriginalButtonFace());
    ::ReleaseDC(Hwnd(), dc);
}

} // namespace
} // namespace uitest
