// The application object, GDI+ around the whole run, and the main dialog as the main window.
#include "PivotraApp.h"

#include "PivotraDlg.h"

#include <windows.h>

#include <commctrl.h>
#include <objidl.h>
// GDI+ needs the COM property types that the lean Windows headers leave out.
#include <gdiplus.h>

BEGIN_MESSAGE_MAP(CPivotraApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

namespace {

// GDI+ starts right after the application object is made and shuts down right before it goes,
// so it outlives the main dialog and every image it holds. Its start-up result is not checked:
// without GDI+ the image buttons fail to load and the dialog reports that.
class GdiplusSession {
public:
    GdiplusSession() {
        const Gdiplus::GdiplusStartupInput input(nullptr, FALSE, FALSE);
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(m_token); }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR m_token = 0;
};

} // namespace

CPivotraApp theApp;
const GdiplusSession theGdiplusSession;

BOOL CPivotraApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);

    CWinApp::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(L"Local AppWizard-Generated Applications");

    CPivotraDlg dialog;
    // The device handlers find the dialog as the main window, so it is registered before it runs.
    m_pMainWnd = &dialog;
    dialog.DoModal();
    return FALSE;
}
