// Reading the window recorder's file: tab-separated records, one a line.
#include "WindowLog.h"

#include "E2EFiles.h"

#include <cstdlib>
#include <sstream>

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

std::string Unescaped(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const char next = text[++i];
        plain += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
    }
    return plain;
}

HWND Window(const std::string& hex) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(hex.c_str(), nullptr, 16)));
}

std::string Visible(const std::wstring& text) {
    std::string shown;
    for (const char c : Narrow(text)) {
        shown += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return shown;
}

} // namespace

WindowLog WindowLog::Read(const std::wstring& path) {
    WindowLog log;
    std::istringstream lines(ReadTextFile(path));
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() == 5 && fields[0] == "text") {
            log.m_events.push_back({WindowEvent::Kind::Text, Window(fields[1]), Window(fields[2]),
                                    std::atoi(fields[3].c_str()), Widen(Unescaped(fields[4])), RECT{}});
        } else if (fields.size() == 8 && fields[0] == "rect") {
            const RECT rect{std::atol(fields[4].c_str()), std::atol(fields[5].c_str()),
                            std::atol(fields[6].c_str()), std::atol(fields[7].c_str())};
            log.m_events.push_back({WindowEvent::Kind::Rect,
                                    Window(fields[1]),
                                    Window(fields[2]),
                                    std::atoi(fields[3].c_str()),
                                    {},
                                    rect});
        }
    }
    return log;
}

int WindowLog::FindText(const std::wstring& text, int from) const {
    for (std::size_t i = static_cast<std::size_t>(from); i < m_events.size(); ++i) {
        if (m_events[i].kind == WindowEvent::Kind::Text && m_events[i].text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int WindowLog::FindWindowText(HWND window, const std::wstring& text) const {
    for (std::size_t i = 0; i < m_events.size(); ++i) {
        const WindowEvent& event = m_events[i];
        if (event.kind == WindowEvent::Kind::Text && event.window == window && event.text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int WindowLog::FindChildText(HWND parent, int id, const std::wstring& text) const {
    for (std::size_t i = 0; i < m_events.size(); ++i) {
        const WindowEvent& event = m_events[i];
        if (event.kind == WindowEvent::Kind::Text && event.parent == parent && event.id == id &&
            event.text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int WindowLog::CountChildTexts(HWND parent, int id) const {
    int count = 0;
    for (const WindowEvent& event : m_events) {
        count += event.kind == WindowEvent::Kind::Text && event.parent == parent && event.id == id;
    }
    return count;
}

std::optional<RECT> WindowLog::LastRect(HWND parent, int id) const {
    std::optional<RECT> last;
    for (const WindowEvent& event : m_events) {
        if (event.kind == WindowEvent::Kind::Rect && event.parent == parent && event.id == id) {
            last = event.rect;
        }
    }
    return last;
}

std::string WindowLog::Describe() const {
    std::ostringstream text;
    for (const WindowEvent& event : m_events) {
        text << (event.kind == WindowEvent::Kind::Text ? "  text " : "  rect ") << event.window << " (parent "
             << event.parent << ", id " << event.id << ") ";
        if (event.kind == WindowEvent::Kind::Text) {
            text << '"' << Visible(event.text) << "\"\n";
        } else {
            text << event.rect.left << ',' << event.rect.top << ' ' << event.rect.right - event.rect.left
                 << 'x' << event.rect.bottom - event.rect.top << '\n';
        }
    }
    return text.str();
}
