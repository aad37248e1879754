// GDI object owners.
#include "CGdiObject.h"

#include "AfxState.h"
#include "CDC.h"

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (m_hObject || !object)
        return FALSE;
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, void* buffer) const {
    return m_hObject ? ::GetObjectW(m_hObject, size, buffer) : 0;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
    return afx::TemporaryGdiObject(object);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
}

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) {
    return afx::TemporaryBitmap(bitmap);
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* logFont) {
    return Attach(::CreateFontIndirectW(logFont));
}

CFont* CFont::FromHandle(HFONT font) {
    return afx::TemporaryFont(font);
}

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
    return Attach(::CreateSolidBrush(colour));
}
