// The main dialog: initialisation and its start-up failures, commands, layout and painting.
#include "PivotraDlg.h"

#include "AboutDlg.h"
#include "BitmapHelpers.h"
#include "CDataExchange.h"
#include "CFileFind.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "DeviceEffectMailbox.h"
#include "DeviceMonitor.h"
#include "Folders.h"
#include "MemDCEx.h"
#include "MobileDeviceApi.h"
#include "ProductInfo.h"
#include "RecoveryCommands.h"

#include <shellapi.h>

BEGIN_MESSAGE_MAP(CPivotraDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_ENTER_RECOVERY, &CPivotraDlg::OnEnterRecovery)
ON_BN_CLICKED(IDC_EXIT_RECOVERY, &CPivotraDlg::OnExitRecovery)
ON_WM_SIZE()
ON_WM_CTLCOLOR()
ON_BN_CLICKED(IDC_HELP_BUTTON, &CPivotraDlg::OnHelpButton)
ON_BN_CLICKED(IDC_ABOUT_BUTTON, &CPivotraDlg::OnAboutButton)
ON_MESSAGE(WM_DEVICE_EFFECT, &CPivotraDlg::OnDeviceEffect)
END_MESSAGE_MAP()

namespace {

// Gap in pixels between the Help and the About image buttons.
constexpr int kImageButtonGap = 15;
// Exit status of the quit request that follows a missing header band.
constexpr int kBitmapFailureExitCode = 18;

// The button-face brush of the static texts and the dialog background, made at the first colour
// request and kept for the rest of the process.
HBRUSH s_hbrFace = nullptr;

} // namespace

CPivotraDlg::CPivotraDlg()
    : CDialog(IDD_MAIN_DIALOG),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

void CPivotraDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ENTER_RECOVERY, m_btnEnter);
    DDX_Control(dx, IDC_EXIT_RECOVERY, m_btnExit);
    DDX_Control(dx, IDC_HELP_BUTTON, m_btnHelp);
    DDX_Control(dx, IDC_ABOUT_BUTTON, m_btnAbout);
}

BOOL CPivotraDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        CString aboutText;
        aboutText.LoadString(IDS_ABOUTBOX);
        if (!aboutText.IsEmpty()) {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutText);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    if (!BindMobileDeviceLibrary()) {
        MessageBox(
            L"The iTunes is needed to scan your device. Please download the iTunes on the official Apple "
            L"website.",
            nullptr, MB_OK);
        PostMessage(WM_QUIT, 0, 0);
        return FALSE;
    }

    StartDeviceMonitoring();

    // Our code throws nothing; this only keeps an unexpected failure of the platform from
    // ending initialisation before the layout, the data folder and the title.
    try {
        if (!InitializeBitmaps()) {
            MessageBox(L"Initialize Bitmaps Failed!\n", nullptr, MB_OK);
            ::PostQuitMessage(kBitmapFailureExitCode);
        }
        if (!InitializeButtons()) {
            MessageBox(L"Initialize Buttons Failed!\n", nullptr, MB_OK);
            PostMessage(WM_QUIT, 0, 0);
        }
        InitializeFooter();
        InitializeToolTips();
    } catch (...) {
    }

    LayoutButtons();

    // Without a shared documents folder the path would name a folder at the root of the
    // current drive, so nothing is made then.
    CString dataFolder;
    GetSharedDocumentsFolder(dataFolder);
    if (!dataFolder.IsEmpty()) {
        dataFolder += L"\\";
        dataFolder += kDataFolderName;
        CFileFind finder;
        if (!finder.FindFile(dataFolder))
            ::CreateDirectoryW(dataFolder, nullptr);
    }

    SetWindowText(kProductTitle);
    return TRUE;
}

BOOL CPivotraDlg::InitializeBitmaps() {
    CString path;
    GetProgramDirectory(path);
    path += L"\\Images\\Dlg_Common_Top.bmp";
    return LoadBitmapFromFile(m_bmpHeader, path);
}

bool CPivotraDlg::InitializeButtons() {
    CString directory;
    GetProgramDirectory(directory);
    if (!m_btnHelp.LoadImageFile(directory + L"\\Images\\Button_Top_Help.png"))
        return false;
    return m_btnAbout.LoadImageFile(directory + L"\\Images\\Button_Top_About.png") != FALSE;
}

