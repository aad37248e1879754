// A small program that shows the controls as a person sees them, for the pictures in docs/: the
// image buttons (Help and About) in their normal, hover and pressed frames on the header band,
// and the link line in the About box's colours. Artwork comes from Images\ beside the program.
//
// Usage: controls_showcase [<rect file> <seconds>]: writes the screen rectangles of the window,
// the button band and the link line to <rect file> once painted, and closes after <seconds>.
#include "Afx.h"
#include "AlphaButton.h"
#include "BitmapHelpers.h"
#include "ControlsShowcaseIds.h"
#include "MemDCEx.h"
#include "StaticLink.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kBandHeight = 69;
constexpr int kLabelTop = kBandHeight + 6;
constexpr int kLabelHeight = 16;
constexpr COLORREF kAboutBack = RGB(250, 250, 250);
constexpr COLORREF kLinkText = RGB(52, 120, 216);
constexpr UINT_PTR kReportTimer = 1;
constexpr UINT_PTR kCloseTimer = 2;

CString ProgramDirectory() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString directory(path);
    return directory.Left(directory.ReverseFind(L'\\'));
}

class CShowcaseDlg : public CDialog {
public:
    CShowcaseDlg(std::wstring reportPath, int seconds)
        : CDialog(IDD_SHOWCASE), m_reportPath(std::move(reportPath)), m_seconds(seconds) {}

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        const CString images = ProgramDirectory() + L"\\Images\\";
        LoadBitmapFromFile(m_bmpHeader, images + L"Dlg_Common_Top.bmp");
        CRect client;
        GetClientRect(&client);
        static const UINT labels[3] = {IDC_SHOW_LABEL_NORMAL, IDC_SHOW_LABEL_HOVER, IDC_SHOW_LABEL_PRESSED};
        for (int state = 0; state < 3; ++state) {
            CAlphaButton& help = m_buttons[2 * state];
            CAlphaButton& about = m_buttons[2 * state + 1];
            help.LoadImageFile(images + L"Button_Top_Help.png");
            about.LoadImageFile(images + L"Button_Top_About.png");
            const CSize size = help.m_image.GetFrameSize();
            const int centre = client.Width() * (state + 1) / 4;
            const int top = (kBandHeight - size.cy) / 2;
            help.MoveWindow(centre - size.cx - 3, top, size.cx, size.cy, TRUE);
            about.MoveWindow(centre + 3, top, size.cx, size.cy, TRUE);
            GetDlgItem(static_cast<int>(labels[state]))
                ->MoveWindow(centre - 40, kLabelTop, 80, kLabelHeight, TRUE);
        }
        // The pointer rests over the hover pair; the pressed pair is held down as well.
        for (int i = 2; i < 6; ++i)
            m_buttons[i].SendMessage(WM_MOUSEHOVER);
        m_buttons[4].SetState(TRUE);
        m_buttons[5].SetState(TRUE);

        // Configured as the About box configures its link.
        m_link.m_crText = kLinkText;
        m_link.m_crBack = kAboutBack;
        LOGFONTW font{};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
        font.lfUnderline = 1;
        m_link.m_font.CreateFontIndirect(&font);
        m_link.SetWindowText(L"https://www.example.com");
        m_aboutBrush.CreateSolidBrush(kAboutBack);
        if (!m_reportPath.empty()) {
            ::SetTimer(m_hWnd, kReportTimer, 500, nullptr);
            ::SetTimer(m_hWnd, kCloseTimer, static_cast<UINT>(m_seconds) * 1000, nullptr);
        }
        return TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        static const int ids[6] = {IDC_SHOW_HELP_NORMAL, IDC_SHOW_ABOUT_NORMAL, IDC_SHOW_HELP_HOVER,
                                   IDC_SHOW_ABOUT_HOVER, IDC_SHOW_HELP_PRESSED, IDC_SHOW_ABOUT_PRESSED};
        for (int i = 0; i < 6; ++i)
            DDX_Control(dx, ids[i], m_buttons[i]);
        DDX_Control(dx, IDC_SHOW_LINK, m_link);
    }

    // As the main dialog paints: background, the band through its own off-screen context, then
    // each button's normal frame over what lies under it.
    void OnPaint() {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        CMemDCEx memDC(&dc, client);
        memDC.FillSolidRect(client, kAboutBack);
        {
            const CRect band(0, 0, client.Width(), kBandHeight);
            CMemDCEx bandDC(&memDC, band);
            bandDC.FillSolidRect(band, kAboutBack);
            if (m_bmpHeader.GetSafeHandle())
                TileBitmap(&m_bmpHeader, band, &bandDC);
        }
        for (CAlphaButton& button : m_buttons) {
            CRect rect;
            button.GetWindowRect(&rect);
            ScreenToClient(&rect);
            const CPoint origin = rect.TopLeft();
            button.DrawImage(&memDC, 0, &origin, FALSE);
        }
    }

    HBRUSH OnCtlColor(CDC* pDC, CWnd*, UINT) {
        pDC->SetBkMode(TRANSPARENT);
        return m_aboutBrush;
    }

    LRESULT OnTimer(WPARAM id, LPARAM) {
        ::KillTimer(m_hWnd, id);
        if (id == kCloseTimer) {
            EndDialog(IDOK);
            return 0;
        }
        CRect window;
        GetWindowRect(&window);
        CRect buttons(0, 0, 0, kLabelTop + kLabelHeight + 4);
        CRect client;
        GetClientRect(&client);
        buttons.right = client.right;
        ClientToScreen(&buttons);
        CRect link;
        m_link.GetWindowRect(&link);
        ::InflateRect(&link, 16, 10);
        if (FILE* file = _wfopen(m_reportPath.c_str(), L"w")) {
            for (const CRect& r : {window, buttons, link})
                std::fprintf(file, "%dx%d+%ld+%ld\n", r.Width(), r.Height(), r.left, r.top);
            std::fclose(file);
        }
        return 0;
    }

    DECLARE_MESSAGE_MAP()

private:
    CAlphaButton m_buttons[6];
    CStaticLink m_link;
    CBitmap m_bmpHeader;
    CBrush m_aboutBrush;
    std::wstring m_reportPath;
    int m_seconds;
};

BEGIN_MESSAGE_MAP(CShowcaseDlg, CDialog)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_TIMER, &CShowcaseDlg::OnTimer)
END_MESSAGE_MAP()

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::wstring reportPath = argc > 2 ? argv[1] : L"";
    const int seconds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 0;
    ::LocalFree(argv);

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    {
        CShowcaseDlg dialog(reportPath, seconds);
        dialog.DoModal();
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
