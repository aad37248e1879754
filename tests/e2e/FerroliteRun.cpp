// Starting, watching and ending one run of the program.
#include "FerroliteRun.h"

#include "resource.h"

#include <cstdio>
#include <sstream>

namespace {

constexpr wchar_t kCurrentVersion[] = L"Software\\Microsoft\\Windows\\CurrentVersion";

std::wstring NextRunName() {
    static int runs = 0;
    return L"run" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++runs);
}

bool IsDialog(const RemoteWindow& window) {
    return window.ClassName() == L"#32770";
}

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace

FerroliteRun::FerroliteRun(const std::wstring& layout, const std::wstring& programPath)
    : m_name(NextRunName()), m_pipe(L"\\\\.\\pipe\\FerroliteE2E-" + m_name),
      m_windowLog(WorkPath(m_name + L".windows")), m_urlLog(WorkPath(m_name + L".urls")),
      m_launchInfo(WorkPath(m_name + L".launch")),
      m_commonFiles(HKEY_LOCAL_MACHINE, kCurrentVersion, L"CommonFilesDir", layout) {
    if (!m_commonFiles.Applied()) {
        m_error = "cannot set CommonFilesDir in the prefix's registry";
        return;
    }
    for (const std::wstring& file : {m_windowLog, m_urlLog, m_launchInfo}) {
        RemovePath(file);
    }
    SetEnvironmentVariableW(L"CommonProgramFiles", layout.c_str());
    SetEnvironmentVariableW(L"FERROLITE_SIM_PIPE", m_pipe.c_str());
    SetEnvironmentVariableW(L"FERROLITE_E2E_WINDOW_LOG", m_windowLog.c_str());
    SetEnvironmentVariableW(L"FERROLITE_E2E_URL_LOG", m_urlLog.c_str());
    SetEnvironmentVariableW(L"FERROLITE_E2E_LAUNCH_INFO", m_launchInfo.c_str());

    const std::wstring launcher = HelperPath(L"e2e_launcher.exe");
    const std::wstring arguments = L"\"" + launcher + L"\" \"" + programPath + L"\"";
    // Under Wine the launcher starts from the Unix side, as a fresh Wine process that reads
    // CommonProgramFiles from the registry; elsewhere the environment passes it on.
    std::wstring commandLine =
        RunningUnderWine() ? L"Z:\\bin\\sh -c \"exec wine \\\"$0\\\" \\\"$1\\\"\" " + arguments : arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &m_launcher)) {
        m_error = "cannot start the launcher " + Narrow(launcher) + " (error " +
                  std::to_string(GetLastError()) + ")";
        m_launcher = {};
        return;
    }
    // Wine's handle of a Unix process does not follow its life, so the launcher's report is what counts.
    std::string info;
    if (!WaitUntil([&] {
            info = ReadTextFile(m_launchInfo);
            return !info.empty();
        })) {
        m_error = "the launcher did not report within " + std::to_string(kWait.count()) + " ms";
        return;
    }
    unsigned long processId = 0;
    unsigned long threadId = 0;
    int recorder = 0;
    if (std::sscanf(info.c_str(), "%lu %lu %d", &processId, &threadId, &recorder) != 3) {
        m_error = "the launcher could not start " + Narrow(programPath) + ": " + info;
        return;
    }
    m_processId = processId;
    m_program =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    if (!m_program) {
        m_error = "cannot open the program's process " + std::to_string(processId);
    } else if (!recorder) {
        m_error = "the launcher could not attach the window recorder";
    }
}

FerroliteRun::~FerroliteRun() {
    if (Running()) {
        TerminateProcess(m_program, 1);
        WaitForSingleObject(m_program, 5000);
    }
    if (m_launcher.hProcess) {
        CloseHandle(m_launcher.hThread);
        CloseHandle(m_launcher.hProcess);
    }
    if (m_program) {
        CloseHandle(m_program);
    }
}

bool FerroliteRun::Running() const {
    return m_program && WaitForSingleObject(m_program, 0) == WAIT_TIMEOUT;
}

bool FerroliteRun::SimServing() const {
    return Sim().Execute("pipe").rfind("serving", 0) == 0;
}

bool FerroliteRun::WaitForSim(std::chrono::milliseconds timeout) const {
    return WaitUntil([this] { return SimServing(); }, timeout);
}

RemoteWindow FerroliteRun::MainWindow() const {
    for (const RemoteWindow& window : RemoteWindow::TopLevelOf(ProcessId())) {
        if (IsDialog(window) && window.Child(IDC_STATUS)) {
            return window;
        }
    }
    return {};
}

