// CDC and its paint and client kinds: device-context wrappers. A CDC that made its context
// (CreateCompatibleDC) deletes it; CPaintDC and CClientDC end what they began; FromHandle and
// Attach/Detach borrow a context without deleting it.
#pragma once

#include "CGdiObject.h"
#include "CString.h"
#include "Geometry.h"

#include <windows.h>

class CWnd;

class CDC : public CObject {
public:
    CDC() = default;
    ~CDC() override;

    HDC m_hDC = nullptr;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL DeleteDC();
    // A memory context compatible with dc (the screen when dc is null).
    BOOL CreateCompatibleDC(CDC* dc);

    static CDC* FromHandle(HDC dc);

    // Selecting an empty wrapper or null changes nothing and returns null.
    CGdiObject* SelectObject(CGdiObject* object);
    CBitmap* SelectObject(CBitmap* bitmap);
    CFont* SelectObject(CFont* font);
    HGDIOBJ SelectObject(HGDIOBJ object);

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop);
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    COLORREF SetTextColor(COLORREF colour);
    int SetBkMode(int mode);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    int SaveDC();
    BOOL RestoreDC(int savedDC);
    COLORREF GetPixel(int x, int y) const;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    // The client area of wnd, or the screen when wnd is null.
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
