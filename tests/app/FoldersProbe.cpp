// Writes what the folder look-ups answer for this executable into the file named by its
// argument: "<result>|<program directory>|<shared documents folder>".
#include "Folders.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    CString dir(L"unchanged");
    const bool found = GetProgramDirectory(dir);
    CString shared;
    GetSharedDocumentsFolder(shared);
    FILE* out = _wfopen(argv[1], L"w, ccs=UTF-8");
    if (!out)
        return 3;
    fwprintf(out, L"%ls|%ls|%ls", found ? L"true" : L"false", dir.GetString(), shared.GetString());
    fclose(out);
    return 0;
}
