// The hyperlink static on a real dialog: binding, tooltip text, opening the target through the
// shell (observed at the ShellExecuteW boundary, no browser is started), cursor and hover
// tracking, and drawing in the owner's colours and font.
#include "ControlsTestIds.h"
#include "ControlsTestSupport.h"
#include "StaticLink.h"

#include <commctrl.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using test::Surface;

constexpr COLORREF kLinkText = RGB(52, 120, 216);
constexpr COLORREF kLinkBack = RGB(250, 250, 250);
constexpr wchar_t kTemplateText[] = L"https://www.example.com/";
constexpr UINT kLinkFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

class CProbedLink : public CStaticLink {
public:
    BOOL Tracking() const { return m_bTracking; }
    CToolTipCtrl& ToolTip() { return m_toolTip; }
};

struct ShellCall {
    HWND owner;
    std::wstring verb;
    std::wstring file;
    bool noParameters;
    bool noDirectory;
    INT show;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                    LPCWSTR directory, INT show) {
    g_shellCalls.push_back(
        {owner, verb ? verb : L"", file ? file : L"", parameters == nullptr, directory == nullptr, show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

// Puts the recorder in place of the shell for one test.
class ShellRecorder {
public:
    ShellRecorder() : m_previous(CStaticLink::s_pfnShellExecute) {
        g_shellCalls.clear();
        CStaticLink::s_pfnShellExecute = &RecordShellExecute;
    }
    ~ShellRecorder() { CStaticLink::s_pfnShellExecute = m_previous; }

private:
    CStaticLink::ShellExecuteFn m_previous;
};

HFONT MakeFont(int height, bool underline) {
    LOGFONTW font{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    if (height)
        font.lfHeight = height;
    font.lfUnderline = underline ? 1 : 0;
    return ::CreateFontIndirectW(&font);
}

// The text as the link should look: background, then the text in the given font and format.
void DrawReference(Surface& surface, const wchar_t* text, HFONT font, UINT format = kLinkFormat) {
    surface.Fill(kLinkBack);
    const HGDIOBJ old = ::SelectObject(surface.hdc(), font);
    ::SetTextColor(surface.hdc(), kLinkText);
    ::SetBkMode(surface.hdc(), TRANSPARENT);
    RECT rect{0, 0, surface.width(), surface.height()};
    ::DrawTextW(surface.hdc(), text, -1, &rect, format);
    ::SelectObject(surface.hdc(), old);
}

bool SamePixels(const Surface& a, const Surface& b, int fromX = 0, int toX = -1) {
    if (toX < 0)
        toX = a.width();
    for (int y = 0; y < a.height(); ++y)
        for (int x = fromX; x < toX; ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

class StaticLinkTest : public testing::Test {
protected:
    void SetUp() override { ::SetCursorPos(1, 1); }

    void Open(const wchar_t* url = L"") {
        m_link.m_strURL = url;
        ASSERT_TRUE(m_host.Open(nullptr, &m_link, &m_mnemonic));
    }

    // Configured as the About box does it.
    void ConfigureAsAbout(CStaticLink& link) {
        link.m_crText = kLinkText;
        link.m_crBack = kLinkBack;
        link.m_bFollowLink = true;
        link.m_font.Attach(MakeFont(0, true));
    }

    void Repaint(CStaticLink& link) {
        ::RedrawWindow(link.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }

    CSize ClientSize(const CStaticLink& link) const {
        CRect client;
        link.GetClientRect(&client);
        return client.Size();
    }

    CPoint CentreOnScreen(const CStaticLink& link) const {
        const CSize size = ClientSize(link);
        CPoint centre(size.cx / 2, size.cy / 2);
        link.ClientToScreen(&centre);
        return centre;
    }

    CProbedLink m_link;
    CProbedLink m_mnemonic;
    test::CHostDialog m_host;
};

TEST_F(StaticLinkTest, BindingMakesANotifyingOwnerDrawnStaticWithOneTool) {
    Open();
    EXPECT_STREQ(m_link.GetRuntimeClass()->m_lpszClassName, "CStaticLink");
    EXPECT_EQ(m_link.GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(CStatic));
    const DWORD style = m_link.GetStyle();
    EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_OWNERDRAW));
    EXPECT_TRUE(style & SS_NOTIFY);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(m_link.ToolTip().GetToolCount(), 1);
}

TEST_F(StaticLinkTest, TheTooltipKeepsTheTargetOfBindingTimeWhileAClickOpensTheCurrentOne) {
    struct Case {
        const wchar_t* url;
        bool follow;
        const wchar_t* tooltip;
        const wchar_t* opened; // null: nothing opens
    };
    const Case cases[] = {
        {L"", true, kTemplateText, L"https://www.example.com"},
        {L"https://www.example.com/guide", true, L"https://www.example.com/guide",
         L"https://www.example.com/guide"},
        {L"", false, kTemplateText, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "url " << testing::PrintToString(std::wstring(c.url)) << " follow " << c.follow);
        CProbedLink link;
        test::CHostDialog host;
        link.m_strURL = c.url;
        ASSERT_TRUE(host.Open(nullptr, &link));
        link.m_bFollowLink = c.follow;
        // The owner replaces the text after binding, as the About box does.
        link.SetWindowText(L"https://www.example.com");
        CString tip;
        link.ToolTip().GetText(tip, &link);
        EXPECT_EQ(std::wstring(tip.GetString()), c.tooltip);

        const ShellRecorder shell;
        link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        EXPECT_TRUE(g_shellCalls.empty()) << "the press opens nothing";
        link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        if (!c.opened) {
            EXPECT_TRUE(g_shellCalls.empty());
            continue;
        }
        ASSERT_EQ(g_shellCalls.size(), 1u);
        const ShellCall& call = g_shellCalls[0];
        EXPECT_EQ(call.owner, nullptr);
        EXPECT_EQ(call.verb, L"open");
        EXPECT_EQ(call.file, c.opened);
        EXPECT_TRUE(call.noParameters);
        EXPECT_TRUE(call.noDirectory);
        EXPECT_EQ(call.show, SW_SHOWDEFAULT);
    }
}

TEST_F(StaticLinkTest, HandCursorWhileOverItAndTrackingReArmedAfterALeave) {
    Open();
    const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const auto trackedFlags = [&]() -> DWORD {
        TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
        ::_TrackMouseEvent(&query);
        return query.hwndTrack == m_link.m_hWnd ? query.dwFlags & (TME_HOVER | TME_LEAVE) : 0;
    };
    const CPoint centre = CentreOnScreen(m_link);
    const LPARAM where = MAKELPARAM(ClientSize(m_link).cx / 2, ClientSize(m_link).cy / 2);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        ::SetCursorPos(centre.x, centre.y);
        ::SetCursor(arrow);
        m_link.SendMessage(WM_MOUSEMOVE, 0, where);
        EXPECT_EQ(::GetCursor(), hand);
        EXPECT_TRUE(m_link.Tracking());
        EXPECT_EQ(trackedFlags(), static_cast<DWORD>(TME_HOVER | TME_LEAVE));
        // The system reports the rest: hover tracking ends, leave tracking stays armed.
        ASSERT_TRUE(PumpUntil([&] { return trackedFlags() == TME_LEAVE; })) << "no hover report";
        EXPECT_EQ(::GetCursor(), hand);
        m_link.SendMessage(WM_MOUSEMOVE, 0, where);
        EXPECT_EQ(trackedFlags(), static_cast<DWORD>(TME_LEAVE)) << "not armed again while tracking";

        ::SetCursorPos(1, 1);
        ASSERT_TRUE(PumpUntil([&] { return !m_link.Tracking(); })) << "no leave report";
        EXPECT_EQ(trackedFlags(), 0u);
    }
    m_link.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(::GetCursor(), arrow);
}

TEST_F(StaticLinkTest, DrawsItsWindowTextInTheOwnersColoursAndFont) {
    Open(L"https://www.example.com/guide");
    ConfigureAsAbout(m_link);
    m_link.SetWindowText(L"https://www.example.com");
    Repaint(m_link);
    const CSize size = ClientSize(m_link);
    Surface shown(size.cx, size.cy, RGB(0, 0, 0));
    shown.CaptureClient(m_link.m_hWnd);
    Surface expected(size.cx, size.cy, RGB(0, 0, 0));
    DrawReference(expected, L"https://www.example.com", m_link.m_font);
    EXPECT_TRUE(SamePixels(shown, expected)) << "the window text, not m_strURL, left and centred";
    EXPECT_EQ(shown.At(0, 0), kLinkBack);
    EXPECT_EQ(shown.At(size.cx - 1, size.cy - 1), kLinkBack);
    // The underline: one row of the text colour across the whole text.
    SIZE extent{};
    {
        CClientDC dc(&m_link);
        const HGDIOBJ old = ::SelectObject(dc, m_link.m_font);
        ::GetTextExtentPoint32W(dc, L"https://www.example.com", 23, &extent);
        ::SelectObject(dc, old);
    }
    int longestRun = 0;
    for (int y = 0; y < size.cy; ++y) {
        int run = 0;
        for (int x = 0; x < size.cx; ++x) {
            run = shown.At(x, y) == kLinkText ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
    }
    EXPECT_GE(longestRun, extent.cx - 2);
}

TEST_F(StaticLinkTest, AnAmpersandUnderlinesTheNextCharacterAndIsNotShown) {
    Open();
    ConfigureAsAbout(m_mnemonic);
    m_mnemonic.m_font.DeleteObject();
    m_mnemonic.m_font.Attach(MakeFont(0, false));
    Repaint(m_mnemonic);
    const CSize size = ClientSize(m_mnemonic);
    Surface shown(size.cx, size.cy, RGB(0, 0, 0));
    shown.CaptureClient(m_mnemonic.m_hWnd);
    Surface plain(size.cx, size.cy, RGB(0, 0, 0));
    DrawReference(plain, L"Web", m_mnemonic.m_font, kLinkFormat | DT_NOPREFIX);
    Surface literal(size.cx, size.cy, RGB(0, 0, 0));
    DrawReference(literal, L"&Web", m_mnemonic.m_font, kLinkFormat | DT_NOPREFIX);
    SIZE w{};
    {
        CClientDC dc(&m_mnemonic);
        const HGDIOBJ old = ::SelectObject(dc, m_mnemonic.m_font);
        ::GetTextExtentPoint32W(dc, L"W", 1, &w);
        ::SelectObject(dc, old);
    }
    EXPECT_FALSE(SamePixels(shown, literal)) << "the ampersand is hidden";
    EXPECT_TRUE(SamePixels(shown, plain, w.cx)) << "after the W the text is plain";
    EXPECT_FALSE(SamePixels(shown, plain, 0, w.cx)) << "the W is underlined";
}

TEST_F(StaticLinkTest, WithoutAFontOfTheOwnersItDrawsInTheControlsFont) {
    Open();
    const HFONT controlFont = MakeFont(-18, false);
    m_mnemonic.m_crText = kLinkText;
    m_mnemonic.m_crBack = kLinkBack;
    m_mnemonic.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
    Repaint(m_mnemonic);
    const CSize size = ClientSize(m_mnemonic);
    Surface shown(size.cx, size.cy, RGB(0, 0, 0));
    shown.CaptureClient(m_mnemonic.m_hWnd);
    Surface expected(size.cx, size.cy, RGB(0, 0, 0));
    DrawReference(expected, L"&Web", controlFont);
    EXPECT_TRUE(SamePixels(shown, expected));
    const HFONT dialogFont = MakeFont(0, false);
    Surface other(size.cx, size.cy, RGB(0, 0, 0));
    DrawReference(other, L"&Web", dialogFont);
    EXPECT_FALSE(SamePixels(shown, other)) << "the two fonts are told apart";

    // Neither the owner nor the control has a font: the context's own font draws the text.
    m_mnemonic.SendMessage(WM_SETFONT, 0, FALSE);
    Repaint(m_mnemonic);
    shown.CaptureClient(m_mnemonic.m_hWnd);
    EXPECT_GT(shown.Count(kLinkText), 0);
    EXPECT_EQ(shown.At(0, 0), kLinkBack);
    ::DeleteObject(dialogFont);
    ::DeleteObject(controlFont);
}

// Records the tool-tip messages that carry a relayed mouse or keyboard message.
std::vector<std::pair<UINT, LPARAM>> g_relayed;
WNDPROC g_toolTipProc = nullptr;
LRESULT CALLBACK RecordRelay(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTM_RELAYEVENT)
        g_relayed.emplace_back(reinterpret_cast<const MSG*>(lParam)->message, lParam);
    return ::CallWindowProcW(g_toolTipProc, wnd, message, wParam, lParam);
}

TEST_F(StaticLinkTest, PreTranslateMessageRelaysEveryMessageToTheTooltip) {
    Open();
    const HWND tip = m_link.ToolTip().m_hWnd;
    ASSERT_NE(tip, nullptr);
    g_relayed.clear();
    g_toolTipProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordRelay)));
    MSG move{m_link.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), ::GetTickCount(), {0, 0}};
    MSG key{m_link.m_hWnd, WM_KEYDOWN, VK_SPACE, 0, ::GetTickCount(), {0, 0}};
    EXPECT_FALSE(m_link.PreTranslateMessage(&move));
    EXPECT_FALSE(m_link.PreTranslateMessage(&key));
    ::SetWindowLongPtrW(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_toolTipProc));
    ASSERT_EQ(g_relayed.size(), 2u);
    EXPECT_EQ(g_relayed[0], std::make_pair(static_cast<UINT>(WM_MOUSEMOVE), reinterpret_cast<LPARAM>(&move)));
    EXPECT_EQ(g_relayed[1], std::make_pair(static_cast<UINT>(WM_KEYDOWN), reinterpret_cast<LPARAM>(&key)));
}

} // namespace
