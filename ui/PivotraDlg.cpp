// The main dialog's device side: the recovery-mode commands and the device window effects.
#include "PivotraDlg.h"

#include "CDataExchange.h"
#include "DeviceEffectMailbox.h"
#include "RecoveryCommands.h"

BEGIN_MESSAGE_MAP(CPivotraDlg, CDialog)
ON_BN_CLICKED(IDC_ENTER_RECOVERY, &CPivotraDlg::OnEnterRecovery)
ON_BN_CLICKED(IDC_EXIT_RECOVERY, &CPivotraDlg::OnExitRecovery)
ON_MESSAGE(WM_DEVICE_EFFECT, &CPivotraDlg::OnDeviceEffect)
END_MESSAGE_MAP()

CPivotraDlg::CPivotraDlg() : CDialog(IDD_MAIN_DIALOG) {}

void CPivotraDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ENTER_RECOVERY, m_btnEnter);
    DDX_Control(dx, IDC_EXIT_RECOVERY, m_btnExit);
}

// A refused command changes nothing, so that it stays available to be clicked again.
void CPivotraDlg::OnEnterRecovery() {
    if (RequestEnterRecovery()) {
        m_btnEnter.EnableWindow(FALSE);
        m_btnExit.EnableWindow(TRUE);
    }
}

void CPivotraDlg::OnExitRecovery() {
    if (RequestExitRecovery()) {
        m_btnExit.EnableWindow(FALSE);
        m_btnEnter.EnableWindow(TRUE);
    }
}

LRESULT CPivotraDlg::OnDeviceEffect(WPARAM, LPARAM) {
    ApplyPendingDeviceEffect(*this);
    return 0;
}
