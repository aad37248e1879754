// The program entry of applications built on the class library.
#include "CWinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
    return AfxWinMain(instance, previous, ::GetCommandLineW(), showCommand);
}
