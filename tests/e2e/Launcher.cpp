// Starts Ferrolite.exe for the end-to-end driver. Under Wine the driver runs this helper as a
// fresh Wine process from the Unix side, because only such a process takes CommonProgramFiles from
// the prefix's registry as it stands now (a Windows parent passes its own start-up value on, whatever
// its environment says); the program, started from here, inherits it. The helper attaches the
// window recorder to the program's user-interface thread before that thread runs, writes
// "<process id> <thread id> <recorder attached 0|1>" to the file named by FERROLITE_E2E_LAUNCH_INFO,
// and ends with the program's exit status.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

std::wstring BesideMe(const wchar_t* file) {
    wchar_t self[MAX_PATH];
    const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + file;
}

// Written whole under another name first, so that the driver never reads half a line.
bool Publish(const std::wstring& path, const std::string& line) {
    const std::wstring partial = path + L".partial";
    FILE* file = _wfopen(partial.c_str(), L"wb");
    if (!file) {
        return false;
    }
    std::fputs(line.c_str(), file);
    std::fclose(file);
    return MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring info = Variable(L"FERROLITE_E2E_LAUNCH_INFO");
    if (argc != 2 || info.empty()) {
        std::fputs("usage: FERROLITE_E2E_LAUNCH_INFO=<file> e2e_launcher <program>\n", stderr);
        return 2;
    }
    const std::wstring program = argv[1];
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, folder.c_str(), &startup, &process)) {
        Publish(info, "error " + std::to_string(GetLastError()) + "\n");
        return 3;
    }
    const HMODULE recorder = LoadLibraryW(BesideMe(L"e2e_window_recorder.dll").c_str());
    const auto record = recorder ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(
                                       GetProcAddress(recorder, "E2ERecordWindowMessage")))
                                 : nullptr;
    const HHOOK hook =
        record ? SetWindowsHookExW(WH_CALLWNDPROC, record, recorder, process.dwThreadId) : nullptr;
    ResumeThread(process.hThread);
    Publish(info, std::to_string(process.dwProcessId) + " " + std::to_string(process.dwThreadId) + " " +
                      (hook ? "1" : "0") + "\n");
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    if (hook) {
        UnhookWindowsHookEx(hook);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
