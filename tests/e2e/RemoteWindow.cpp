// Reading and clicking windows of another process.
#include "RemoteWindow.h"

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

struct TopLevelSearch {
    DWORD processId;
    std::vector<RemoteWindow> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) {
        search->found.emplace_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
    reinterpret_cast<std::vector<RemoteWindow>*>(lParam)->emplace_back(window);
    return TRUE;
}

} // namespace

bool RemoteWindow::Exists() const {
    return m_window && IsWindow(m_window);
}

std::wstring RemoteWindow::Text() const {
    DWORD_PTR length = 0;
    if (!m_window ||
        !SendMessageTimeoutW(m_window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(m_window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied)) {
        return {};
    }
    text.resize(copied);
    return text;
}

std::wstring RemoteWindow::ClassName() const {
    wchar_t name[256] = L"";
    const int length = m_window ? GetClassNameW(m_window, name, 256) : 0;
    return std::wstring(name, static_cast<std::size_t>(length));
}

int RemoteWindow::Id() const {
    return m_window ? GetDlgCtrlID(m_window) : 0;
}

DWORD RemoteWindow::Style() const {
    return m_window ? static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)) : 0;
}

bool RemoteWindow::Enabled() const {
    return m_window && IsWindowEnabled(m_window);
}

bool RemoteWindow::Visible() const {
    return m_window && IsWindowVisible(m_window);
}

RECT RemoteWindow::ScreenRect() const {
    RECT rect{};
    if (m_window) {
        GetWindowRect(m_window, &rect);
    }
    return rect;
}

RECT RemoteWindow::ClientScreenRect() const {
    RECT rect{};
    if (m_window && GetClientRect(m_window, &rect)) {
        MapWindowPoints(m_window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

RECT RemoteWindow::RectInParent() const {
    RECT rect = ScreenRect();
    const HWND parent = m_window ? GetAncestor(m_window, GA_PARENT) : nullptr;
    if (parent) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

RemoteWindow RemoteWindow::Child(int id) const {
    return RemoteWindow(m_window ? GetDlgItem(m_window, id) : nullptr);
}

std::vector<RemoteWindow> RemoteWindow::Children() const {
    std::vector<RemoteWindow> children;
    if (m_window) {
        EnumChildWindows(m_window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    }
    return children;
}

RemoteWindow RemoteWindow::Owner() const {
    return RemoteWindow(m_window ? GetWindow(m_window, GW_OWNER) : nullptr);
}

bool RemoteWindow::Click() const {
    return Enabled() && Send(BM_CLICK);
}

bool RemoteWindow::PostClick() const {
    return Enabled() && Post(BM_CLICK);
}

bool RemoteWindow::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    return m_window && PostMessageW(m_window, message, wParam, lParam);
}

bool RemoteWindow::Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) const {
    DWORD_PTR answer = 0;
    if (!m_window || !SendMessageTimeoutW(m_window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                          kAnswerTimeoutMs, &answer)) {
        return false;
    }
    if (result) {
        *result = static_cast<LRESULT>(answer);
    }
    return true;
}

std::vector<RemoteWindow> RemoteWindow::TopLevelOf(DWORD processId) {
    TopLevelSearch search{processId, {}};
    EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
