// Start-up failures of the real program, one row per install: what the user is told, how the
// process ends, and how far the initialisation went (monitoring, title, footer, image buttons,
// data folder), seen from outside and through the window recorder.
#include "Artwork.h"
#include "FerroliteRun.h"
#include "ProgramTexts.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Where LayoutButtons leaves the two image buttons.
enum class ButtonLayout {
    NotRun,    // initialisation ended before the layout: neither button was placed
    Framed,    // both at their frame size, About 15 pixels right of Help
    HelpEmpty, // Help at its template corner with no size, About not placed at all
};

struct StartupCase {
    const char* name;
    const wchar_t* layout; // the simulator's layout, or null for a folder without Apple's libraries
    std::vector<std::wstring> omittedImages;
    bool withoutImagesFolder;
    std::vector<std::wstring> messages; // the message-box texts the program sets, in order
    DWORD exitStatus;
    bool initialised; // monitoring, footer, title and data folder
    ButtonLayout buttons;
};

void PrintTo(const StartupCase& row, std::ostream* out) {
    *out << row.name;
}

std::string Shown(const std::wstring& text) {
    std::string shown;
    for (const char c : Narrow(text)) {
        shown += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return '"' + shown + '"';
}

bool IsFailureMessage(const std::wstring& text) {
    for (const wchar_t* message : {kNeedITunes, kBitmapsFailed, kButtonsFailed, kAboutResourcesFailed}) {
        if (text == message) {
            return true;
        }
    }
    return false;
}

const StartupCase kStartupCases[] = {
    {"NoAppleLibraries", nullptr, {}, false, {kNeedITunes}, 0, false, ButtonLayout::NotRun},
    {"NoAppleLibrariesAndNoImagesFolder", nullptr, {}, true, {kNeedITunes}, 0, false, ButtonLayout::NotRun},
    {"NoDeviceLibrary", L"no-device-library", {}, false, {kNeedITunes}, 0, false, ButtonLayout::NotRun},
    {"NoCoreFoundation", L"no-core-foundation", {}, false, {kNeedITunes}, 0, false, ButtonLayout::NotRun},
    {"LibrariesInEachOthersFolder", L"swapped", {}, false, {kNeedITunes}, 0, false, ButtonLayout::NotRun},
    {"HeaderBitmapMissing", L"full", {kHeaderImage}, false, {kBitmapsFailed}, 18, true, ButtonLayout::Framed},
    {"HelpImageMissing", L"full", {kHelpImage}, false, {kButtonsFailed}, 0, true, ButtonLayout::HelpEmpty},
    // The bitmap path runs to its end (its box, then its quit request with 18), then the buttons
    // path: its box is made, but the pending quit request ends it at once, and the WM_QUIT that the
    // buttons path posts (wParam 0) is what the dialog's loop retrieves first, so the status is 0.
    {"HeaderBitmapAndHelpImageMissing",
     L"full",
     {kHeaderImage, kHelpImage},
     false,
     {kBitmapsFailed, kButtonsFailed},
     0,
     true,
     ButtonLayout::HelpEmpty},
};

class StartupFailureTest : public testing::TestWithParam<StartupCase> {};

TEST_P(StartupFailureTest, TellsTheUserAndEndsAfterInitialisingAsFarAsItShould) {
    const StartupCase& row = GetParam();
    ASSERT_TRUE(RemovePath(DataFolderPath()));
    const std::wstring program = MakeInstall(Widen(row.name), row.omittedImages, row.withoutImagesFolder);
    const FerroliteRun run(row.layout ? SimLayout(row.layout) : EmptyLayout(), program);
    ASSERT_EQ(run.StartError(), "");

    const RemoteWindow first = run.WaitForMessageBox();
    ASSERT_TRUE(first) << "no message box; " << run.Describe();
    // While the first box waits for the user, the steps before it have run and the title has not.
    EXPECT_EQ(run.SimServing(), row.initialised)
        << "device monitoring (the simulator's pipe comes up with it)";
    const RemoteWindow main = first.Owner();
    ASSERT_TRUE(main.Child(IDC_STATUS)) << "the message box is not owned by the main dialog";
    EXPECT_EQ(main.Text(), kTemplateCaption);
    const RECT helpAtStart = main.Child(IDC_HELP_BUTTON).RectInParent();
    const RECT aboutAtStart = main.Child(IDC_ABOUT_BUTTON).RectInParent();

    const std::optional<MessageBoxSeen> seen = run.DismissMessageBox(first);
    ASSERT_TRUE(seen) << "the message box did not close on OK";
    std::vector<MessageBoxSeen> boxes{*seen};
    for (const MessageBoxSeen& later : run.DismissMessageBoxesUntilExit()) {
        boxes.push_back(later);
    }
    const std::optional<DWORD> status = run.WaitForExit();
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_EQ(*status, row.exitStatus);

    const WindowLog log = run.WindowEvents();
    std::vector<std::wstring> messages;
    for (const WindowEvent& event : log.Events()) {
        if (event.kind == WindowEvent::Kind::Text && IsFailureMessage(event.text)) {
            messages.push_back(event.text);
        }
    }
    EXPECT_EQ(messages, row.messages) << "message texts the program set, in order:\n" << log.Describe();
    ASSERT_FALSE(boxes.empty());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE("message box " + std::to_string(i + 1));
        ASSERT_LT(i, row.messages.size()) << "one box too many: " << Shown(boxes[i].text);
        EXPECT_EQ(Shown(boxes[i].text), Shown(row.messages[i]));
        EXPECT_EQ(boxes[i].caption, kApplicationName);
        EXPECT_EQ(boxes[i].owner.Handle(), main.Handle());
    }
    if (row.messages.size() == 1) {
        EXPECT_EQ(boxes.size(), 1u) << "exactly one message box";
    }

    const int failure = log.FindText(row.messages.front());
    const int title = log.FindWindowText(main.Handle(), kTitle);
    const int footer = log.FindChildText(main.Handle(), IDC_FOOTER, kFooter);
    if (row.initialised) {
        EXPECT_GT(footer, failure) << "the footer is set after the failure was reported:\n" << log.Describe();
        EXPECT_GT(title, footer) << "the title is set last:\n" << log.Describe();
        EXPECT_TRUE(IsFolder(DataFolderPath())) << "the data folder";
    } else {
        EXPECT_EQ(title, -1) << "the caption stays \"Pivotra\":\n" << log.Describe();
        EXPECT_EQ(log.CountChildTexts(main.Handle(), IDC_FOOTER), 0) << "no footer:\n" << log.Describe();
        EXPECT_FALSE(PathExists(DataFolderPath())) << "no data folder";
    }

    const std::optional<RECT> help = log.LastRect(main.Handle(), IDC_HELP_BUTTON);
    const std::optional<RECT> about = log.LastRect(main.Handle(), IDC_ABOUT_BUTTON);
    switch (row.buttons) {
    case ButtonLayout::NotRun:
        EXPECT_FALSE(help) << log.Describe();
        EXPECT_FALSE(about) << log.Describe();
        break;
    case ButtonLayout::Framed: {
        const SIZE helpFrame = Artwork::StripFrameSize(ImagesFolder(program) + L"\\" + kHelpImage);
        const SIZE aboutFrame = Artwork::StripFrameSize(ImagesFolder(program) + L"\\" + kAboutImage);
        ASSERT_TRUE(help && about) << log.Describe();
        EXPECT_EQ(help->left, helpAtStart.left);
        EXPECT_EQ(help->top, helpAtStart.top);
        EXPECT_EQ(help->right - help->left, helpFrame.cx);
        EXPECT_EQ(help->bottom - help->top, helpFrame.cy);
        EXPECT_EQ(about->left, helpAtStart.left + aboutFrame.cx + kImageButtonGap);
        EXPECT_EQ(about->top, helpAtStart.top);
        EXPECT_EQ(about->right - about->left, aboutFrame.cx);
        EXPECT_EQ(about->bottom - about->top, aboutFrame.cy);
        break;
    }
    case ButtonLayout::HelpEmpty:
        ASSERT_TRUE(help) << "the Help button was not placed:\n" << log.Describe();
        EXPECT_EQ(help->left, helpAtStart.left);
        EXPECT_EQ(help->top, helpAtStart.top);
        EXPECT_EQ(help->right, help->left) << "the Help image that failed measures 0 x 0";
        EXPECT_EQ(help->bottom, help->top);
        EXPECT_FALSE(about) << "the About image is never loaded, so the About button is never placed:\n"
                            << log.Describe();
        EXPECT_NE(aboutAtStart.right - aboutAtStart.left, 0);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, StartupFailureTest, testing::ValuesIn(kStartupCases),
                         [](const testing::TestParamInfo<StartupCase>& info) {
                             return std::string(info.param.name);
                         });

// The band bitmap goes missing after start; opening the About box reports it and ends the program.
TEST(AboutBandMissingTest, OpeningTheAboutBoxReportsItAndEndsTheProgram) {
    const std::wstring program = MakeInstall(L"AboutBandMissing", {});
    const FerroliteRun run(SimLayout(L"full"), program);
    ASSERT_EQ(run.StartError(), "");
    const RemoteWindow main = run.WaitForMainWindow();
    ASSERT_TRUE(main) << "the main window did not show; " << run.Describe();
    ASSERT_TRUE(RemovePath(ImagesFolder(program) + L"\\" + kHeaderImage));

    ASSERT_TRUE(main.Child(IDC_ABOUT_BUTTON).PostClick());
    const RemoteWindow box = run.WaitForMessageBox();
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box.Owner().Text(), kAboutCaption) << "the box belongs to the About box";
    const std::optional<MessageBoxSeen> seen = run.DismissMessageBox(box);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->text, kAboutResourcesFailed);
    EXPECT_EQ(seen->caption, kApplicationName);
    const std::vector<MessageBoxSeen> more = run.DismissMessageBoxesUntilExit();
    EXPECT_TRUE(more.empty()) << "another box: " << Shown(more.front().text);
    const std::optional<DWORD> status = run.WaitForExit();
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_EQ(*status, 0u);
}

} // namespace
