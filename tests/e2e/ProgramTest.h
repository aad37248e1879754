// The fixture of the tests that drive a normally started program: the full simulated device
// library, the main window shown, the simulator holding its notifications until a test steps
// them; at the end the program is closed as a user closes it and must exit with status 0.
#pragma once

#include "FerroliteRun.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// What the main window shows of the device side: the status line and the two commands.
struct WindowState {
    std::wstring status;
    bool enter;
    bool exit;
    bool operator==(const WindowState&) const = default;
};
void PrintTo(const WindowState& state, std::ostream* out);

class ProgramTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    WindowState State() const;
    // Waits until the window shows the state; the failure tells what it shows instead.
    testing::AssertionResult Shows(const WindowState& expected) const;
    // Delivers the next held notification, which must be of this kind, and waits for its handler.
    testing::AssertionResult Step(const char* kind) const;
    // Clicks an enabled button of the main window and waits until its handler has returned.
    testing::AssertionResult Click(int id) const;
    // Plugs a device in normal mode and delivers its arrival; the device's id.
    int PlugConnected(const char* flags = "") const;

    // Opens the About box with its image button (or with a system command) and waits for it.
    RemoteWindow OpenAbout() const;
    RemoteWindow OpenAboutFromSystemMenu(WPARAM command) const;
    // Clicks the box's OK button and waits until it has gone and the main window takes input again.
    testing::AssertionResult CloseAbout(const RemoteWindow& about) const;

    // Without a window manager Wine draws the first window it shows with an inactive caption until
    // the program is activated again; a trip through the About box (from the system menu) does
    // that, as a person's first use of the program would.
    void ActivateMainWindow() const;
    // Saves a settled picture of the window under the screenshots folder; the main window is
    // activated first.
    void SaveScreenshot(const RemoteWindow& window, const wchar_t* file) const;

    std::unique_ptr<FerroliteRun> m_run;
    RemoteWindow m_main;
    std::unique_ptr<SimClient> m_sim;
};

// The call log's lines, indented, for failure messages.
std::string LogLines(const std::vector<std::string>& log);
