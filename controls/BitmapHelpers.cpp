// Bitmap helpers: tiling, loading a .bmp file, making a 32-bit DIB section.
#include "BitmapHelpers.h"

void TileBitmap(CBitmap* pBitmap, LPCRECT rect, CDC* pDC) {
    BITMAP info{};
    // Without a positive tile size the loops below would never advance.
    if (!pBitmap->GetBitmap(&info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return;
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return;
    // A bitmap can be selected into one context only; one held elsewhere cannot be tiled.
    CBitmap* pOld = memDC.SelectObject(pBitmap);
    if (!pOld)
        return;
    // 64-bit positions, so that a rectangle reaching the end of the coordinate range ends too.
    for (long long y = rect->top; y < rect->bottom; y += info.bmHeight) {
        for (long long x = rect->left; x < rect->right; x += info.bmWidth)
            pDC->BitBlt(static_cast<int>(x), static_cast<int>(y), info.bmWidth, info.bmHeight, &memDC, 0, 0,
                        SRCCOPY);
    }
    memDC.SelectObject(pOld);
}

BOOL LoadBitmapFromFile(CBitmap& bitmap, const CString& path) {
    HANDLE loaded = ::LoadImageW(::GetModuleHandleW(nullptr), path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!loaded)
        return FALSE;
    bitmap.DeleteObject();
    bitmap.Attach(loaded);
    return TRUE;
}

HBITMAP CreateDib32(int width, int height, CDC* pDC, void** ppBits) {
    if (width <= 0 || height <= 0)
        return nullptr;
    const unsigned long long imageSize = 4ull * static_cast<unsigned>(width) * static_cast<unsigned>(height);
    if (imageSize > MAXDWORD)
        return nullptr;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height; // positive: rows stored bottom-up
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    header.bmiHeader.biSizeImage = static_cast<DWORD>(imageSize);
    return ::CreateDIBSection(pDC->GetSafeHdc(), &header, DIB_RGB_COLORS, ppBits, nullptr, 0);
}