BOOL CPivotraDlg::InitializeFooter() {
    CString footer(kProductTitle);
    footer += L".";
    footer += kCopyrightNotice;
    if (const HWND control = ::GetDlgItem(m_hWnd, IDC_FOOTER); control && ::IsWindow(control))
        ::SetWindowTextW(control, footer);
    return TRUE;
}

BOOL CPivotraDlg::InitializeToolTips() {
    EnableToolTips(TRUE);
    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    m_toolTip.AddTool(GetDlgItem(IDC_ENTER_RECOVERY), L"Enter Recovery Mode");
    m_toolTip.AddTool(GetDlgItem(IDC_EXIT_RECOVERY), L"Exit Recovery Mode");
    return TRUE;
}

void CPivotraDlg::LayoutButtons() {
    if (!::IsWindow(m_hWnd) || !::IsWindow(m_btnHelp.m_hWnd))
        return;
    CRect help;
    m_btnHelp.GetWindowRect(&help);
    ScreenToClient(&help);
    if (m_btnHelp.m_image.m_pImage) {
        const CSize frame = m_btnHelp.m_image.GetFrameSize();
        m_btnHelp.MoveWindow(help.left, help.top, frame.cx, frame.cy, TRUE);
    }
    if (!m_btnAbout.m_image.m_pImage)
        return;
    const CSize aboutFrame = m_btnAbout.m_image.GetFrameSize();
    m_btnAbout.MoveWindow(help.left + aboutFrame.cx + kImageButtonGap, help.top, aboutFrame.cx, aboutFrame.cy,
                          TRUE);
}

BOOL CPivotraDlg::PreTranslateMessage(MSG* pMsg) {
    m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CPivotraDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

HCURSOR CPivotraDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

// A refused command changes nothing, so that it stays available to be clicked again.
void CPivotraDlg::OnEnterRecovery() {
    if (RequestEnterRecovery()) {
        m_btnEnter.EnableWindow(FALSE);
        m_btnExit.EnableWindow(TRUE);
    }
}

void CPivotraDlg::OnExitRecovery() {
    if (RequestExitRecovery()) {
        m_btnExit.EnableWindow(FALSE);
        m_btnEnter.EnableWindow(TRUE);
    }
}

void CPivotraDlg::OnHelpButton() {
    ::ShellExecuteW(nullptr, L"open", kUserGuideAddress, nullptr, nullptr, SW_SHOWDEFAULT);
}

void CPivotraDlg::OnAboutButton() {
    CAboutDlg about;
    about.DoModal();
}

LRESULT CPivotraDlg::OnDeviceEffect(WPARAM, LPARAM) {
    ApplyPendingDeviceEffect(*this);
    return 0;
}

void CPivotraDlg::OnSize(UINT, int, int) {
    Default();
    GetClientRect(&m_rcClient);
    LayoutButtons();
}

void CPivotraDlg::OnPaint() {
    CPaintDC dc(this);
    PaintClient(&dc);
}

void CPivotraDlg::PaintClient(CDC* pDC) {
    CMemDCEx memDC(pDC, m_rcClient);
    CRect client;
    GetClientRect(&client);
    memDC.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    PaintHeader(&memDC);
    PaintImageButtons(&memDC);
}

BOOL CPivotraDlg::PaintHeader(CDC* pMemDC) {
    // Without its bitmap (a failed load, before the program ends) the band is left out rather
    // than drawn from an off-screen bitmap that nothing filled.
    if (!m_bmpHeader.GetSafeHandle())
        return TRUE;
    CRect band = m_rcClient;
    band.bottom = band.top + kHeaderBandHeight;
    CMemDCEx bandDC(pMemDC, band);
    TileBitmap(&m_bmpHeader, &band, &bandDC);
    return TRUE;
}

BOOL CPivotraDlg::PaintImageButtons(CDC* pMemDC) {
    for (CAlphaButton* button : {&m_btnHelp, &m_btnAbout}) {
        CRect rect;
        button->GetWindowRect(&rect);
        ScreenToClient(&rect);
        const CPoint origin = rect.TopLeft();
        button->DrawImage(pMemDC, 0, &origin, FALSE);
    }
    return TRUE;
}

HBRUSH CPivotraDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    const HBRUSH base = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (!s_hbrFace)
        s_hbrFace = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkMode(TRANSPARENT);
        return s_hbrFace;
    }
    if (nCtlColor == CTLCOLOR_DLG)
        return s_hbrFace;
    return base;
}
