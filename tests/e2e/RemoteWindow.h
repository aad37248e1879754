// A window of another process, as the driver sees it: texts through SendMessageTimeoutW (plain
// GetWindowText returns nothing across processes), states, rectangles, children, clicks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RemoteWindow {
public:
    RemoteWindow() = default;
    explicit RemoteWindow(HWND window) : m_window(window) {}

    HWND Handle() const { return m_window; }
    explicit operator bool() const { return m_window != nullptr; }
    bool Exists() const;

    std::wstring Text() const;
    std::wstring ClassName() const;
    int Id() const;
    DWORD Style() const;
    bool Enabled() const;
    bool Visible() const;
    // The whole window, and the client area, in screen coordinates.
    RECT ScreenRect() const;
    RECT ClientScreenRect() const;
    // The window's rectangle in its parent's client coordinates.
    RECT RectInParent() const;

    RemoteWindow Child(int id) const;
    std::vector<RemoteWindow> Children() const;
    RemoteWindow Owner() const;

    // Clicks an enabled button with BM_CLICK and waits until its handler has returned; false when
    // the button is disabled or the program did not answer.
    bool Click() const;
    // Posts the click without waiting, for a button whose handler runs a modal dialog.
    bool PostClick() const;
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sends a message and waits for the answer; false when the program did not answer in time.
    bool Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* result = nullptr) const;

    // The visible and hidden top-level windows of a process.
    static std::vector<RemoteWindow> TopLevelOf(DWORD processId);

private:
    HWND m_window = nullptr;
};
