// Real pointer input through SendInput, for what only a user's mouse does: hovering, pressing,
// sliding off a button, releasing.
#pragma once

#include <windows.h>

// Moves the pointer to a screen point; true once the system reports it there.
bool MoveMouseTo(POINT point);
bool PressMouse();
bool ReleaseMouse();
POINT CentreOf(const RECT& rect);
// A spot of the desktop that no window of the program covers.
POINT ParkingSpot();
