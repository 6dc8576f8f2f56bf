// The framework's text type: a UTF-8 byte string with the member names application code was
// written against. Lengths and positions count bytes. Format understands the C conversions
// plus the ones of the original platform: "%hs" and "%S" (text, UTF-8 here like every text),
// "%I64d", "%I64u", "%I64x", "%I64X" (64-bit integers) and "%I32d".
#pragma once

#include "platform/user/Types.h"

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(LPCTSTR text) : m_text(text ? text : "") { }
    CString(std::string text) : m_text(std::move(text)) { }
    CString(std::string_view text) : m_text(text) { }
    CString(LPCTSTR text, int length) : m_text(text ? std::string(text, static_cast<size_t>(length)) : std::string()) { }
    CString(TCHAR ch, int repeat = 1) : m_text(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) { }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    TCHAR GetAt(int index) const;
    void SetAt(int index, TCHAR ch);
    TCHAR operator[](int index) const { return GetAt(index); }
    operator LPCTSTR() const { return m_text.c_str(); }
    LPCTSTR GetString() const { return m_text.c_str(); }
    std::string const& str() const { return m_text; }

    CString& operator=(LPCTSTR text);
    CString& operator+=(CString const& other);
    CString& operator+=(LPCTSTR text);
    CString& operator+=(TCHAR ch);
    friend CString operator+(CString const& a, CString const& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(CString const& a, LPCTSTR b) { return CString(a.m_text + (b ? b : "")); }
    friend CString operator+(LPCTSTR a, CString const& b) { return CString((a ? a : "") + b.m_text); }
    friend CString operator+(CString const& a, TCHAR b) { return CString(a.m_text + b); }
    friend bool operator==(CString const& a, CString const& b) { return a.m_text == b.m_text; }
    friend bool operator==(CString const& a, LPCTSTR b) { return a.m_text == (b ? b : ""); }
    friend bool operator<(CString const& a, CString const& b) { return a.m_text < b.m_text; }

    int Compare(LPCTSTR text) const;
    // ASCII letters compare without case; other bytes as they are.
    int CompareNoCase(LPCTSTR text) const;

    void Format(LPCTSTR format, ...);
    // The string table's text `id`; FALSE (and empty) when the program has none.
    BOOL LoadString(UINT id);
    void FormatV(LPCTSTR format, va_list args);
    void AppendFormat(LPCTSTR format, ...);

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(TCHAR ch, int start = 0) const;
    int Find(LPCTSTR text, int start = 0) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR chars) const;
    CString SpanIncluding(LPCTSTR chars) const;
    CString SpanExcluding(LPCTSTR chars) const;
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim();
    CString& TrimLeft(TCHAR ch);
    CString& TrimRight(TCHAR ch);
    int Replace(LPCTSTR old_text, LPCTSTR new_text);
    int Replace(TCHAR old_ch, TCHAR new_ch);
    int Remove(TCHAR ch);
    int Insert(int index, LPCTSTR text);
    int Delete(int index, int count = 1);

    // A writable buffer of at least `min_length` bytes plus the terminator; ReleaseBuffer
    // takes the text up to the first zero (or `new_length` bytes).
    LPTSTR GetBuffer(int min_length = 0);
    LPTSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int new_length = -1);

private:
    std::string m_text;
};

// The text of the printf-style `format` with the original platform's conversions rewritten
// to their C forms (see the header comment).
std::string afx_rewrite_format(std::string_view format);
