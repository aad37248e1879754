// The device tests' shared fixture: the application object, binding from a simulator layout,
// and the main dialog.
#include "DeviceTestSupport.h"

#include "CWinApp.h"
#include "DeviceEffectMailbox.h"
#include "DeviceMonitor.h"
#include "MobileDeviceApi.h"
#include "SimFormat.h"

#include <windows.h>

#include <ostream>

namespace {

// The test program's application object, whose main window the handlers post to.
CWinApp g_testApp(L"Ferrolite device tests");

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

} // namespace

std::wstring SimLayoutPath(const wchar_t* layout) {
    return std::wstring(FERROLITE_SIM_LAYOUTS) + L"\\" + layout;
}

void SimLayoutEnvironment::SetUp() {
    ASSERT_TRUE(SetEnvironmentVariableW(L"CommonProgramFiles", SimLayoutPath(m_layout).c_str()));
    ASSERT_TRUE(SetEnvironmentVariableW(L"FERROLITE_SIM_PIPE", L"none"));
    ASSERT_TRUE(BindMobileDeviceLibrary()) << "the simulator's layout " << Narrow(SimLayoutPath(m_layout))
                                           << " did not bind; is the build's sim/ folder complete?";
    if (m_monitor) {
        StartDeviceMonitoring();
    }
}

// The simulator holds its notifications, so that only the tests decide when the library's
// thread delivers one (the dialog may start monitoring when it initialises).
void MainDialogTest::SetUp() {
    ASSERT_TRUE(m_sim.Reset()) << "no simulated device library in this process";
    ASSERT_TRUE(m_sim.Hold(true));
    OpenDialog();
    ASSERT_TRUE(m_sim.ClearLog());
}

void MainDialogTest::TearDown() {
    CloseDialog();
    m_sim.Reset();
}

void MainDialogTest::OpenDialog() {
    m_dlg = new TestMainDialog();
    // Registered before it exists, so that its handle is published the moment it is created.
    g_testApp.m_pMainWnd = m_dlg;
    ASSERT_TRUE(m_dlg->Create(IDD_MAIN_DIALOG)) << "the main dialog template is missing";
    Pump();
}

void MainDialogTest::CloseDialog() {
    if (!m_dlg) {
        return;
    }
    m_dlg->DestroyWindow();
    delete m_dlg;
    m_dlg = nullptr;
    g_testApp.m_pMainWnd = nullptr;
    Pump();
}

std::wstring MainDialogTest::StatusText() const {
    wchar_t text[256] = {};
    GetDlgItemTextW(m_dlg->GetSafeHwnd(), IDC_STATUS, text, static_cast<int>(std::size(text)));
    return text;
}

bool MainDialogTest::EnterEnabled() const {
    return IsWindowEnabled(GetDlgItem(m_dlg->GetSafeHwnd(), IDC_ENTER_RECOVERY));
}

bool MainDialogTest::ExitEnabled() const {
    return IsWindowEnabled(GetDlgItem(m_dlg->GetSafeHwnd(), IDC_EXIT_RECOVERY));
}

void MainDialogTest::Click(int id) {
    const HWND button = GetDlgItem(m_dlg->GetSafeHwnd(), id);
    ASSERT_TRUE(IsWindowEnabled(button)) << "button " << id << " is disabled, so a user could not click it";
    SendMessageW(button, BM_CLICK, 0, 0);
}

int MainDialogTest::Pump() {
    int effects = 0;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_DEVICE_EFFECT) {
            ++effects;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return effects;
}

bool MainDialogTest::PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        Pump();
        if (condition()) {
            return true;
        }
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::milliseconds{0}) {
            return false;
        }
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms), QS_ALLINPUT);
    }
}

void* MainDialogTest::PlugDevice(const char* mode, const char* flags) {
    const int id = m_sim.Plug(mode, flags);
    EXPECT_NE(id, 0) << "the simulator refused to plug in a " << mode << " device";
    return m_sim.Handle(id);
}

std::string CallLine(const char* entry, void* device, int result) {
    return std::string(entry) + "(" + SimFormatPointer(device) + ") -> " + SimFormatResult(result);
}

std::string CallLine(const char* entry, void* device, int argument, int result) {
    return std::string(entry) + "(" + SimFormatPointer(device) + ", " + std::to_string(argument) + ") -> " +
           SimFormatResult(result);
}

void PrintTo(const WindowState& state, std::ostream* out) {
    *out << "{\"" << Narrow(state.status) << "\", Enter " << (state.enter ? "enabled" : "disabled")
         << ", Exit " << (state.exit ? "enabled" : "disabled") << "}";
}
