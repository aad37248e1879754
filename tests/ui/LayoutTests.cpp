// Placing the two image buttons: each takes one frame of its strip, Help stays on its template
// corner, About sits beside it on the same top edge; size notifications before the buttons exist
// and minimising and restoring.
#include "UiTestSupport.h"

namespace uitest {
namespace {

constexpr int kGap = 15;

struct LayoutCase {
    const char* name;
    SIZE help;
    SIZE about;
};

const LayoutCase kLayoutCases[] = {
    {"EqualFrames", {40, 24}, {40, 24}},
    {"WiderAbout", {30, 20}, {64, 28}},
    {"NarrowerAbout", {60, 24}, {22, 18}},
};

void PrintTo(const LayoutCase& layout, std::ostream* out) {
    *out << layout.name;
}

class LayoutTest : public MainDialogTest, public testing::WithParamInterface<LayoutCase> {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(WriteButtonStrip(L"Button_Top_Help.png", GetParam().help, 255));
        ASSERT_NO_FATAL_FAILURE(WriteButtonStrip(L"Button_Top_About.png", GetParam().about, 255));
        ASSERT_NO_FATAL_FAILURE(Open());
    }

    // The About button's place for the Help button's rectangle: its own frame width plus the gap
    // to the right of Help's left edge, on Help's top edge.
    CRect ExpectedAbout(const CRect& help) const {
        const SIZE about = GetParam().about;
        const int left = help.left + about.cx + kGap;
        return CRect(left, help.top, left + about.cx, help.top + about.cy);
    }
};

TEST_P(LayoutTest, ButtonsTakeOneFrameAndAboutSitsBesideHelp) {
    const LayoutCase& layout = GetParam();
    const CRect corner = MapTemplateRect(247, 7, 50, 14);
    const CRect help = ChildRect(IDC_HELP_BUTTON);
    EXPECT_EQ(help, CRect(corner.TopLeft(), layout.help))
        << "Help keeps its template corner at one frame's size";
    const CRect about = ChildRect(IDC_ABOUT_BUTTON);
    EXPECT_EQ(about, ExpectedAbout(help));
    EXPECT_EQ(about.top, help.top) << "both buttons share Help's top edge";
    if (layout.help.cx == layout.about.cx) {
        EXPECT_EQ(about.left - help.right, kGap) << "with equal frames the gap is between the two buttons";
    }
}

TEST_P(LayoutTest, MinimiseAndRestoreGiveTheSameLayout) {
    const CRect help = ChildRect(IDC_HELP_BUTTON);
    const CRect about = ChildRect(IDC_ABOUT_BUTTON);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ::ShowWindow(Hwnd(), SW_MINIMIZE);
        ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(Hwnd()) != FALSE; })) << "the dialog did not minimise";
        EXPECT_TRUE(m_dlg->m_rcClient.IsRectEmpty())
            << "minimised, the stored client rectangle is " << RectText(m_dlg->m_rcClient);
        ::ShowWindow(Hwnd(), SW_RESTORE);
        ASSERT_TRUE(PumpUntil([&] { return !::IsIconic(Hwnd()); })) << "the dialog did not restore";
        CRect client;
        ::GetClientRect(Hwnd(), &client);
        EXPECT_EQ(m_dlg->m_rcClient, client) << "restoring stores the full client rectangle again";
        EXPECT_EQ(ChildRect(IDC_HELP_BUTTON), help);
        EXPECT_EQ(ChildRect(IDC_ABOUT_BUTTON), about);
    }
}

INSTANTIATE_TEST_SUITE_P(Frames, LayoutTest, testing::ValuesIn(kLayoutCases),
                         [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

using SizeNotificationTest = MainDialogTest;

// The platform's first size notification comes while the window is being created, before its
// controls exist.
TEST_F(SizeNotificationTest, FirstNotificationOnlyStoresTheClientRectangle) {
    ASSERT_NO_FATAL_FAILURE(Open());
    const FirstSizeRecord& first = m_dlg->m_firstSize;
    ASSERT_TRUE(first.seen) << "no size notification reached the dialog";
    EXPECT_FALSE(first.helpControlExisted) << "the first size notification came after the controls were made";
    EXPECT_FALSE(first.helpBound);
    EXPECT_EQ(first.storedBefore, CRect());
    EXPECT_FALSE(first.clientRect.IsRectEmpty());
    EXPECT_EQ(first.storedAfter, first.clientRect);
}

// Without a Help window the layout is skipped as a whole: About, although it has its image, is
// neither measured nor moved.
TEST_F(SizeNotificationTest, WithoutHelpWindowNothingMoves) {
    ASSERT_NO_FATAL_FAILURE(Open());
    const HWND about = ::GetDlgItem(Hwnd(), IDC_ABOUT_BUTTON);
    ASSERT_TRUE(::MoveWindow(about, 3, 4, 10, 11, FALSE));
    ASSERT_TRUE(m_dlg->m_btnHelp.DestroyWindow());
    ASSERT_EQ(m_dlg->m_btnHelp.m_hWnd, nullptr);
    m_dlg->m_rcClient = CRect();
    ::SendMessageW(Hwnd(), WM_SIZE, SIZE_RESTORED, 0);
    CRect client;
    ::GetClientRect(Hwnd(), &client);
    EXPECT_EQ(m_dlg->m_rcClient, client);
    EXPECT_EQ(ChildRect(about), CRect(3, 4, 13, 15));
}

} // namespace
} // namespace uitest
