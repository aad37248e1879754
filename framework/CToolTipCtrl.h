// CToolTipCtrl: a common-controls tool-tip window. Tools registered by window handle without
// TTF_SUBCLASS learn of the mouse only through RelayEvent.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    // A tool-tip popup owned by parent, with WS_POPUP and the given extra style.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // Registers wnd as a tool: with id 0 and no rectangle the tool is the window itself,
    // identified by its handle. The tool tip keeps its own copy of the text.
    BOOL AddTool(CWnd* wnd, LPCWSTR text, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
    void Activate(BOOL activate);
    void RelayEvent(MSG* msg);
    // The text of the tool wnd (id 0: the window itself), for checks and hosts.
    void GetText(CString& text, CWnd* wnd, UINT_PTR toolId = 0) const;
    int GetToolCount() const;
};
