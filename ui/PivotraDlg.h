// CPivotraDlg: the main dialog, the program's only window. It binds the device library, shows the
// device state through its status line and two recovery buttons, paints its header band and image
// buttons off screen, and opens the user guide and the About box.
#pragma once

#include "AlphaButton.h"
#include "CButton.h"
#include "CDialog.h"
#include "CGdiObject.h"
#include "CToolTipCtrl.h"
#include "Geometry.h"
#include "resource.h"

class CPivotraDlg : public CDialog {
public:
    CPivotraDlg();
    ~CPivotraDlg() override = default;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Binds the device library (or tells the user that iTunes is needed and ends), starts device
    // monitoring, loads the header band and the image buttons, and sets the footer, the tool tips,
    // the layout, the data folder and the title.
    BOOL OnInitDialog() override;

    BOOL InitializeBitmaps();
    bool InitializeButtons();
    BOOL InitializeFooter();
    BOOL InitializeToolTips();
    // Sizes both image buttons to one frame and puts About 15 pixels right of Help.
    void LayoutButtons();

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnEnterRecovery();
    void OnExitRecovery();
    void OnSize(UINT nType, int cx, int cy);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnHelpButton();
    void OnAboutButton();
    LRESULT OnDeviceEffect(WPARAM wParam, LPARAM lParam);

    void PaintClient(CDC* pDC);
    BOOL PaintHeader(CDC* pMemDC);
    BOOL PaintImageButtons(CDC* pMemDC);

    HICON m_hIcon;
    CButton m_btnEnter;
    CButton m_btnExit;
    CRect m_rcClient;
    CAlphaButton m_btnHelp;
    CAlphaButton m_btnAbout;
    CToolTipCtrl m_toolTip;
    CBitmap m_bmpHeader;

    DECLARE_MESSAGE_MAP()
};
