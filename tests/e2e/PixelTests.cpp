// Pixels of real screenshots of the main window and the About box: the band, the image buttons on
// it, the colours of the texts and backgrounds, the link's colour and underline.
#include "Artwork.h"
#include "MouseInput.h"
#include "ProgramTest.h"
#include "ProgramTexts.h"
#include "Screenshot.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using PixelTest = ProgramTest;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kAboutBackground = RGB(250, 250, 250);
constexpr COLORREF kLinkColour = RGB(52, 120, 216);

bool Inside(const RECT& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// Red, green or blue (0, 1, 2) of a colour.
int Channel(COLORREF colour, int channel) {
    return static_cast<int>((colour >> (8 * channel)) & 0xFF);
}

int ChannelDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(Channel(a, 0) - Channel(b, 0)), std::abs(Channel(a, 1) - Channel(b, 1)),
                     std::abs(Channel(a, 2) - Channel(b, 2))});
}

// Every pixel of the area equals the expected picture; the failure names the first that does not.
testing::AssertionResult Matches(const Screenshot& shot, const RECT& area, const Artwork& expected,
                                 int tolerance, const std::vector<RECT>& skipped = {}) {
    int mismatches = 0;
    std::string first;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (std::any_of(skipped.begin(), skipped.end(), [&](const RECT& r) { return Inside(r, x, y); })) {
                continue;
            }
            const COLORREF want = expected.At(x - area.left, y - area.top);
            if (ChannelDistance(shot.At(x, y), want) > tolerance) {
                if (mismatches++ == 0) {
                    first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                            ColourText(shot.At(x, y)) + ", expected " + ColourText(want);
                }
            }
        }
    }
    if (mismatches == 0) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << mismatches << " pixels differ; the first: " << first;
}

// The area shows text of one colour on one background: every pixel is the background, the text
// colour or a blend of the two (smoothed edges), and both occur.
testing::AssertionResult ShowsText(const Screenshot& shot, const RECT& area, COLORREF text,
                                   COLORREF background) {
    bool textSeen = false;
    bool backgroundSeen = false;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = shot.At(x, y);
            textSeen = textSeen || pixel == text;
            backgroundSeen = backgroundSeen || pixel == background;
            // The blend factor from the channel with the widest range, applied to every channel.
            double factor = 0;
            int range = 0;
            for (int c = 0; c < 3; ++c) {
                const int span = Channel(text, c) - Channel(background, c);
                if (std::abs(span) > std::abs(range)) {
                    range = span;
                    factor = static_cast<double>(Channel(pixel, c) - Channel(background, c)) / span;
                }
            }
            bool blend = factor >= -0.01 && factor <= 1.01;
            for (int c = 0; c < 3; ++c) {
                const double want =
                    Channel(background, c) + factor * (Channel(text, c) - Channel(background, c));
                blend = blend && std::abs(Channel(pixel, c) - want) <= 3;
            }
            if (!blend) {
                return testing::AssertionFailure()
                       << "(" << x << ", " << y << ") is " << ColourText(pixel) << ", neither "
                       << ColourText(text) << " nor " << ColourText(background) << " nor a blend of them";
            }
        }
    }
    if (!textSeen || !backgroundSeen) {
        return testing::AssertionFailure()
               << (textSeen ? "no background pixel " : "no pixel of the text colour ")
               << ColourText(textSeen ? background : text) << " in the area";
    }
    return testing::AssertionSuccess();
}

RemoteWindow ChildWithText(const RemoteWindow& dialog, const std::wstring& text) {
    for (const RemoteWindow& child : dialog.Children()) {
        if (child.Text() == text) {
            return child;
        }
    }
    return {};
}

std::string Describe(const RECT& rect) {
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ") " +
           std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top);
}

// The band, tiled from the installed bitmap, as it should look over the client width.
Artwork ExpectedBand(const Artwork& tile, int width) {
    return Artwork::Make(width, kBandHeight,
                         [&](int x, int y) { return tile.At(x % tile.Width(), y % tile.Height()); });
}

