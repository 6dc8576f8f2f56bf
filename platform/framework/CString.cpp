#include "platform/framework/CString.h"

#include "platform/framework/Resources.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string vformat(LPCTSTR format, va_list args)
{
    std::string const rewritten = afx_rewrite_format(format ? format : "");
    va_list copy;
    va_copy(copy, args);
    int const needed = std::vsnprintf(nullptr, 0, rewritten.c_str(), copy);
    va_end(copy);
    if (needed <= 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), rewritten.c_str(), args);
    return std::string(buffer.data(), static_cast<size_t>(needed));
}

}

std::string afx_rewrite_format(std::string_view format)
{
    std::string out;
    out.reserve(format.size() + 8);
    size_t i = 0;
    while (i < format.size()) {
        char const c = format[i++];
        out += c;
        if (c != '%')
            continue;
        if (i < format.size() && format[i] == '%') {
            out += format[i++];
            continue;
        }
        // Flags, width and precision pass through unchanged.
        while (i < format.size() && std::strchr("-+ #0123456789.*", format[i]))
            out += format[i++];
        std::string_view rest = format.substr(i);
        if (rest.starts_with("I64")) {
            out += "ll";
            i += 3;
        } else if (rest.starts_with("I32")) {
            i += 3;
        } else if (rest.starts_with("hs") || rest.starts_with("ls")) {
            out += 's';
            i += 2;
        } else if (rest.starts_with("S")) {
            out += 's';
            i += 1;
        }
    }
    return out;
}

TCHAR CString::GetAt(int index) const
{
    return index >= 0 && index < GetLength() ? m_text[static_cast<size_t>(index)] : '\0';
}

void CString::SetAt(int index, TCHAR ch)
{
    if (index >= 0 && index < GetLength())
        m_text[static_cast<size_t>(index)] = ch;
}

CString& CString::operator=(LPCTSTR text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator+=(CString const& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(LPCTSTR text)
{
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(TCHAR ch)
{
    m_text += ch;
    return *this;
}

int CString::Compare(LPCTSTR text) const
{
    int const r = std::strcmp(m_text.c_str(), text ? text : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCTSTR text) const
{
    std::string_view a = m_text;
    std::string_view b = text ? text : "";
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        unsigned char const x = static_cast<unsigned char>(lower(a[i]));
        unsigned char const y = static_cast<unsigned char>(lower(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void CString::Format(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    m_text = vformat(format, args);
    va_end(args);
}

void CString::FormatV(LPCTSTR format, va_list args)
{
    m_text = vformat(format, args);
}

void CString::AppendFormat(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    m_text += vformat(format, args);
    va_end(args);
}

CString CString::Left(int count) const
{
    return CString(m_text.substr(0, static_cast<size_t>(std::clamp(count, 0, GetLength()))));
}

CString CString::Right(int count) const
{
    int const n = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(static_cast<size_t>(GetLength() - n)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    int const start = std::clamp(first, 0, GetLength());
    int const n = std::clamp(count, 0, GetLength() - start);
    return CString(m_text.substr(static_cast<size_t>(start), static_cast<size_t>(n)));
}

int CString::Find(TCHAR ch, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    auto const pos = m_text.find(ch, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCTSTR text, int start) const
{
    if (!text || start < 0 || start > GetLength())
        return -1;
    auto const pos = m_text.find(text, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(TCHAR ch) const
{
    auto const pos = m_text.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCTSTR chars) const
{
    auto const pos = m_text.find_first_of(chars ? chars : "");
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::SpanIncluding(LPCTSTR chars) const
{
    auto const pos = m_text.find_first_not_of(chars ? chars : "");
    return Left(pos == std::string::npos ? GetLength() : static_cast<int>(pos));
}

CString CString::SpanExcluding(LPCTSTR chars) const
{
    auto const pos = m_text.find_first_of(chars ? chars : "");
    return Left(pos == std::string::npos ? GetLength() : static_cast<int>(pos));
}

CString& CString::MakeUpper()
{
    for (char& c : m_text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_text)
        c = lower(c);
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::TrimLeft()
{
    auto it = std::find_if(m_text.begin(), m_text.end(), [](char c) { return !is_space(c); });
    m_text.erase(m_text.begin(), it);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_text.empty() && is_space(m_text.back()))
        m_text.pop_back();
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft(TCHAR ch)
{
    auto const pos = m_text.find_first_not_of(ch);
    m_text.erase(0, pos == std::string::npos ? m_text.size() : pos);
    return *this;
}

CString& CString::TrimRight(TCHAR ch)
{
    while (!m_text.empty() && m_text.back() == ch)
        m_text.pop_back();
    return *this;
}

int CString::Replace(LPCTSTR old_text, LPCTSTR new_text)
{
    if (!old_text || !*old_text)
        return 0;
    std::string const from = old_text;
    std::string const to = new_text ? new_text : "";
    int count = 0;
    for (size_t pos = m_text.find(from); pos != std::string::npos; pos = m_text.find(from, pos + to.size())) {
        m_text.replace(pos, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Replace(TCHAR old_ch, TCHAR new_ch)
{
    int count = 0;
    for (char& c : m_text) {
        if (c == old_ch) {
            c = new_ch;
            ++count;
        }
    }
    return count;
}

int CString::Remove(TCHAR ch)
{
    auto const before = m_text.size();
    std::erase(m_text, ch);
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, LPCTSTR text)
{
    m_text.insert(static_cast<size_t>(std::clamp(index, 0, GetLength())), text ? text : "");
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

LPTSTR CString::GetBuffer(int min_length)
{
    if (min_length > GetLength())
        m_text.resize(static_cast<size_t>(min_length));
    return m_text.data();
}

LPTSTR CString::GetBufferSetLength(int length)
{
    m_text.resize(static_cast<size_t>(std::max(length, 0)));
    return m_text.data();
}

void CString::ReleaseBuffer(int new_length)
{
    if (new_length < 0)
        m_text.resize(std::strlen(m_text.c_str()));
    else
        m_text.resize(static_cast<size_t>(std::min(new_length, GetLength())));
}

BOOL CString::LoadString(UINT id)
{
    std::string const* text = platform::framework::resources().string(static_cast<int>(id));
    m_text = text ? *text : std::string();
    return text != nullptr;
}
