// CString operations that need more than one line.
#include "CString.h"

#include "CWinApp.h"

CString& CString::operator=(const wchar_t* text) {
    m_str = text ? text : L"";
    return *this;
}

CString& CString::operator+=(const CString& other) {
    m_str += other.m_str;
    return *this;
}

CString& CString::operator+=(const wchar_t* text) {
    if (text)
        m_str += text;
    return *this;
}

CString& CString::operator+=(wchar_t ch) {
    m_str += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const wchar_t* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const wchar_t* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

int CString::ReverseFind(wchar_t ch) const {
    const auto at = m_str.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int count) const {
    if (count <= 0)
        return CString();
    return CString(m_str.c_str(), count < GetLength() ? count : GetLength());
}

BOOL CString::LoadString(UINT id) {
    // With a zero buffer length the loader hands back a pointer to the resource text itself.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(text, static_cast<size_t>(length));
    return TRUE;
}

wchar_t* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_str.resize(static_cast<size_t>(minLength));
    return m_str.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        const auto end = m_str.find(L'\0');
        if (end != std::wstring::npos)
            m_str.resize(end);
    } else if (newLength <= GetLength()) {
        m_str.resize(static_cast<size_t>(newLength));
    }
}
