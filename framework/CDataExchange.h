// Data exchange between a dialog and its member objects: DDX_Control binds a template control
// to a C++ control object.
#pragma once

#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Subclasses the dialog's control id into control (running its PreSubclassWindow) unless the
// object is already bound. A template without that control leaves the object unbound.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
