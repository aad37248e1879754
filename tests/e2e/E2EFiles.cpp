// Paths and file helpers of the end-to-end tests.
#include "E2EFiles.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>

namespace {

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring MadeFolder(const std::wstring& path) {
    SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
    return path;
}

} // namespace

std::wstring ProgramPath() {
    return FERROLITE_E2E_PROGRAM;
}

std::wstring HelperPath(const wchar_t* file) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return FolderOf(std::wstring(self, length)) + L"\\" + file;
}

std::wstring SimLayout(const wchar_t* layout) {
    return std::wstring(FERROLITE_E2E_LAYOUTS) + L"\\" + layout;
}

std::wstring EmptyLayout() {
    return MadeFolder(WorkPath(L"layouts\\empty"));
}

std::wstring WorkPath(const std::wstring& name) {
    return MadeFolder(FERROLITE_E2E_WORK) + L"\\" + name;
}

std::wstring ScreenshotPath(const std::wstring& file) {
    return MadeFolder(FERROLITE_E2E_SCREENSHOTS) + L"\\" + file;
}

std::wstring MakeInstall(const std::wstring& name, const std::vector<std::wstring>& omittedImages,
                         bool withoutImagesFolder) {
    const std::wstring folder = WorkPath(L"installs\\" + name);
    RemovePath(folder);
    MadeFolder(folder);
    const std::wstring program = folder + L"\\Ferrolite.exe";
    CopyFileW(ProgramPath().c_str(), program.c_str(), FALSE);
    if (withoutImagesFolder) {
        return program;
    }
    const std::wstring images = MadeFolder(ImagesFolder(program));
    for (const wchar_t* file : {L"Dlg_Common_Top.bmp", L"Button_Top_Help.png", L"Button_Top_About.png"}) {
        bool omitted = false;
        for (const std::wstring& omit : omittedImages) {
            omitted = omitted || omit == file;
        }
        if (!omitted) {
            CopyFileW((ImagesFolder(ProgramPath()) + L"\\" + file).c_str(), (images + L"\\" + file).c_str(),
                      FALSE);
        }
    }
    return program;
}

std::wstring ImagesFolder(const std::wstring& programPath) {
    return FolderOf(programPath) + L"\\Images";
}

std::wstring SharedDocumentsFolder() {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring DataFolderPath() {
    return SharedDocumentsFolder() + L"\\Kelvara Ferrolite";
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemovePath(const std::wstring& path) {
    if (IsFolder(path)) {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") {
                    RemovePath(path + L"\\" + name);
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path.c_str());
    } else if (IsFile(path)) {
        DeleteFileW(path.c_str());
    }
    return !PathExists(path);
}

bool WriteTextFile(const std::wstring& path, const std::string& text) {
    const std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path.c_str(), L"wb"), &std::fclose);
    return file && std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
}

std::string ReadTextFile(const std::wstring& path) {
    const std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path.c_str(), L"rb"), &std::fclose);
    std::string text;
    if (!file) {
        return text;
    }
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        text.append(buffer, read);
    }
    return text;
}

std::string Narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

std::wstring Widen(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}
