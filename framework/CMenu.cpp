// Menus.
#include "CMenu.h"

#include "AfxState.h"

CMenu::~CMenu() {
    if (m_hMenu)
        ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCWSTR text) {
    return ::AppendMenuW(m_hMenu, flags, id, text);
}

int CMenu::GetMenuItemCount() const {
    return ::GetMenuItemCount(m_hMenu);
}

CMenu* CMenu::FromHandle(HMENU menu) {
    return afx::TemporaryMenu(menu);
}

HMENU CMenu::Detach() {
    const HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}
