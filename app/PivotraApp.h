// CPivotraApp: the application object. It prepares the process and runs the main dialog as
// the application's main window; the process ends when the dialog closes.
#pragma once

#include "CWinApp.h"

// The class library's help command.
constexpr UINT ID_HELP = 57670;

class CPivotraApp : public CWinApp {
public:
    CPivotraApp() = default;
    ~CPivotraApp() override = default;

    // Runs the main dialog to its end and returns false, so the entry goes straight to its exit.
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
