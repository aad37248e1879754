// Dialogs from resource templates: creation, centring, the modal run, data exchange, OK/Cancel.
#include "CDialog.h"

#include "AfxState.h"
#include "CDataExchange.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

// Every message reaches the dialog through its bound window procedure first, so the dialog
// procedure that the platform calls from its default handling has nothing left to do.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

BOOL CDialog::CreateFromTemplate(HWND owner) {
    const HINSTANCE module = AfxGetResourceHandle();
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(m_nIDTemplate), MAKEINTRESOURCEW(5));
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const auto* dialogTemplate = static_cast<LPCDLGTEMPLATEW>(loaded ? ::LockResource(loaded) : nullptr);
    if (!dialogTemplate || m_hWnd)
        return FALSE;
    HWND created = nullptr;
    {
        const AfxCreateHook hook(this);
        created = ::CreateDialogIndirectParamW(AfxGetInstanceHandle(), dialogTemplate, owner, &AfxDlgProc, 0);
    }
    if (!created || m_hWnd != created)
        return FALSE;
    m_bCreatedHere = true;
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* mainWnd = AfxGetMainWnd();
        if (mainWnd && mainWnd != this)
            owner = mainWnd->m_hWnd;
    }
    if (owner)
        owner = ::IsWindow(owner) ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    const bool reenableOwner = owner && ::IsWindowEnabled(owner);
    if (reenableOwner)
        ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_bContinueModal = true;
    if (CreateFromTemplate(owner)) {
        if (m_bContinueModal)
            RunModalLoop();
        if (m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_bContinueModal = false;
    // The owner gets its input back before this window goes, so activation returns to it.
    if (reenableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(parent ? parent->m_hWnd : nullptr);
}

void CDialog::EndDialog(int result) {
    if (m_bContinueModal)
        EndModalLoop(result);
    else if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    // Keyboard input for this dialog gets the dialog keys: Tab, arrows, Enter, Esc, mnemonics.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
        return ::IsDialogMessageW(m_hWnd, msg);
    return FALSE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return CWnd::WindowProc(message, wParam, lParam);
    RECT before{};
    ::GetWindowRect(m_hWnd, &before);
    const BOOL result = OnInitDialog();
    // A dialog that its initialisation did not place is centred on its owner or the screen.
    RECT after{};
    if (m_hWnd && ::GetWindowRect(m_hWnd, &after) && ::EqualRect(&before, &after) && !(GetStyle() & WS_CHILD))
        CenterWindow();
    return result;
}
