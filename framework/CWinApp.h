// CWinApp: the one application object of the process, and the program entry that drives it.
#pragma once

#include "CCmdTarget.h"
#include "CString.h"

#include <windows.h>

#include <atomic>

class CWnd;

// The application's main window. Assigning it also publishes the window's handle, so that
// other threads can post to the main window without touching the C++ object.
class CMainWndSlot {
public:
    CMainWndSlot& operator=(CWnd* wnd);
    operator CWnd*() const { return m_pWnd; }
    CWnd* operator->() const { return m_pWnd; }
    HWND GetHandle() const { return m_hWnd.load(); }
    void Publish(CWnd* wnd, HWND handle);

private:
    CWnd* m_pWnd = nullptr;
    std::atomic<HWND> m_hWnd{nullptr};
};

class CWinApp : public CCmdTarget {
public:
    // The one application object; a second one in the process is not registered.
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    // The process exit status: the wParam of the quit request that ended the last modal loop
    // of this thread, or 0 when no loop ended on one.
    virtual int ExitInstance();
    // A plain message loop for applications whose InitInstance returns true.
    virtual int Run();

    void SetRegistryKey(LPCWSTR key) { m_strRegistryKey = key; }
    void OnHelp() {}

    CMainWndSlot m_pMainWnd;
    HINSTANCE m_hInstance = nullptr;
    CString m_strAppName;
    CString m_strRegistryKey;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The main window's handle, safe on any thread; null before it exists and after it is gone.
HWND AfxGetMainWndHandle();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The application's name: its given name, else string 57344, else the executable's file name
// without its extension.
CString AfxGetAppName();
// The program hosts no ActiveX controls; this only keeps the usual start-up sequence.
inline void AfxEnableControlContainer() {}
// The entry: InitInstance, then Run when it succeeds, then ExitInstance's status.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
// The last message a modal loop of this thread retrieved (message 0 when none did yet).
const MSG& AfxGetLastModalMessage();
