// The application object, its main-window slot, and the program entry.
#include "CWinApp.h"

#include "AfxState.h"
#include "CWnd.h"

namespace {

// The one application object of the process, registered by its constructor.
CWinApp* g_app = nullptr;

constexpr UINT kAppTitleStringId = 57344;

} // namespace

CMainWndSlot& CMainWndSlot::operator=(CWnd* wnd) {
    m_pWnd = wnd;
    m_hWnd.store(wnd ? wnd->m_hWnd : nullptr);
    return *this;
}

void CMainWndSlot::Publish(CWnd* wnd, HWND handle) {
    if (wnd && wnd == m_pWnd)
        m_hWnd.store(handle);
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR appName) : m_hInstance(::GetModuleHandleW(nullptr)), m_strAppName(appName) {
    if (!g_app)
        g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::ExitInstance() {
    const MSG& last = AfxGetLastModalMessage();
    return last.message == WM_QUIT ? static_cast<int>(last.wParam) : 0;
}

int CWinApp::Run() {
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    afx::GetThreadState().lastModalMsg = msg;
    return ExitInstance();
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? static_cast<CWnd*>(g_app->m_pMainWnd) : nullptr;
}

HWND AfxGetMainWndHandle() {
    return g_app ? g_app->m_pMainWnd.GetHandle() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return ::GetModuleHandleW(nullptr);
}

CString AfxGetAppName() {
    if (g_app && !g_app->m_strAppName.IsEmpty())
        return g_app->m_strAppName;
    CString title;
    if (title.LoadString(kAppTitleStringId))
        return title;
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(path);
    const int slash = name.ReverseFind(L'\\');
    name = CString(name.GetString() + slash + 1);
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

const MSG& AfxGetLastModalMessage() {
    return afx::GetThreadState().lastModalMsg;
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
