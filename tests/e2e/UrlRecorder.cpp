// Stands in for the browser during the end-to-end tests: registered as the prefix's http handler,
// it appends the address it was asked to open to the file named by FERROLITE_E2E_URL_LOG and ends.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"FERROLITE_E2E_URL_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) {
        return 1;
    }
    std::wstring line;
    for (int i = 1; i < count; ++i) {
        line += (i > 1 ? L" " : L"") + std::wstring(arguments[i]);
    }
    LocalFree(arguments);
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    utf8.back() = '\n';
    FILE* file = _wfopen(path, L"ab");
    if (!file) {
        return 1;
    }
    std::fputs(utf8.c_str(), file);
    std::fclose(file);
    return 0;
}
