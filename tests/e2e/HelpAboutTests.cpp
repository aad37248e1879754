// Help, About and the tool tips, used as a user uses them: the pointer and its button for Help, the
// link and the tool tips; the About button and the system menu for the About box. Opened addresses
// are seen by the URL recorder, the prefix's http handler during these tests.
#include "MouseInput.h"
#include "ProgramTest.h"
#include "ProgramTexts.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

using HelpAboutTest = ProgramTest;

// Clicks at the centre of the window with the real pointer.
testing::AssertionResult ClickWithMouse(const RemoteWindow& window) {
    if (!MoveMouseTo(CentreOf(window.ScreenRect())) || !PressMouse() || !ReleaseMouse()) {
        return testing::AssertionFailure() << "the pointer did not move or click";
    }
    return testing::AssertionSuccess();
}

// The text of the program's visible tool tip, if one shows.
std::wstring VisibleToolTip(const FerroliteRun& run) {
    for (const RemoteWindow& window : RemoteWindow::TopLevelOf(run.ProcessId())) {
        if (window.ClassName() == L"tooltips_class32" && window.Visible()) {
            return window.Text();
        }
    }
    return {};
}

testing::AssertionResult ToolTipShows(const FerroliteRun& run, const std::wstring& text) {
    if (WaitUntil([&] { return VisibleToolTip(run) == text; })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the tool tip shows \"" << Narrow(VisibleToolTip(run))
                                       << "\" instead of \"" << Narrow(text) << '"';
}

// What makes one About box the same as another: its caption, size and controls.
std::string Signature(const RemoteWindow& about) {
    const RECT frame = about.ScreenRect();
    std::string text = Narrow(about.Text()) + " " + std::to_string(frame.right - frame.left) + "x" +
                       std::to_string(frame.bottom - frame.top) + "\n";
    for (const RemoteWindow& child : about.Children()) {
        const RECT rect = child.RectInParent();
        text += "  " + Narrow(child.ClassName()) + " " + std::to_string(child.Id()) + " (" +
                std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
                std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top) +
                ") \"" + Narrow(child.Text()) + "\"\n";
    }
    return text;
}

TEST_F(HelpAboutTest, HelpOpensTheUserGuide) {
    ASSERT_TRUE(ClickWithMouse(m_main.Child(IDC_HELP_BUTTON)));
    ASSERT_TRUE(WaitUntil([&] { return !m_run->OpenedAddresses().empty(); })) << "no address was opened";
    EXPECT_EQ(m_run->OpenedAddresses(), std::vector<std::wstring>{kUserGuide});
    EXPECT_FALSE(m_run->MessageBox());
    EXPECT_FALSE(m_run->AboutBox());
    EXPECT_TRUE(m_main.Enabled());
}

TEST_F(HelpAboutTest, AboutOpensTheSameBoxFromItsButtonAndFromTheSystemMenu) {
    ActivateMainWindow(); // so that the screenshot shows the box as a person sees it
    const RemoteWindow about = OpenAbout();
    ASSERT_TRUE(about) << "the About button opened nothing";
    EXPECT_EQ(about.Text(), kAboutCaption);
    EXPECT_EQ(about.Owner().Handle(), m_main.Handle());
    EXPECT_FALSE(m_main.Enabled()) << "the About box is modal";
    EXPECT_EQ(about.Child(IDC_ABOUT_TITLE).Text(), kTitle);
    EXPECT_EQ(about.Child(IDC_ABOUT_LINK).Text(), kWebSite);
    bool version = false;
    bool copyright = false;
    for (const RemoteWindow& child : about.Children()) {
        version = version || child.Text() == kVersionLine;
        copyright = copyright || child.Text().find(L"Copyright (C) 2026 Kelvara") != std::wstring::npos;
    }
    EXPECT_TRUE(version) << Signature(about);
    EXPECT_TRUE(copyright) << Signature(about);
    // Centred over the main window.
    const POINT aboutCentre = CentreOf(about.ScreenRect());
    const POINT mainCentre = CentreOf(m_main.ScreenRect());
    EXPECT_LE(std::abs(aboutCentre.x - mainCentre.x), 1);
    EXPECT_LE(std::abs(aboutCentre.y - mainCentre.y), 1);
    SaveScreenshot(about, L"about.png");
    const std::string expected = Signature(about);
    ASSERT_TRUE(CloseAbout(about));

    for (const WPARAM command : {0x0010, 0x0011, 0x0017, 0x001F}) {
        SCOPED_TRACE("system command " + std::to_string(command));
        const RemoteWindow again = OpenAboutFromSystemMenu(command);
        ASSERT_TRUE(again) << "the system command opened nothing";
        EXPECT_EQ(Signature(again), expected);
        ASSERT_TRUE(CloseAbout(again));
    }
}

// The link's tool tip names the template's address; a click opens the address it shows.
TEST_F(HelpAboutTest, AboutLinkShowsItsAddressAndOpensTheWebSite) {
    const RemoteWindow about = OpenAbout();
    ASSERT_TRUE(about) << "the About button opened nothing";
    const RemoteWindow link = about.Child(IDC_ABOUT_LINK);
    ASSERT_TRUE(MoveMouseTo(CentreOf(link.ScreenRect())));
    EXPECT_TRUE(ToolTipShows(*m_run, kWebSiteWithSlash));
    ASSERT_TRUE(ClickWithMouse(link));
    ASSERT_TRUE(WaitUntil([&] { return !m_run->OpenedAddresses().empty(); })) << "no address was opened";
    EXPECT_EQ(m_run->OpenedAddresses(), std::vector<std::wstring>{kWebSite});
    EXPECT_TRUE(about.Exists()) << "the About box stays open";
    ASSERT_TRUE(MoveMouseTo(ParkingSpot()));
    ASSERT_TRUE(CloseAbout(about));
}

TEST_F(HelpAboutTest, RecoveryButtonsShowTheirCaptionsAsToolTips) {
    PlugConnected();
    ASSERT_TRUE(Shows({kConnected, true, false}));
    ASSERT_TRUE(MoveMouseTo(CentreOf(m_main.Child(IDC_ENTER_RECOVERY).ScreenRect())));
    EXPECT_TRUE(ToolTipShows(*m_run, kEnterCaption));
    ASSERT_TRUE(MoveMouseTo(ParkingSpot()));
    EXPECT_TRUE(WaitUntil([&] { return VisibleToolTip(*m_run).empty(); })) << "the tool tip stays";

    ASSERT_TRUE(Click(IDC_ENTER_RECOVERY));
    ASSERT_TRUE(Shows({kConnected, false, true}));
    ASSERT_TRUE(MoveMouseTo(CentreOf(m_main.Child(IDC_EXIT_RECOVERY).ScreenRect())));
    EXPECT_TRUE(ToolTipShows(*m_run, kExitCaption));
}

} // namespace
