// CAlphaButton: a push button shown only as one frame of a PNG strip with alpha (normal, pointer
// over it, pressed), blended over a snapshot of what its parent painted beneath it.
#pragma once

#include "CButton.h"
#include "CDC.h"
#include "Geometry.h"
#include "ImageStrip.h"

#include <windows.h>

class CAlphaButton : public CButton {
public:
    CAlphaButton() = default;
    ~CAlphaButton() override;

    // Decodes a three-frame strip and makes an empty snapshot of one frame's size, releasing the
    // previous image and snapshot first. On failure (missing or undecodable file, no device
    // context, no snapshot) returns 0 and holds no snapshot, so it draws nothing; the image
    // object of a missing or undecodable file stays and measures 0 x 0.
    BOOL LoadImageFile(const wchar_t* path);

    // Draws frame nIndex at *pOrigin of pDC. bOwnPaint 0 is the parent's paint: the pixels of pDC
    // under the button become its snapshot, then the frame is blended onto pDC. Nonzero is the
    // button's own paint: snapshot, then frame, composed off-screen. A hidden button or one
    // without a snapshot draws nothing; a disabled one draws no frame.
    virtual void DrawImage(CDC* pDC, int nIndex, const POINT* pOrigin, BOOL bOwnPaint);

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnMouseHover(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);

    BOOL m_bHover = FALSE;
    BOOL m_bTracking = FALSE;
    HBITMAP m_hBackground = nullptr;

public:
    CImageStrip m_image;

    DECLARE_MESSAGE_MAP()

private:
    void ReleaseImage();
};
