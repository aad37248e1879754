// A small application for the exit-status tests: its dialog ends the way the command line
// asks (a quit request with a given code, or an ordinary close), and the process exit status
// is what the class library's entry returns.
#include "Afx.h"
#include "FrameworkTestIds.h"

#include <shellapi.h>

#include <cwchar>

namespace {

class CProbeDialog : public CDialog {
public:
    explicit CProbeDialog(const wchar_t* mode) : CDialog(IDD_TEST_DIALOG), m_mode(mode) {}

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (std::wcscmp(m_mode, L"quit0") == 0)
            PostMessage(WM_QUIT, 0, 0);
        else if (std::wcscmp(m_mode, L"quit18") == 0)
            ::PostQuitMessage(18);
        else if (std::wcscmp(m_mode, L"close") == 0)
            PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        else if (std::wcscmp(m_mode, L"nested") == 0)
            PostMessage(WM_APP);
        return TRUE;
    }

    // Runs a second dialog whose initialisation asks the thread to quit.
    LRESULT OnOpenNested(WPARAM, LPARAM) {
        CProbeDialog inner(L"quit18");
        inner.DoModal();
        return 0;
    }

    DECLARE_MESSAGE_MAP()

private:
    const wchar_t* m_mode;
};

BEGIN_MESSAGE_MAP(CProbeDialog, CDialog)
ON_MESSAGE(WM_APP, &CProbeDialog::OnOpenNested)
END_MESSAGE_MAP()

class CProbeApp : public CWinApp {
public:
    BOOL InitInstance() override {
        int argc = 0;
        wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
        CProbeDialog dialog(argc > 1 ? argv[1] : L"close");
        m_pMainWnd = &dialog;
        dialog.DoModal();
        ::LocalFree(argv);
        return FALSE;
    }
};

CProbeApp theApp;

} // namespace
