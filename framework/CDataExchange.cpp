// Binding template controls to control objects.
#include "CDataExchange.h"

#include "CWnd.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd || !dx || !dx->m_pDlgWnd)
        return;
    if (const HWND item = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id))
        control.SubclassWindow(item);
}
