// The process exit status that the class library's entry returns, observed on a real process.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::wstring ProbePath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring result(path);
    return result.substr(0, result.rfind(L'\\') + 1) + L"framework_probe.exe";
}

// Runs the probe with one argument; the exit code, or -1 when it did not end in time.
long RunProbe(const wchar_t* mode) {
    std::wstring commandLine = L"\"" + ProbePath() + L"\" " + mode;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return -2;
    long code = -1;
    if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        code = static_cast<long>(exitCode);
    } else {
        ::TerminateProcess(process.hProcess, 99);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

struct ExitCase {
    const wchar_t* mode;
    long expected;
};

class ExitStatus : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitStatus, IsTheQuitCodeThatEndedTheModalLoop) {
    EXPECT_EQ(RunProbe(GetParam().mode), GetParam().expected) << "mode " << GetParam().mode;
}

// An ordinary close retrieves WM_SYSCOMMAND (wParam SC_CLOSE) last, yet exits 0; a quit
// requested inside a nested dialog ends both loops with its code.
INSTANTIATE_TEST_SUITE_P(Modes, ExitStatus,
                         ::testing::Values(ExitCase{L"quit0", 0}, ExitCase{L"quit18", 18},
                                           ExitCase{L"close", 0}, ExitCase{L"nested", 18}));

} // namespace
