// CString: the UTF-16 string of the class library, a thin value type over std::wstring.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const wchar_t* text) : m_str(text ? text : L"") {}
    CString(const wchar_t* text, int length) : m_str(text ? text : L"", text && length > 0 ? length : 0) {}

    operator const wchar_t*() const { return m_str.c_str(); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    CString& operator=(const wchar_t* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const wchar_t* b);
    friend CString operator+(const wchar_t* a, const CString& b);
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_str == (b ? b : L""); }

    // Index of the last occurrence of ch, or -1.
    int ReverseFind(wchar_t ch) const;
    // The first count characters (all of them when count exceeds the length).
    CString Left(int count) const;

    // Replaces the text with string resource id of the program's module; false when it has none.
    BOOL LoadString(UINT id);

    // Direct access for Win32 calls that write into a buffer: GetBuffer gives room for at least
    // minLength characters plus a terminator; ReleaseBuffer(-1) then trims at the terminator.
    wchar_t* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    std::wstring m_str;
};
