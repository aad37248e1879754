// Repeated use of the About box and of the image buttons must leave the program's live GDI
// objects where they were. The simulated device library, loaded inside the program, counts them
// (GetGuiResources answers 0 under Wine; see the simulator's gdi-objects command).
#include "MouseInput.h"
#include "ProgramTest.h"
#include "ProgramTexts.h"
#include "Screenshot.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using LeakTest = ProgramTest;

constexpr int kRepeats = 200;

std::optional<long> GdiObjects(const SimClient& sim) {
    const std::string reply = sim.Execute("gdi-objects");
    char* end = nullptr;
    const long count = std::strtol(reply.c_str(), &end, 10);
    if (reply.empty() || *end != '\0') {
        return std::nullopt;
    }
    return count;
}

// The count once it holds still, that is once the program has finished what it was doing.
std::optional<long> SettledGdiObjects(const SimClient& sim) {
    std::optional<long> last = GdiObjects(sim);
    std::optional<long> settled;
    WaitUntil([&] {
        Sleep(20);
        const std::optional<long> next = GdiObjects(sim);
        if (next && next == last) {
            settled = next;
            return true;
        }
        last = next;
        return false;
    });
    return settled;
}

TEST_F(LeakTest, OpeningTheAboutBox200TimesLeavesNoGdiObject) {
    ASSERT_TRUE(GdiObjects(*m_sim)) << "the simulator does not count GDI objects: "
                                    << m_sim->Execute("gdi-objects");
    // The first opening makes the About box's brush, which lives until the program ends.
    for (const bool fromMenu : {false, true}) {
        const RemoteWindow about = fromMenu ? OpenAboutFromSystemMenu(IDM_ABOUTBOX) : OpenAbout();
        ASSERT_TRUE(about) << "the About box did not open";
        ASSERT_TRUE(CloseAbout(about));
    }
    const std::optional<long> before = SettledGdiObjects(*m_sim);
    ASSERT_TRUE(before);
    {
        // The count sees the box's own objects (band bitmap, link font), so it would see them stay.
        const RemoteWindow about = OpenAbout();
        ASSERT_TRUE(about);
        EXPECT_GT(SettledGdiObjects(*m_sim).value_or(0), *before) << "the count does not see the open box";
        ASSERT_TRUE(CloseAbout(about));
    }
    for (int i = 0; i < kRepeats; ++i) {
        const RemoteWindow about = i % 2 ? OpenAboutFromSystemMenu(IDM_ABOUTBOX) : OpenAbout();
        ASSERT_TRUE(about) << "opening " << i + 1 << " showed no About box";
        ASSERT_TRUE(CloseAbout(about)) << "opening " << i + 1;
    }
    EXPECT_EQ(SettledGdiObjects(*m_sim), before) << "live GDI objects after " << kRepeats << " openings";
}

// A user's pass over an image button: pointer in (the hover frame shows), press (the pressed
// frame), release (the click: Help opens the guide, About opens its box, which is closed again),
// pointer out (the normal frame again).
TEST_F(LeakTest, HoverPressAndLeave200TimesLeavesNoGdiObject) {
    ASSERT_TRUE(GdiObjects(*m_sim)) << "the simulator does not count GDI objects: "
                                    << m_sim->Execute("gdi-objects");
    const RemoteWindow buttons[] = {m_main.Child(IDC_HELP_BUTTON), m_main.Child(IDC_ABOUT_BUTTON)};
    std::optional<Screenshot> normal[2];
    for (int b = 0; b < 2; ++b) {
        normal[b] = Screenshot::CaptureSettled(buttons[b].ScreenRect());
        ASSERT_TRUE(normal[b]) << "the button kept changing";
    }
    const RECT client = m_main.ClientScreenRect();
    const POINT offButtons{client.left + 8, client.top + kBandHeight + 8};
    // Waits for the condition while the pointer moves between `away` and the button's centre; a
    // pointer that rests never re-arms a button whose leave the system reported late, so each try
    // nudges it by a pixel, as a hand does.
    const auto settleWith = [&](const RECT& rect, bool over, const auto& condition) {
        POINT spot = over ? CentreOf(rect) : offButtons;
        for (int nudge = 0; nudge < 20; ++nudge) {
            if (!over && nudge > 0 && !MoveMouseTo(CentreOf(rect))) {
                return false;
            }
            spot.x += nudge % 2 ? -1 : 1;
            if (!MoveMouseTo(spot)) {
                return false;
            }
            if (WaitUntil(condition, std::chrono::milliseconds{500})) {
                return true;
            }
        }
        return false;
    };
    int helpClicks = 0;
    const auto cycle = [&](int b) -> testing::AssertionResult {
        const RECT rect = buttons[b].ScreenRect();
        const auto shows = [&](const Screenshot& picture) { return Screenshot::Capture(rect) == picture; };
        if (!settleWith(rect, true, [&] { return !shows(*normal[b]); })) {
            return testing::AssertionFailure() << "no hover frame with the pointer over the button";
        }
        const std::optional<Screenshot> hover = Screenshot::CaptureSettled(rect);
        if (!hover || !PressMouse() || !WaitUntil([&] { return !shows(*hover); })) {
            return testing::AssertionFailure() << "no pressed frame with the mouse button down";
        }
        if (!ReleaseMouse()) {
            return testing::AssertionFailure() << "the mouse button did not come up";
        }
        if (b == 0) {
            ++helpClicks;
            if (!WaitUntil([&] { return static_cast<int>(m_run->OpenedAddresses().size()) == helpClicks; })) {
                return testing::AssertionFailure() << "the click opened " << m_run->OpenedAddresses().size()
                                                   << " addresses in " << helpClicks << " Help clicks";
            }
        } else {
            const RemoteWindow about = m_run->WaitForAboutBox();
            if (!about) {
                return testing::AssertionFailure() << "the click opened no About box";
            }
            if (testing::AssertionResult closed = CloseAbout(about); !closed) {
                return closed;
            }
        }
        if (!settleWith(rect, false, [&] { return shows(*normal[b]); })) {
            return testing::AssertionFailure() << "the normal frame did not come back after the pointer left";
        }
        return testing::AssertionSuccess();
    };
    ASSERT_TRUE(cycle(0)) << "Help";
    ASSERT_TRUE(cycle(1)) << "About";
    const std::optional<long> before = SettledGdiObjects(*m_sim);
    ASSERT_TRUE(before);
    for (int i = 0; i < kRepeats; ++i) {
        ASSERT_TRUE(cycle(i % 2)) << "cycle " << i + 1;
    }
    EXPECT_EQ(SettledGdiObjects(*m_sim), before) << "live GDI objects after " << kRepeats << " cycles";
}

} // namespace
