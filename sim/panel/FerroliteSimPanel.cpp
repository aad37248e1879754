// FerroliteSimPanel.exe: the control window of the simulated device library, for a person who
// wants to plug a simulated device into a running Ferrolite and watch it react.
#include "SimPanelWindow.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    SimPanelWindow panel(SimClient::ThroughPipe());
    if (!panel.Create(instance, show)) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
