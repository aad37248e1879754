// One run of the real Ferrolite.exe: started (through the launcher, Launcher.cpp) with
// CommonProgramFiles naming the layout the case needs, its own simulator pipe, the window recorder
// on its user-interface thread and its own file of opened addresses; found, read, dismissed and
// ended from outside.
#pragma once

#include "E2EFiles.h"
#include "RegistryOverride.h"
#include "RemoteWindow.h"
#include "SimClient.h"
#include "WaitUntil.h"
#include "WindowLog.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct MessageBoxSeen {
    std::wstring text;
    std::wstring caption;
    RemoteWindow owner;
    std::wstring ownerCaption;
};

class FerroliteRun {
public:
    // Starts the program; layout is the folder that CommonProgramFiles names for this run.
    explicit FerroliteRun(const std::wstring& layout, const std::wstring& programPath = ProgramPath());
    ~FerroliteRun();
    FerroliteRun(const FerroliteRun&) = delete;
    FerroliteRun& operator=(const FerroliteRun&) = delete;

    // Empty when the program started; else why not.
    const std::string& StartError() const { return m_error; }
    DWORD ProcessId() const { return m_processId; }
    bool Running() const;

    // The simulated device library inside the program, through its command pipe.
    SimClient Sim() const { return SimClient::ThroughPipe(m_pipe); }
    // True once the simulator serves its pipe, that is once the program has called the library.
    bool SimServing() const;
    bool WaitForSim(std::chrono::milliseconds timeout = kWait) const;

    // The main dialog, shown or not, found by its status line.
    RemoteWindow MainWindow() const;
    // The main dialog once it is visible.
    RemoteWindow WaitForMainWindow(std::chrono::milliseconds timeout = kWait) const;
    // The visible About box.
    RemoteWindow AboutBox() const;
    RemoteWindow WaitForAboutBox(std::chrono::milliseconds timeout = kWait) const;
    // The visible dialog that is neither of the two: a message box.
    RemoteWindow MessageBox() const;
    RemoteWindow WaitForMessageBox(std::chrono::milliseconds timeout = kWait) const;
    static std::wstring MessageBoxText(const RemoteWindow& box);
    // Reads the box, clicks its OK button and waits until it has gone.
    std::optional<MessageBoxSeen> DismissMessageBox(const RemoteWindow& box) const;
    // Dismisses every message box the program shows until it ends; the boxes, in order.
    std::vector<MessageBoxSeen> DismissMessageBoxesUntilExit(std::chrono::milliseconds timeout = kWait) const;

    // The program's top-level windows (class, caption, shown or hidden) and whether it still
    // runs, for failure messages.
    std::string Describe() const;

    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = kWait) const;
    // Closes the main dialog as its close box does and waits for the exit status.
    std::optional<DWORD> Close() const;

    // What the window recorder saw so far.
    WindowLog WindowEvents() const { return WindowLog::Read(m_windowLog); }
    // The addresses the program opened through the shell, in order.
    std::vector<std::wstring> OpenedAddresses() const;

private:
    std::wstring m_name;
    std::wstring m_pipe;
    std::wstring m_windowLog;
    std::wstring m_urlLog;
    std::wstring m_launchInfo;
    RegistryOverride m_commonFiles;
    PROCESS_INFORMATION m_launcher{};
    HANDLE m_program = nullptr;
    DWORD m_processId = 0;
    std::string m_error;
};
