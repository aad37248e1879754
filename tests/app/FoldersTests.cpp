// The program directory and the shared documents folder, asked by a probe executable copied to a
// chosen place (the look-up reads the running executable's own path). Paths around the length
// limit are checked by program_directory_lengths.sh: Windows cannot start them from here.
#include "Folders.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

namespace {

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full(path);
    return full.substr(0, full.rfind(L'\\'));
}

// Makes every folder of path (which ends in a file name) below its drive.
void MakeFoldersFor(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        ::CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
}

// Copies the probe to exePath, runs it and returns what it wrote, or a description of the failure.
std::wstring RunProbeAt(const std::wstring& exePath) {
    MakeFoldersFor(exePath);
    const std::wstring probe = OwnFolder() + L"\\folders_probe.exe";
    if (!::CopyFileW(probe.c_str(), exePath.c_str(), FALSE))
        return L"copy failed";
    const std::wstring outPath = L"C:\\folders_probe_out.txt";
    ::DeleteFileW(outPath.c_str());
    std::wstring commandLine = L"\"" + exePath + L"\" " + outPath;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return L"start failed";
    const DWORD waited = ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::DeleteFileW(exePath.c_str());
    if (waited != WAIT_OBJECT_0)
        return L"probe did not end";
    std::wstring text;
    if (FILE* in = _wfopen(outPath.c_str(), L"r, ccs=UTF-8")) {
        wchar_t buffer[1024] = {};
        if (fgetws(buffer, 1024, in))
            text = buffer;
        fclose(in);
    }
    return text;
}

TEST(ProgramDirectory, AtADriveRootIsTheDriveAlone) {
    EXPECT_EQ(RunProbeAt(L"C:\\p.exe").substr(0, 8), L"true|C:|");
}

TEST(SharedDocumentsFolder, IsTheAllUsersDocumentsFolder) {
    wchar_t expected[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, expected)));
    CString path(L"old");
    GetSharedDocumentsFolder(path);
    EXPECT_EQ(path, expected);
    EXPECT_FALSE(path.IsEmpty());
}

} // namespace
