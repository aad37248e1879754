// Behaviours of the class library on real windows: modal loops, message routing, data
// exchange, owner-draw reflection and default message-box captions.
#include "Afx.h"
#include "FrameworkTestIds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr UINT kMsgBase = WM_APP + 10;
constexpr UINT kMsgDerived = WM_APP + 11;
constexpr UINT kMsgShared = WM_APP + 12;
constexpr UINT kMsgProbe = WM_APP + 13;
constexpr UINT kMsgFinish = WM_APP + 14;

class CRecordingButton : public CButton {
public:
    void PreSubclassWindow() override { ++preSubclassCalls; }
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        ++drawCalls;
        drawnId = item->CtlID;
    }
    int preSubclassCalls = 0;
    int drawCalls = 0;
    UINT drawnId = 0;
};

class CBaseTestDialog : public CDialog {
public:
    CBaseTestDialog() : CDialog(IDD_TEST_DIALOG) {}
    LRESULT OnBase(WPARAM, LPARAM) { return 1; }
    LRESULT OnSharedInBase(WPARAM, LPARAM) { return 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestDialog, CDialog)
ON_MESSAGE(kMsgBase, &CBaseTestDialog::OnBase)
ON_MESSAGE(kMsgShared, &CBaseTestDialog::OnSharedInBase)
END_MESSAGE_MAP()

class CTestDialog : public CBaseTestDialog {
public:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_TEST_OWNERDRAW, m_button); }

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message >= kMsgProbe && msg->message <= kMsgFinish)
            seen.push_back({msg->hwnd, msg->message});
        if (msg->message == kMsgFinish)
            EndDialog(IDOK);
        return CBaseTestDialog::PreTranslateMessage(msg);
    }

    LRESULT OnDerived(WPARAM, LPARAM) { return 3; }
    LRESULT OnSharedInDerived(WPARAM, LPARAM) { return 4; }
    void OnClickedDrawMe() { ++clicks; }

    CRecordingButton m_button;
    std::vector<std::pair<HWND, UINT>> seen;
    int clicks = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CBaseTestDialog)
ON_MESSAGE(kMsgDerived, &CTestDialog::OnDerived)
ON_MESSAGE(kMsgShared, &CTestDialog::OnSharedInDerived)
ON_BN_CLICKED(IDC_TEST_OWNERDRAW, &CTestDialog::OnClickedDrawMe)
END_MESSAGE_MAP()

TEST(MessageMap, ChainsToTheBaseClassAndPrefersTheDerivedEntry) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));
    EXPECT_EQ(dialog.SendMessage(kMsgBase), 1);
    EXPECT_EQ(dialog.SendMessage(kMsgDerived), 3);
    EXPECT_EQ(dialog.SendMessage(kMsgShared), 4);
    // Unmapped messages reach the window's own procedure: the dialog knows its default button.
    EXPECT_EQ(LOWORD(dialog.SendMessage(DM_GETDEFID)), IDOK);
    // A button notification reaches the BN_CLICKED entry of the derived map.
    ::SendMessageW(dialog.m_button.m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.clicks, 1);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(DataExchange, SubclassesTheControlAndOwnerDrawReachesDrawItem) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));
    EXPECT_EQ(dialog.m_button.preSubclassCalls, 1);
    ASSERT_NE(dialog.m_button.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(dialog.m_button.m_hWnd), &dialog.m_button);
    EXPECT_EQ(dialog.GetDlgItem(IDC_TEST_OWNERDRAW), &dialog.m_button);
    // A control that is not bound gets a borrowed wrapper with the right handle.
    EXPECT_EQ(dialog.GetDlgItem(IDC_TEST_TEXT)->m_hWnd, ::GetDlgItem(dialog.m_hWnd, IDC_TEST_TEXT));
    EXPECT_EQ(dialog.GetDlgItem(12345), nullptr);

    dialog.ShowWindow(SW_SHOWNA);
    dialog.m_button.Invalidate();
    dialog.m_button.UpdateWindow();
    EXPECT_GE(dialog.m_button.drawCalls, 1);
    EXPECT_EQ(dialog.m_button.drawnId, static_cast<UINT>(IDC_TEST_OWNERDRAW));

    // A second exchange leaves the bound object alone.
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.m_button.preSubclassCalls, 1);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_button.m_hWnd, nullptr);
}

CTestDialog* g_postTarget = nullptr;

void CALLBACK PostProbes(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    ::PostMessageW(g_postTarget->m_hWnd, kMsgProbe, 0, 0);
    ::PostMessageW(g_postTarget->m_button.m_hWnd, kMsgProbe, 0, 0);
    ::PostThreadMessageW(::GetCurrentThreadId(), kMsgProbe, 0, 0);
    ::PostMessageW(g_postTarget->m_hWnd, kMsgFinish, 0, 0);
}

