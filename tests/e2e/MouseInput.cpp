// Pointer moves and button presses as hardware input.
#include "MouseInput.h"

#include "WaitUntil.h"

namespace {

bool Send(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return SendInput(1, &input, sizeof input) == 1;
}

// Absolute input runs from 0 to 65535 across the primary screen; rounding up makes the system's
// conversion back land on the intended pixel.
LONG Normalised(LONG coordinate, int extent) {
    return static_cast<LONG>((static_cast<long long>(coordinate) * 65536 + extent - 1) / extent);
}

} // namespace

bool MoveMouseTo(POINT point) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (!Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(point.x, width),
              Normalised(point.y, height))) {
        return false;
    }
    return WaitUntil([&] {
        POINT now{};
        return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
    });
}

bool PressMouse() {
    return Send(MOUSEEVENTF_LEFTDOWN);
}

bool ReleaseMouse() {
    return Send(MOUSEEVENTF_LEFTUP);
}

POINT CentreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT ParkingSpot() {
    return POINT{GetSystemMetrics(SM_CXSCREEN) - 8, GetSystemMetrics(SM_CYSCREEN) - 8};
}
