// The About box: texts, colours, the link with its underlined font, and the header band.
#include "AboutDlg.h"

#include "BitmapHelpers.h"
#include "CDataExchange.h"
#include "Folders.h"
#include "MemDCEx.h"
#include "ProductInfo.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CAboutDlg, CDialog)

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
ON_WM_CTLCOLOR()
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kAboutBackground = RGB(250, 250, 250);
constexpr COLORREF kLinkColour = RGB(52, 120, 216);

// One brush for every About box of the process, made at the first colour request and kept.
HBRUSH s_hbrAbout = nullptr;

} // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ABOUT_LINK, m_link);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetClientRect(&m_rcClient);
    InitControls();
    if (!InitializeBitmaps()) {
        MessageBox(L"Fail to load necessary resources,Application will be exit.", nullptr, MB_OK);
        ::PostQuitMessage(0);
    }
    return TRUE;
}

void CAboutDlg::InitControls() {
    if (const HWND link = ::GetDlgItem(m_hWnd, IDC_ABOUT_LINK); link && ::IsWindow(link))
        ::SetWindowTextW(link, kWebSiteAddress);
    if (const HWND title = ::GetDlgItem(m_hWnd, IDC_ABOUT_TITLE); title && ::IsWindow(title))
        ::SetWindowTextW(title, kProductTitle);

    m_link.m_crText = kLinkColour;
    m_link.m_crBack = kAboutBackground;
    m_link.m_bFollowLink = true;

    LOGFONTW description{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
    description.lfUnderline = 1;
    m_link.m_font.DeleteObject();
    m_link.m_font.CreateFontIndirect(&description);
}

BOOL CAboutDlg::InitializeBitmaps() {
    CString path;
    GetProgramDirectory(path);
    path += L"\\Images\\Dlg_Common_Top.bmp";
    return LoadBitmapFromFile(m_bmpHeader, path);
}

HBRUSH CAboutDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    const HBRUSH base = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (!s_hbrAbout)
        s_hbrAbout = ::CreateSolidBrush(kAboutBackground);
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkMode(TRANSPARENT);
        return s_hbrAbout;
    }
    if (nCtlColor == CTLCOLOR_DLG)
        return s_hbrAbout;
    return base;
}

void CAboutDlg::OnPaint() {
    CPaintDC dc(this);
    CRect band(m_rcClient.left, m_rcClient.top, m_rcClient.right, m_rcClient.top + kHeaderBandHeight);
    CMemDCEx memDC(&dc, band);
    TileBitmap(&m_bmpHeader, &band, &memDC);
}
