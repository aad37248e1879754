// A hook library that the end-to-end driver attaches to Ferrolite's user-interface thread: it
// appends every text set on a window (WM_SETTEXT) and every new placement of a child window to the
// file named by FERROLITE_E2E_WINDOW_LOG, so that a test sees what happened even in a run that
// ends before anything can be read from outside.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

// One record a line: backslashes, line feeds, carriage returns and tabs are escaped.
std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\t':
            escaped += "\\t";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// The window's parent for a child, none for a top-level window.
HWND ParentOf(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetAncestor(window, GA_PARENT) : nullptr;
}

void Append(const std::string& line) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"FERROLITE_E2E_WINDOW_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    FILE* file = _wfopen(path, L"ab");
    if (!file) {
        return;
    }
    std::fputs(line.c_str(), file);
    std::fclose(file);
}

std::string Prefix(const char* kind, HWND window) {
    char text[96];
    std::snprintf(text, sizeof text, "%s\t%llx\t%llx\t%d", kind,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(ParentOf(window))),
                  GetDlgCtrlID(window));
    return text;
}

void RecordText(HWND window, const wchar_t* text) {
    Append(Prefix("text", window) + '\t' + Escaped(Utf8(text ? text : L"")) + '\n');
}

// The child's rectangle in its parent's client coordinates, as it stands after the change.
void RecordPlacement(HWND window) {
    const HWND parent = ParentOf(window);
    RECT rect{};
    if (!parent || !GetWindowRect(window, &rect)) {
        return;
    }
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    char text[96];
    std::snprintf(text, sizeof text, "\t%ld\t%ld\t%ld\t%ld\n", rect.left, rect.top, rect.right, rect.bottom);
    Append(Prefix("rect", window) + text);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    E2ERecordWindowMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (message->message == WM_SETTEXT) {
            RecordText(message->hwnd, reinterpret_cast<const wchar_t*>(message->lParam));
        } else if (message->message == WM_WINDOWPOSCHANGED) {
            const auto* position = reinterpret_cast<const WINDOWPOS*>(message->lParam);
            if ((position->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
                RecordPlacement(message->hwnd);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
