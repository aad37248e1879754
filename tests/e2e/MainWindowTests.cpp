// The main window of a normal start: its caption, texts and buttons, the ordinary close, and the
// data folder in the shared documents folder.
#include "FerroliteRun.h"
#include "ProgramTexts.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindowTest, ShowsTitleTextsAndFooterAndClosesWithStatusZero) {
    const FerroliteRun run(SimLayout(L"full"));
    ASSERT_EQ(run.StartError(), "");
    const RemoteWindow main = run.WaitForMainWindow();
    ASSERT_TRUE(main) << "the main window did not show; " << run.Describe();
    EXPECT_EQ(main.Text(), kTitle);
    EXPECT_EQ(main.Child(IDC_FOOTER).Text(), kFooter);
    EXPECT_EQ(main.Child(IDC_STATUS).Text(), kTemplateStatus);
    EXPECT_EQ(main.Child(IDC_ENTER_RECOVERY).Text(), kEnterCaption);
    EXPECT_EQ(main.Child(IDC_EXIT_RECOVERY).Text(), kExitCaption);
    EXPECT_FALSE(main.Child(IDC_ENTER_RECOVERY).Enabled());
    EXPECT_FALSE(main.Child(IDC_EXIT_RECOVERY).Enabled());
    EXPECT_TRUE(main.Child(IDC_HELP_BUTTON).Enabled());
    EXPECT_TRUE(main.Child(IDC_ABOUT_BUTTON).Enabled());
    bool description = false;
    for (const RemoteWindow& child : main.Children()) {
        description = description || child.Text() == kDescription;
    }
    EXPECT_TRUE(description) << "the line of description";
    EXPECT_FALSE(run.MessageBox()) << "a message box: "
                                   << Narrow(FerroliteRun::MessageBoxText(run.MessageBox()));
    EXPECT_TRUE(run.SimServing()) << "device monitoring";

    const std::optional<DWORD> status = run.Close();
    ASSERT_TRUE(status) << "the program did not end when its close box was used";
    EXPECT_EQ(*status, 0u);
    const WindowLog log = run.WindowEvents();
    EXPECT_EQ(log.FindText(kBitmapsFailed), -1) << log.Describe();
    EXPECT_EQ(log.FindText(kButtonsFailed), -1) << log.Describe();
}

// The folder is made when absent; a later start finds it and leaves it, and whatever is in it, alone.
TEST(DataFolderTest, IsCreatedOnceAndThenLeftAlone) {
    ASSERT_TRUE(RemovePath(DataFolderPath()));
    const std::wstring marker = DataFolderPath() + L"\\marker.txt";
    {
        const FerroliteRun run(SimLayout(L"full"));
        ASSERT_TRUE(run.WaitForMainWindow()) << "the main window did not show; " << run.Describe();
        EXPECT_TRUE(IsFolder(DataFolderPath())) << Narrow(DataFolderPath());
        ASSERT_TRUE(WriteTextFile(marker, "kept"));
        EXPECT_EQ(run.Close(), std::optional<DWORD>(0));
    }
    const FerroliteRun again(SimLayout(L"full"));
    ASSERT_TRUE(again.WaitForMainWindow()) << "the main window did not show; " << again.Describe();
    EXPECT_TRUE(IsFolder(DataFolderPath()));
    EXPECT_EQ(ReadTextFile(marker), "kept");
    EXPECT_EQ(again.Close(), std::optional<DWORD>(0));
}

TEST(DataFolderTest, AFileOfThatNameIsLeftAlone) {
    ASSERT_TRUE(RemovePath(DataFolderPath()));
    ASSERT_TRUE(WriteTextFile(DataFolderPath(), "not a folder"));
    const FerroliteRun run(SimLayout(L"full"));
    ASSERT_TRUE(run.WaitForMainWindow()) << "the main window did not show; " << run.Describe();
    EXPECT_TRUE(IsFile(DataFolderPath()));
    EXPECT_EQ(ReadTextFile(DataFolderPath()), "not a folder");
    EXPECT_FALSE(run.MessageBox()) << "nothing is reported";
    EXPECT_EQ(run.Close(), std::optional<DWORD>(0));
    EXPECT_TRUE(RemovePath(DataFolderPath()));
}

} // namespace
