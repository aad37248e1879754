// What the window recorder (WindowRecorder.cpp) wrote during one run of the program: every text set
// on a window and every new placement of a child window, in order.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct WindowEvent {
    enum class Kind { Text, Rect };
    Kind kind;
    HWND window;
    HWND parent; // null for a top-level window
    int id;
    std::wstring text; // Kind::Text
    RECT rect;         // Kind::Rect, in the parent's client coordinates
};

class WindowLog {
public:
    static WindowLog Read(const std::wstring& path);

    const std::vector<WindowEvent>& Events() const { return m_events; }
    // Index of the first text event from index `from` on with this text (on any window), or -1.
    int FindText(const std::wstring& text, int from = 0) const;
    // Index of the first text event with this text on the window itself, or -1.
    int FindWindowText(HWND window, const std::wstring& text) const;
    // Index of the first text event with this text on the child `id` of `parent`, or -1.
    int FindChildText(HWND parent, int id, const std::wstring& text) const;
    // How many texts were set on the child `id` of `parent`.
    int CountChildTexts(HWND parent, int id) const;
    // The last placement recorded for the child `id` of `parent`.
    std::optional<RECT> LastRect(HWND parent, int id) const;
    // Every event, one a line, for failure messages.
    std::string Describe() const;

private:
    std::vector<WindowEvent> m_events;
};
