// The GDI+ encoder of PNG files, for tests that write their own fixture images.
#pragma once

#include <windows.h>

// Fills clsid with the PNG encoder's class id; false when GDI+ offers none (or is not started).
bool PngEncoder(CLSID* clsid);
