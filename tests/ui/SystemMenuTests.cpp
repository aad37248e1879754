// The About entry of the system menu, and which system commands open the About box: every
// identifier that masks to the entry's command does, every other one takes the default path.
#include "UiTestSupport.h"

#include <iomanip>
#include <sstream>
#include <vector>

namespace uitest {
namespace {

constexpr UINT kAboutCommand = 0x0010;

std::string Hex(UINT id) {
    std::ostringstream text;
    text << "0x" << std::hex << std::uppercase << std::setw(4) << std::setfill('0') << id;
    return text.str();
}

using SystemMenuTest = MainDialogTest;

TEST_F(SystemMenuTest, EndsWithSeparatorAndAboutEntry) {
    ASSERT_NO_FATAL_FAILURE(Open());
    const HMENU menu = ::GetSystemMenu(Hwnd(), FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 3);

    wchar_t text[64] = {};
    MENUITEMINFOW about{};
    about.cbSize = sizeof(about);
    about.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
    about.dwTypeData = text;
    about.cch = 64;
    ASSERT_TRUE(::GetMenuItemInfoW(menu, count - 1, TRUE, &about));
    EXPECT_EQ(about.wID, kAboutCommand);
    EXPECT_EQ(about.fType, static_cast<UINT>(MFT_STRING));
    EXPECT_EQ(about.fState & (MFS_DISABLED | MFS_GRAYED), 0u);
    EXPECT_EQ(std::wstring(text), L"&About Ferrolite...");

    MENUITEMINFOW separator{};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu, count - 2, TRUE, &separator));
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR) << "the item before the About entry is not a separator";

    int aboutItems = 0;
    for (int i = 0; i < count; ++i)
        aboutItems += ::GetMenuItemID(menu, i) == kAboutCommand ? 1 : 0;
    EXPECT_EQ(aboutItems, 1);

    // Before the two items stand the platform's own, unchanged: a fresh copy of the default
    // menu (made by reverting the window's) holds exactly those.
    std::vector<UINT> own;
    for (int i = 0; i < count - 2; ++i)
        own.push_back(::GetMenuItemID(menu, i));
    ::GetSystemMenu(Hwnd(), TRUE);
    const HMENU fresh = ::GetSystemMenu(Hwnd(), FALSE);
    ASSERT_NE(fresh, nullptr);
    std::vector<UINT> platform;
    for (int i = 0; i < ::GetMenuItemCount(fresh); ++i)
        platform.push_back(::GetMenuItemID(fresh, i));
    EXPECT_EQ(own, platform);
}

// The box opens inside the command, owned by the main dialog; the watcher closes it and the
// command returns with the box gone and the main dialog usable again.
TEST_F(SystemMenuTest, EveryIdentifierOfTheAboutCommandOpensTheAboutBox) {
    ASSERT_NO_FATAL_FAILURE(Open());
    for (UINT id = kAboutCommand; id <= kAboutCommand + 0xF; ++id) {
        SCOPED_TRACE("WM_SYSCOMMAND " + Hex(id));
        DialogWatcher watcher;
        ::SendMessageW(Hwnd(), WM_SYSCOMMAND, id, 0);
        ASSERT_FALSE(watcher.m_gaveUp) << "a modal loop ran but no dialog appeared in it";
        ASSERT_EQ(watcher.m_seen.size(), 1u) << "the About box did not appear";
        const SeenDialog& box = watcher.m_seen.front();
        EXPECT_EQ(box.caption, L"About Ferrolite");
        EXPECT_EQ(box.owner, Hwnd());
        EXPECT_FALSE(::IsWindow(box.hwnd)) << "the About box outlived the command";
        EXPECT_TRUE(::IsWindowEnabled(Hwnd()));
        Pump();
        EXPECT_TRUE(m_quitCodes.empty()) << "closing the About box requested the end of the program";
    }
}

enum class After { Unchanged, Minimised, Hidden };

struct DefaultCase {
    const char* name;
    UINT id;
    After after;
};

// Identifiers beside the About range, and two platform commands whose effect shows that the
// default handling ran.
const DefaultCase kDefaultCases[] = {
    {"BelowTheRange", 0x000F, After::Unchanged},
    {"AboveTheRange", 0x0020, After::Unchanged},
    {"AboutBitsInAnotherCommand", 0x0110, After::Unchanged},
    {"Minimise", SC_MINIMIZE, After::Minimised},
    {"Close", SC_CLOSE, After::Hidden},
};

void PrintTo(const DefaultCase& command, std::ostream* out) {
    *out << command.name;
}

class DefaultSysCommandTest : public MainDialogTest, public testing::WithParamInterface<DefaultCase> {};

TEST_P(DefaultSysCommandTest, TakesTheDefaultPath) {
    ASSERT_NO_FATAL_FAILURE(Open());
    DialogWatcher watcher;
    ::SendMessageW(Hwnd(), WM_SYSCOMMAND, GetParam().id, 0);
    // The Close command's Cancel request is posted; a short pump delivers it.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    Pump();
    EXPECT_EQ(watcher.m_seen.size(), 0u) << "a dialog appeared, so the About branch ran";
    switch (GetParam().after) {
    case After::Unchanged:
        EXPECT_TRUE(::IsWindowVisible(Hwnd()));
        EXPECT_FALSE(::IsIconic(Hwnd()));
        break;
    case After::Minimised:
        EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(Hwnd()) != FALSE; })) << "the dialog did not minimise";
        break;
    case After::Hidden:
        EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(Hwnd()); }))
            << "the Cancel handling did not end it";
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, DefaultSysCommandTest, testing::ValuesIn(kDefaultCases),
                         [](const testing::TestParamInfo<DefaultCase>& info) { return info.param.name; });

} // namespace
} // namespace uitest