TEST(ModalLoop, PreTranslateMessageSeesEveryMessageOfTheLoop) {
    CTestDialog dialog;
    // The posts are made once the loop runs: from a zero-delay thread timer callback.
    g_postTarget = &dialog;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 0, &PostProbes);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(dialog.seen.size(), 4u);
    EXPECT_NE(dialog.seen[0].first, nullptr);
    EXPECT_NE(dialog.seen[1].first, dialog.seen[0].first);
    EXPECT_EQ(dialog.seen[1].second, static_cast<UINT>(kMsgProbe));
    EXPECT_NE(dialog.seen[1].first, nullptr) << "the control's message is seen by the dialog too";
    EXPECT_EQ(dialog.seen[2], (std::pair<HWND, UINT>{nullptr, kMsgProbe}));
    EXPECT_EQ(dialog.seen[3].second, static_cast<UINT>(kMsgFinish));
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "DoModal destroys its window";
}

TEST(ModalLoop, NestedLoopThatRetrievesQuitEndsAndPostsItAgain) {
    static std::atomic<int> innerResult{0};
    struct CInner : CDialog {
        CInner() : CDialog(IDD_TEST_DIALOG) {}
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            ::PostQuitMessage(7);
            return TRUE;
        }
    };
    struct COuter : CDialog {
        COuter() : CDialog(IDD_TEST_DIALOG) {}
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            PostMessage(WM_APP);
            return TRUE;
        }
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_APP) {
                CInner inner;
                innerResult = static_cast<int>(inner.DoModal());
                return 0;
            }
            return CDialog::WindowProc(message, wParam, lParam);
        }
    };
    COuter outer;
    EXPECT_EQ(outer.DoModal(), -1);
    EXPECT_EQ(innerResult.load(), -1);
    EXPECT_EQ(AfxGetLastModalMessage().message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(AfxGetLastModalMessage().wParam, 7u);
    MSG pending;
    ASSERT_TRUE(::PeekMessageW(&pending, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is posted again";
    EXPECT_EQ(pending.wParam, 7u);
}

TEST(ModalLoop, CentresAModalDialogOnTheScreenWhenNothingMovedIt) {
    struct CCentred : CDialog {
        CCentred() : CDialog(IDD_TEST_DIALOG) {}
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            PostMessage(WM_COMMAND, IDOK);
            return TRUE;
        }
        void OnOK() override {
            GetWindowRect(&placed);
            CDialog::OnOK();
        }
        CRect placed;
    };
    CCentred dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const CRect work(monitor.rcWork);
    EXPECT_NEAR(dialog.placed.left + dialog.placed.Width() / 2, work.left + work.Width() / 2, 1);
    EXPECT_NEAR(dialog.placed.top + dialog.placed.Height() / 2, work.top + work.Height() / 2, 1);
}

BOOL CALLBACK FindDialogWindow(HWND wnd, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(wnd, className, 16);
    if (::lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    reinterpret_cast<std::atomic<HWND>*>(found)->store(wnd);
    return FALSE;
}

TEST(MessageBox, WithoutACaptionShowsTheExecutableName) {
    std::atomic<HWND> box{nullptr};
    wchar_t caption[64] = {};
    const DWORD uiThread = ::GetCurrentThreadId();
    std::thread closer([&] {
        for (int attempt = 0; attempt < 400 && !box; ++attempt) {
            ::EnumThreadWindows(uiThread, &FindDialogWindow, reinterpret_cast<LPARAM>(&box));
            if (!box)
                ::Sleep(25);
        }
        if (box) {
            ::GetWindowTextW(box, caption, 64);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    CWnd none;
    none.MessageBox(L"Hello");
    closer.join();
    ASSERT_NE(box.load(), nullptr) << "no message box appeared";
    EXPECT_STREQ(caption, L"framework_tests");
    EXPECT_EQ(AfxGetAppName(), L"framework_tests");
}

TEST(StringAndGdi, BorrowedWrappersNeverDeleteTheirHandle) {
    const HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    CGdiObject::FromHandle(brush);
    LOGBRUSH info{};
    EXPECT_EQ(::GetObjectW(brush, sizeof(info), &info), static_cast<int>(sizeof(info)));
    {
        CBrush owner;
        ASSERT_TRUE(owner.Attach(brush));
        EXPECT_FALSE(owner.Attach(brush)) << "an owner holds one object";
    }
    EXPECT_EQ(::GetObjectW(brush, sizeof(info), &info), 0) << "the owner deleted its object";

    CString text(L"C:\\Tools\\Ferrolite.exe");
    EXPECT_EQ(text.Left(text.ReverseFind(L'\\')), L"C:\\Tools");
    EXPECT_EQ(CString(L"abc").ReverseFind(L'x'), -1);
}

} // namespace
