// A minimal GUI program that carries the project's resources, so that the resource checks have
// an executable to inspect before the application itself is built.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}
