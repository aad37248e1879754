// CMenu: a borrowed or owned menu handle; the program only appends to the system menu.
#pragma once

#include "CObject.h"

#include <windows.h>

class CMenu : public CObject {
public:
    CMenu() = default;
    ~CMenu() override;
    HMENU m_hMenu = nullptr;

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCWSTR text = nullptr);
    int GetMenuItemCount() const;
    // A borrowed wrapper of the calling thread; null for null.
    static CMenu* FromHandle(HMENU menu);
    HMENU Detach();
};
