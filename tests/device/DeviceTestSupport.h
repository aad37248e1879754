// What the device tests share: binding the simulated library from one of its install layouts
// for the whole test program, and a main dialog registered as the application's main window,
// with ways to read and click it and to deliver its queued messages.
#pragma once

#include "PivotraDlg.h"
#include "SimClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

// The simulator's install layout of that name, as a CommonProgramFiles value.
std::wstring SimLayoutPath(const wchar_t* layout);

// Binds the library from the layout once for the test program; with monitor, also starts device
// monitoring. The command pipe is switched off: these tests drive the simulator in-process.
class SimLayoutEnvironment : public testing::Environment {
public:
    SimLayoutEnvironment(const wchar_t* layout, bool monitor) : m_layout(layout), m_monitor(monitor) {}
    void SetUp() override;

private:
    const wchar_t* m_layout;
    bool m_monitor;
};

// The main dialog's device side, as the tests see it.
class TestMainDialog : public CPivotraDlg {
public:
    using CPivotraDlg::m_btnEnter;
    using CPivotraDlg::m_btnExit;
};

class MainDialogTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the dialog and makes it the main window (SetUp does it once).
    void OpenDialog();
    void CloseDialog();

    std::wstring StatusText() const;
    bool EnterEnabled() const;
    bool ExitEnabled() const;
    // Clicks a button as a user would; fails the test if the button is disabled.
    void Click(int id);
    // Dispatches every message queued for this thread; returns how many WM_DEVICE_EFFECT were among them.
    int Pump();
    // Dispatches messages until the condition holds; false when it did not within the timeout.
    bool PumpUntil(const std::function<bool()>& condition,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds{10000});

    // A device plugged into the simulator, and its handle.
    void* PlugDevice(const char* mode, const char* flags = "");

    SimClient m_sim = SimClient::InProcess();
    TestMainDialog* m_dlg = nullptr;
};

// The lines the simulator's call log holds for a call: "Name(arg, ...) -> result".
std::string CallLine(const char* entry, void* device, int result);
std::string CallLine(const char* entry, void* device, int argument, int result);

// The window state the tests compare: status text and both buttons.
struct WindowState {
    std::wstring status;
    bool enter;
    bool exit;
    bool operator==(const WindowState&) const = default;
};
void PrintTo(const WindowState& state, std::ostream* out);

inline constexpr wchar_t kTemplateStatus[] = L"Your iOS device is not connected.";
inline constexpr wchar_t kConnected[] = L"Your iOS device is now connected.";
inline constexpr wchar_t kNotConnected[] = L"The device is not connected.";
inline constexpr wchar_t kRecoveryMode[] = L"You have entered the Recovery Mode.";
inline constexpr wchar_t kDfuConnected[] = L"Device connected in DFU Mode..";
inline constexpr wchar_t kDfuExited[] = L"Device exited DFU Mode..";
