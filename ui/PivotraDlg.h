// CPivotraDlg: the main dialog. It owns the two recovery-mode buttons, runs their commands, and
// applies the window effects that device notifications post to it.
#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "resource.h"

class CPivotraDlg : public CDialog {
public:
    CPivotraDlg();

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnEnterRecovery();
    void OnExitRecovery();
    LRESULT OnDeviceEffect(WPARAM wParam, LPARAM lParam);

    CButton m_btnEnter;
    CButton m_btnExit;

    DECLARE_MESSAGE_MAP()
};
