// CDialog: a dialog made from a resource template, run modally with its own message loop or
// created modeless. Initialisation runs data exchange; OK and Cancel end the dialog.
#pragma once

#include "CWnd.h"

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the dialog from its template (owned by the parent, else by the application's main
    // window), centres it on its owner or the screen unless its initialisation moved it, and runs
    // the modal loop. Returns the EndDialog code, or -1 when the template is missing, creation
    // failed or the loop ended on a quit request.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; the caller's loop delivers its messages.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL CreateFromTemplate(HWND owner);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};
