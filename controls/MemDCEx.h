// CMemDCEx: an off-screen device context over one rectangle of a target. Everything drawn into
// it reaches the target in a single copy when the object goes out of scope, so a window never
// shows a half-painted state.
#pragma once

#include "CDC.h"
#include "CGdiObject.h"
#include "Geometry.h"

#include <memory>

class CMemDCEx : public CDC {
public:
    // Point (0, 0) of the memory context lands on the rectangle's top-left corner of the target.
    // Failures leave m_bValid 0 and are not reported otherwise.
    CMemDCEx(CDC* pTargetDC, const RECT& rect);
    // Copies the result to the target (only when valid), then releases the bitmap and context.
    ~CMemDCEx() override;

private:
    std::unique_ptr<CBitmap> m_pBitmap;
    CGdiObject* m_pOldBitmap = nullptr;
    CDC* m_pTargetDC;
    CRect m_rect;

public:
    // 1 when the memory context and its bitmap were both made; users skip their drawing if 0.
    BOOL m_bValid = TRUE;
};