RemoteWindow FerroliteRun::WaitForMainWindow(std::chrono::milliseconds timeout) const {
    RemoteWindow found;
    WaitUntil(
        [&] {
            found = MainWindow();
            return found.Visible() || !Running();
        },
        timeout);
    return found.Visible() ? found : RemoteWindow();
}

RemoteWindow FerroliteRun::AboutBox() const {
    for (const RemoteWindow& window : RemoteWindow::TopLevelOf(ProcessId())) {
        if (IsDialog(window) && window.Visible() && window.Child(IDC_ABOUT_LINK)) {
            return window;
        }
    }
    return {};
}

RemoteWindow FerroliteRun::WaitForAboutBox(std::chrono::milliseconds timeout) const {
    RemoteWindow found;
    WaitUntil(
        [&] {
            found = AboutBox();
            return found || !Running();
        },
        timeout);
    return found;
}

RemoteWindow FerroliteRun::MessageBox() const {
    for (const RemoteWindow& window : RemoteWindow::TopLevelOf(ProcessId())) {
        if (IsDialog(window) && window.Visible() && !window.Child(IDC_STATUS) &&
            !window.Child(IDC_ABOUT_LINK)) {
            return window;
        }
    }
    return {};
}

RemoteWindow FerroliteRun::WaitForMessageBox(std::chrono::milliseconds timeout) const {
    RemoteWindow found;
    WaitUntil(
        [&] {
            found = MessageBox();
            return found || !Running();
        },
        timeout);
    return found;
}

std::wstring FerroliteRun::MessageBoxText(const RemoteWindow& box) {
    for (const RemoteWindow& child : box.Children()) {
        if (child.ClassName() == L"Static" && (child.Style() & SS_TYPEMASK) != SS_ICON) {
            const std::wstring text = child.Text();
            if (!text.empty()) {
                return text;
            }
        }
    }
    return {};
}

std::optional<MessageBoxSeen> FerroliteRun::DismissMessageBox(const RemoteWindow& box) const {
    if (!box.Exists()) {
        return std::nullopt;
    }
    MessageBoxSeen seen{MessageBoxText(box), box.Text(), box.Owner(), box.Owner().Text()};
    if (!box.Child(IDOK).PostClick() || !WaitUntil([&] { return !box.Exists(); })) {
        return std::nullopt;
    }
    return seen;
}

std::vector<MessageBoxSeen>
FerroliteRun::DismissMessageBoxesUntilExit(std::chrono::milliseconds timeout) const {
    std::vector<MessageBoxSeen> boxes;
    WaitUntil(
        [&] {
            if (const RemoteWindow box = MessageBox()) {
                if (std::optional<MessageBoxSeen> seen = DismissMessageBox(box)) {
                    boxes.push_back(*seen);
                }
            }
            return !Running();
        },
        timeout);
    return boxes;
}

std::string FerroliteRun::Describe() const {
    std::string text = Running() ? "the program runs" : "the program has ended";
    const std::vector<RemoteWindow> windows = RemoteWindow::TopLevelOf(ProcessId());
    text += windows.empty() ? " and has no window" : "; its windows:";
    for (const RemoteWindow& window : windows) {
        text += "\n  " + Narrow(window.ClassName()) + " \"" + Narrow(window.Text()) + "\"" +
                (window.Visible() ? "" : " (hidden)");
        if (IsDialog(window) && !window.Child(IDC_STATUS) && !window.Child(IDC_ABOUT_LINK)) {
            text += " saying \"" + Narrow(MessageBoxText(window)) + "\"";
        }
    }
    return text;
}

std::optional<DWORD> FerroliteRun::WaitForExit(std::chrono::milliseconds timeout) const {
    DWORD status = 0;
    if (!m_program || WaitForSingleObject(m_program, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(m_program, &status)) {
        return std::nullopt;
    }
    return status;
}

std::optional<DWORD> FerroliteRun::Close() const {
    if (!MainWindow().Post(WM_SYSCOMMAND, SC_CLOSE)) {
        return std::nullopt;
    }
    return WaitForExit();
}

std::vector<std::wstring> FerroliteRun::OpenedAddresses() const {
    std::vector<std::wstring> addresses;
    std::istringstream lines(ReadTextFile(m_urlLog));
    std::string line;
    while (std::getline(lines, line)) {
        addresses.push_back(Widen(line));
    }
    return addresses;
}
