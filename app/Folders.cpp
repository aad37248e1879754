// Folder look-ups through the loader and the shell.
#include "Folders.h"

#include <shlobj.h>

bool GetProgramDirectory(CString& dir) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A full buffer means the path was cut.
    if (length == 0 || length >= MAX_PATH)
        return false;
    const CString full(path, static_cast<int>(length));
    const int slash = full.ReverseFind(L'\\');
    if (slash < 0)
        return false;
    dir = full.Left(slash);
    return true;
}

void GetSharedDocumentsFolder(CString& path) {
    wchar_t buffer[MAX_PATH] = {};
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_COMMON_DOCUMENTS, &items)) && items) {
        ::SHGetPathFromIDListW(items, buffer);
        ::CoTaskMemFree(items);
    }
    path = buffer;
}
