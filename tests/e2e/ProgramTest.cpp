// The normally started program as the driving tests share it.
#include "ProgramTest.h"

#include "MouseInput.h"
#include "Screenshot.h"
#include "resource.h"

#include <cstdlib>

void PrintTo(const WindowState& state, std::ostream* out) {
    *out << '"' << Narrow(state.status) << "\", Enter " << (state.enter ? "enabled" : "disabled") << ", Exit "
         << (state.exit ? "enabled" : "disabled");
}

std::string LogLines(const std::vector<std::string>& log) {
    std::string text;
    for (const std::string& line : log) {
        text += "  " + line + "\n";
    }
    return text;
}

namespace {

int Distance(COLORREF a, COLORREF b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return sum;
}

// Whether the middle of the caption of a window's picture has an active caption's colour.
bool DrawnActive(const Screenshot& shot) {
    const COLORREF middle = shot.At(shot.Width() / 2, 4);
    const auto blend = [](COLORREF a, COLORREF b) {
        return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
                   (GetBValue(a) + GetBValue(b)) / 2);
    };
    const COLORREF active = blend(GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_GRADIENTACTIVECAPTION));
    const COLORREF inactive =
        blend(GetSysColor(COLOR_INACTIVECAPTION), GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
    return Distance(middle, active) < Distance(middle, inactive);
}

} // namespace

void ProgramTest::SetUp() {
    ASSERT_TRUE(MoveMouseTo(ParkingSpot()));
    m_run = std::make_unique<FerroliteRun>(SimLayout(L"full"));
    ASSERT_EQ(m_run->StartError(), "");
    m_main = m_run->WaitForMainWindow();
    ASSERT_TRUE(m_main) << "the main window did not show; " << m_run->Describe();
    ASSERT_TRUE(m_run->WaitForSim()) << "the simulator's pipe did not come up";
    m_sim = std::make_unique<SimClient>(m_run->Sim());
    ASSERT_TRUE(m_sim->Hold(true));
    ASSERT_TRUE(m_sim->SetDelay(std::chrono::milliseconds{0}));
    ASSERT_TRUE(m_sim->ClearLog());
}

void ProgramTest::TearDown() {
    MoveMouseTo(ParkingSpot());
    if (m_run && m_main.Exists()) {
        EXPECT_EQ(m_run->Close(), std::optional<DWORD>(0)) << "the close box ends the program with status 0";
    }
}

WindowState ProgramTest::State() const {
    return {m_main.Child(IDC_STATUS).Text(), m_main.Child(IDC_ENTER_RECOVERY).Enabled(),
            m_main.Child(IDC_EXIT_RECOVERY).Enabled()};
}

testing::AssertionResult ProgramTest::Shows(const WindowState& expected) const {
    if (WaitUntil([&] { return State() == expected; })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the window shows " << testing::PrintToString(State())
                                       << " instead of " << testing::PrintToString(expected);
}

testing::AssertionResult ProgramTest::Step(const char* kind) const {
    const std::string reply = m_sim->Execute("step");
    if (reply.rfind(std::string("delivered ") + kind, 0) == 0) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "expected the " << kind << " notification; the simulator said: " << reply;
}

testing::AssertionResult ProgramTest::Click(int id) const {
    const RemoteWindow button = m_main.Child(id);
    if (!button.Enabled()) {
        return testing::AssertionFailure() << "button " << id << " is disabled";
    }
    if (!button.Click()) {
        return testing::AssertionFailure() << "button " << id << " did not answer its click";
    }
    return testing::AssertionSuccess();
}

int ProgramTest::PlugConnected(const char* flags) const {
    const int device = m_sim->Plug("normal", flags);
    EXPECT_GT(device, 0) << "the simulator refused the device";
    EXPECT_TRUE(Step("normal-attach"));
    return device;
}

RemoteWindow ProgramTest::OpenAbout() const {
    if (!m_main.Child(IDC_ABOUT_BUTTON).PostClick()) {
        return {};
    }
    return m_run->WaitForAboutBox();
}

RemoteWindow ProgramTest::OpenAboutFromSystemMenu(WPARAM command) const {
    if (!m_main.Post(WM_SYSCOMMAND, command)) {
        return {};
    }
    return m_run->WaitForAboutBox();
}

testing::AssertionResult ProgramTest::CloseAbout(const RemoteWindow& about) const {
    if (!about.Child(IDOK).PostClick()) {
        return testing::AssertionFailure() << "the About box has no enabled OK button";
    }
    if (!WaitUntil([&] { return !about.Exists() && m_main.Enabled(); })) {
        return testing::AssertionFailure()
               << "the About box did not close, or the main window stayed disabled";
    }
    return testing::AssertionSuccess();
}

void ProgramTest::ActivateMainWindow() const {
    const RemoteWindow about = OpenAboutFromSystemMenu(IDM_ABOUTBOX);
    ASSERT_TRUE(about) << "the About box did not open";
    ASSERT_TRUE(CloseAbout(about));
}

void ProgramTest::SaveScreenshot(const RemoteWindow& window, const wchar_t* file) const {
    if (window.Handle() == m_main.Handle()) {
        ActivateMainWindow();
    }
    // The caption turns active a moment after the window is activated.
    std::optional<Screenshot> shot;
    const bool active = WaitUntil([&] {
        shot = Screenshot::CaptureSettled(window.ScreenRect());
        return shot && DrawnActive(*shot);
    });
    ASSERT_TRUE(shot) << "the window kept changing";
    EXPECT_TRUE(active) << "the window's caption is drawn inactive";
    EXPECT_TRUE(shot->SavePng(ScreenshotPath(file)));
}
