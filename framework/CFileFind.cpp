// File-system look-up by name.
#include "CFileFind.h"

BOOL CFileFind::FindFile(LPCWSTR name) {
    Close();
    if (!name)
        return FALSE;
    WIN32_FIND_DATAW data{};
    m_hFind = ::FindFirstFileW(name, &data);
    return m_hFind != INVALID_HANDLE_VALUE;
}

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
}
