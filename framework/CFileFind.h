// CFileFind: looks for a file-system entry by name; the search handle closes with the object.
#pragma once

#include "CObject.h"

#include <windows.h>

class CFileFind : public CObject {
public:
    CFileFind() = default;
    ~CFileFind() override { Close(); }
    // True when some entry (file or folder) matches name.
    BOOL FindFile(LPCWSTR name);
    void Close();

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
};
