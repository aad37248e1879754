// CAboutDlg: the About box, with the product title, the version line, the notices and a link to
// the maker's web site under the same header band as the main window.
#pragma once

#include "CDialog.h"
#include "CGdiObject.h"
#include "Geometry.h"
#include "StaticLink.h"

class CAboutDlg : public CDialog {
    DECLARE_DYNAMIC(CAboutDlg)
public:
    CAboutDlg();
    ~CAboutDlg() override = default;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Binds the link, sets texts and colours, loads the band; a missing band ends the program.
    BOOL OnInitDialog() override;
    void InitControls();
    BOOL InitializeBitmaps();

    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnPaint();

    CStaticLink m_link;
    CRect m_rcClient;
    CBitmap m_bmpHeader;

    DECLARE_MESSAGE_MAP()
};
