// The simulator's control window: a device list, plug and unplug buttons and one check box per
// outcome; it polls the simulator twice a second, since devices change mode on their own.
#include "SimPanelWindow.h"

#include <cstdlib>

namespace {

constexpr wchar_t kClassName[] = L"FerroliteSimPanel";
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 500;

enum ControlId {
    kDeviceList = 100,
    kPlugNormal,
    kPlugRecovery,
    kPlugDfu,
    kUnplug,
    kFirstFlag = 200,
};

struct FlagChoice {
    const char* name;
    const wchar_t* label;
};
constexpr FlagChoice kFlagChoices[] = {
    {"connect-refused", L"Connection refused"}, {"not-paired", L"Not paired"},
    {"pairing-invalid", L"Pairing not valid"},  {"session-refused", L"Session refused"},
    {"wifi", L"Wi-Fi interface (type 2)"},      {"enter-refused", L"Entering recovery refused"},
    {"reboot-refused", L"Reboot refused"},
};

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

SimPanelWindow::~SimPanelWindow() {
    if (m_window) {
        DestroyWindow(m_window);
    }
}

bool SimPanelWindow::Create(HINSTANCE instance, int show) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &SimPanelWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 240, 372};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    // At the right edge of the screen, beside a program window centred on it.
    const int x = GetSystemMetrics(SM_CXSCREEN) - width - 4;
    if (!CreateWindowExW(0, kClassName, L"Ferrolite device simulator", style, x, 4, width,
                         frame.bottom - frame.top, nullptr, nullptr, instance, this)) {
        return false;
    }
    ShowWindow(m_window, show);
    Refresh();
    SetTimer(m_window, kRefreshTimer, kRefreshMs, nullptr);
    return true;
}

LRESULT CALLBACK SimPanelWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SimPanelWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SimPanelWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->OnMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT SimPanelWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        Refresh();
        return 0;
    case WM_DESTROY:
        KillTimer(m_window, kRefreshTimer);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

HWND SimPanelWindow::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                                int width, int height, int id) {
    HWND control =
        CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

// A column of controls 224 pixels wide: narrow enough to sit beside a centred program window.
void SimPanelWindow::CreateControls() {
    constexpr int left = 8;
    constexpr int width = 224;
    constexpr int half = 108;
    constexpr int right = left + width - half;
    AddControl(L"STATIC", L"Simulated devices:", 0, left, 8, width, 16, -1);
    m_list = AddControl(L"LISTBOX", L"", WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, left, 26,
                        width, 96, kDeviceList);
    AddControl(L"BUTTON", L"Plug in (normal)", BS_PUSHBUTTON | WS_TABSTOP, left, 128, half, 24, kPlugNormal);
    AddControl(L"BUTTON", L"Plug in (recovery)", BS_PUSHBUTTON | WS_TABSTOP, right, 128, half, 24,
               kPlugRecovery);
    AddControl(L"BUTTON", L"Plug in (DFU)", BS_PUSHBUTTON | WS_TABSTOP, left, 156, half, 24, kPlugDfu);
    AddControl(L"BUTTON", L"Unplug", BS_PUSHBUTTON | WS_TABSTOP, right, 156, half, 24, kUnplug);
    AddControl(L"BUTTON", L"Outcomes (selected device, else the next)", BS_GROUPBOX, left, 188, width, 160,
               -1);
    for (int i = 0; i < kFlagCount; ++i) {
        m_checks[i] = AddControl(L"BUTTON", kFlagChoices[i].label, BS_AUTOCHECKBOX | WS_TABSTOP, left + 10,
                                 206 + i * 20, width - 16, 18, kFirstFlag + i);
    }
    m_status = AddControl(L"STATIC", L"", SS_LEFTNOWORDWRAP, left, 352, width, 16, -1);
}

void SimPanelWindow::OnCommand(int id, int code) {
    if (id == kPlugNormal) {
        Plug("normal");
    } else if (id == kPlugRecovery) {
        Plug("recovery");
    } else if (id == kPlugDfu) {
        Plug("dfu");
    } else if (id == kUnplug && SelectedDevice() != 0) {
        m_client.Unplug(SelectedDevice());
        Refresh();
    } else if (id == kDeviceList && code == LBN_SELCHANGE) {
        ShowSelectedFlags();
    } else if (id >= kFirstFlag && id < kFirstFlag + kFlagCount && code == BN_CLICKED &&
               SelectedDevice() != 0) {
        m_client.SetFlags(SelectedDevice(), CheckedFlags());
        Refresh();
    }
}

void SimPanelWindow::Plug(const char* mode) {
    m_client.Plug(mode, CheckedFlags());
    Refresh();
}

void SimPanelWindow::Refresh() {
    const std::string pipe = m_client.Execute("pipe");
    std::wstring status = pipe.rfind("error:", 0) == 0
                              ? L"Waiting for a program that loads the simulator..."
                              : L"Connected: " + Wide(pipe.substr(pipe.find(' ') + 1));
    if (status != m_shownStatus) {
        SetWindowTextW(m_status, status.c_str());
        m_shownStatus = std::move(status);
    }
    const std::vector<std::string> devices = m_client.Devices();
    if (devices == m_shownDevices) {
        return;
    }
    const int selected = SelectedDevice();
    SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
    m_deviceIds.clear();
    for (const std::string& line : devices) {
        // "id mode handle flags...": the list shows "#id  mode  handle  flags".
        const int id = std::atoi(line.c_str());
        m_deviceIds.push_back(id);
        std::wstring text = L"#" + Wide(line);
        SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (id == selected) {
            SendMessageW(m_list, LB_SETCURSEL, m_deviceIds.size() - 1, 0);
        }
    }
    m_shownDevices = devices;
}

void SimPanelWindow::ShowSelectedFlags() {
    const int selected = SelectedDevice();
    for (std::size_t i = 0; i < m_deviceIds.size() && i < m_shownDevices.size(); ++i) {
        if (m_deviceIds[i] != selected) {
            continue;
        }
        const std::string line = " " + m_shownDevices[i] + " ";
        for (int f = 0; f < kFlagCount; ++f) {
            const bool set = line.find(std::string(" ") + kFlagChoices[f].name + " ") != std::string::npos;
            SendMessageW(m_checks[f], BM_SETCHECK, set ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

std::string SimPanelWindow::CheckedFlags() const {
    std::string flags;
    for (int i = 0; i < kFlagCount; ++i) {
        if (SendMessageW(m_checks[i], BM_GETCHECK, 0, 0) == BST_CHECKED) {
            flags += std::string(flags.empty() ? "" : " ") + kFlagChoices[i].name;
        }
    }
    return flags;
}

int SimPanelWindow::SelectedDevice() const {
    const LRESULT index = SendMessageW(m_list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR || static_cast<std::size_t>(index) >= m_deviceIds.size()) {
        return 0;
    }
    return m_deviceIds[static_cast<std::size_t>(index)];
}
