// Bitmap helpers for the windows that paint themselves: tiling a bitmap over a rectangle,
// loading a .bmp file and making an empty 32-bit bitmap.
#pragma once

#include "CDC.h"
#include "CGdiObject.h"
#include "CString.h"

#include <windows.h>

// Fills rect of pDC by repeating the bitmap from the rectangle's top-left corner, rows then
// columns, whole tiles only: the last row and column may reach past the rectangle, so callers
// draw into a CMemDCEx made over exactly that rectangle. A bitmap object that holds no bitmap,
// or one without a positive width and height, draws nothing.
void TileBitmap(CBitmap* pBitmap, LPCRECT rect, CDC* pDC);

// Loads a .bmp file as a device-compatible bitmap into bitmap, deleting the bitmap it held.
// Returns 0 and leaves bitmap unchanged when the file is missing or not a readable bitmap.
BOOL LoadBitmapFromFile(CBitmap& bitmap, const CString& path);

// A new bottom-up 32-bit DIB section of width x height; *ppBits receives its pixel memory.
// Null when the size is not positive or the system cannot make it.
HBITMAP CreateDib32(int width, int height, CDC* pDC, void** ppBits);