TEST_F(PixelTest, MainWindowBandImageButtonsAndTexts) {
    const std::wstring images = ImagesFolder(ProgramPath());
    const std::optional<Artwork> tile = Artwork::LoadBitmapFile(images + L"\\" + kHeaderImage);
    ASSERT_TRUE(tile) << "cannot read the installed band bitmap";
    const std::optional<Screenshot> shot = Screenshot::CaptureSettled(m_main.ClientScreenRect());
    ASSERT_TRUE(shot) << "the window kept changing";
    const int width = shot->Width();

    const RECT help = m_main.Child(IDC_HELP_BUTTON).RectInParent();
    const RECT about = m_main.Child(IDC_ABOUT_BUTTON).RectInParent();
    const SIZE helpFrame = Artwork::StripFrameSize(images + L"\\" + kHelpImage);
    const SIZE aboutFrame = Artwork::StripFrameSize(images + L"\\" + kAboutImage);
    EXPECT_EQ(help.right - help.left, helpFrame.cx) << Describe(help);
    EXPECT_EQ(help.bottom - help.top, helpFrame.cy) << Describe(help);
    EXPECT_EQ(about.right - about.left, aboutFrame.cx) << Describe(about);
    EXPECT_EQ(about.bottom - about.top, aboutFrame.cy) << Describe(about);
    EXPECT_EQ(about.left, help.right + kImageButtonGap) << "About sits 15 pixels right of Help";
    EXPECT_EQ(about.top, help.top);
    EXPECT_GE(help.top, 0);
    EXPECT_LE(std::max(help.bottom, about.bottom), kBandHeight) << "both buttons lie on the band";

    const Artwork band = ExpectedBand(*tile, width);
    EXPECT_TRUE(Matches(*shot, RECT{0, 0, width, kBandHeight}, band, 0, {help, about}))
        << "the band is the tiled bitmap over the full client width";
    for (const auto& [rect, strip] : {std::pair{help, kHelpImage}, std::pair{about, kAboutImage}}) {
        SCOPED_TRACE(Narrow(strip));
        const Artwork under =
            Artwork::Make(rect.right - rect.left, rect.bottom - rect.top,
                          [&](int x, int y) { return band.At(rect.left + x, rect.top + y); });
        const std::optional<Artwork> button = Artwork::BlendStripFrame(images + L"\\" + strip, 0, under);
        ASSERT_TRUE(button);
        EXPECT_TRUE(Matches(*shot, rect, *button, 2)) << "the normal frame blended over the band";
        EXPECT_FALSE(Matches(*shot, rect, under, 0)) << "the button shows its image";
    }

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const RemoteWindow description = ChildWithText(m_main, kDescription);
    ASSERT_TRUE(description);
    const int belowBand = description.RectInParent().top;
    ASSERT_GT(belowBand, kBandHeight);
    const Artwork plain = Artwork::Make(width, belowBand - kBandHeight, [&](int, int) { return face; });
    EXPECT_TRUE(Matches(*shot, RECT{0, kBandHeight, width, belowBand}, plain, 0))
        << "the band ends after exactly 69 rows; the button face follows";
    for (const RemoteWindow& text : {description, m_main.Child(IDC_STATUS), m_main.Child(IDC_FOOTER)}) {
        SCOPED_TRACE(Narrow(text.Text()));
        EXPECT_TRUE(ShowsText(*shot, text.RectInParent(), kBlack, face));
    }
}

TEST_F(PixelTest, AboutBoxBackgroundTextsAndLink) {
    const RemoteWindow about = OpenAbout();
    ASSERT_TRUE(about) << "the About button opened nothing";
    ASSERT_TRUE(MoveMouseTo(POINT{about.ScreenRect().left - 20, about.ScreenRect().top - 20}));
    const std::optional<Artwork> tile =
        Artwork::LoadBitmapFile(ImagesFolder(ProgramPath()) + L"\\" + kHeaderImage);
    ASSERT_TRUE(tile);
    const std::optional<Screenshot> shot = Screenshot::CaptureSettled(about.ClientScreenRect());
    ASSERT_TRUE(shot) << "the About box kept changing";
    const int width = shot->Width();
    EXPECT_TRUE(Matches(*shot, RECT{0, 0, width, kBandHeight}, ExpectedBand(*tile, width), 0)) << "the band";

    std::vector<RECT> controls;
    for (const RemoteWindow& child : about.Children()) {
        controls.push_back(child.RectInParent());
    }
    const Artwork background =
        Artwork::Make(width, shot->Height() - kBandHeight, [](int, int) { return kAboutBackground; });
    EXPECT_TRUE(Matches(*shot, RECT{0, kBandHeight, width, shot->Height()}, background, 0, controls))
        << "the dialog's background";
    for (const RemoteWindow& child : about.Children()) {
        if (child.ClassName() != L"Static" || child.Id() == IDC_ABOUT_LINK) {
            continue;
        }
        SCOPED_TRACE(Narrow(child.Text()));
        EXPECT_TRUE(ShowsText(*shot, child.RectInParent(), kBlack, kAboutBackground));
    }

    const RECT link = about.Child(IDC_ABOUT_LINK).RectInParent();
    EXPECT_TRUE(ShowsText(*shot, link, kLinkColour, kAboutBackground));
    int left = link.right;
    int right = link.left - 1;
    for (int y = link.top; y < link.bottom; ++y) {
        for (int x = link.left; x < link.right; ++x) {
            if (shot->At(x, y) == kLinkColour) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    bool underlined = false;
    for (int y = link.top; y < link.bottom && right > left; ++y) {
        int run = 0;
        for (int x = left; x <= right; ++x) {
            run += shot->At(x, y) == kLinkColour;
        }
        underlined = underlined || run >= (right - left + 1) * 9 / 10;
    }
    EXPECT_TRUE(underlined) << "no row of the link colour under the text";
    ASSERT_TRUE(CloseAbout(about));
}

} // namespace
