// The framework's containers with the member names application code uses: CArray (a growable
// array of values), CStringArray, CPtrArray, CUIntArray, CDWordArray and CMap. They wrap
// standard containers; an index outside the array is a programming error (debug assert), and
// reading one answers a default value instead of touching memory that is not there.
#pragma once

#include "platform/framework/CString.h"

#include <cassert>
#include <map>
#include <vector>

using POSITION = void*;

template<typename TYPE, typename ARG_TYPE = TYPE const&>
class CArray {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty(); }
    // The grow-by hint of the original has no effect on a std::vector.
    void SetSize(INT_PTR size, INT_PTR grow_by = -1)
    {
        (void)grow_by;
        m_items.resize(static_cast<size_t>(size < 0 ? 0 : size));
    }
    void RemoveAll() { m_items.clear(); }
    void FreeExtra() { m_items.shrink_to_fit(); }

    TYPE GetAt(INT_PTR index) const { return valid(index) ? m_items[static_cast<size_t>(index)] : TYPE {}; }
    void SetAt(INT_PTR index, ARG_TYPE value)
    {
        if (valid(index))
            m_items[static_cast<size_t>(index)] = value;
    }
    TYPE& ElementAt(INT_PTR index)
    {
        assert(valid(index));
        return m_items.at(static_cast<size_t>(index));
    }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
    TYPE const& operator[](INT_PTR index) const
    {
        assert(valid(index));
        return m_items.at(static_cast<size_t>(index));
    }
    TYPE* GetData() { return m_items.data(); }
    TYPE const* GetData() const { return m_items.data(); }

    void SetAtGrow(INT_PTR index, ARG_TYPE value)
    {
        if (index < 0)
            return;
        if (index >= GetSize())
            m_items.resize(static_cast<size_t>(index) + 1);
        m_items[static_cast<size_t>(index)] = value;
    }
    INT_PTR Add(ARG_TYPE value)
    {
        m_items.push_back(value);
        return GetSize() - 1;
    }
    INT_PTR Append(CArray const& other)
    {
        INT_PTR const first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(CArray const& other) { m_items = other.m_items; }
    void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1)
    {
        if (index < 0 || count <= 0)
            return;
        if (index > GetSize())
            m_items.resize(static_cast<size_t>(index));
        m_items.insert(m_items.begin() + index, static_cast<size_t>(count), value);
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (!valid(index) || count <= 0)
            return;
        INT_PTR const end = std::min(GetSize(), index + count);
        m_items.erase(m_items.begin() + index, m_items.begin() + end);
    }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    bool valid(INT_PTR index) const { return index >= 0 && index < GetSize(); }
    std::vector<TYPE> m_items;
};

class CStringArray : public CArray<CString, LPCTSTR> {
public:
    using CArray::Add;
    INT_PTR Add(CString const& value) { return CArray::Add(value.GetString()); }
};
using CPtrArray = CArray<void*, void*>;
using CUIntArray = CArray<UINT, UINT>;
using CDWordArray = CArray<DWORD, DWORD>;
using CWordArray = CArray<WORD, WORD>;
using CByteArray = CArray<BYTE, BYTE>;

// A map from keys to values. Iteration by POSITION walks the keys in order; the original
// walked hash buckets, whose order no caller may rely on.
template<typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
class CMap {
public:
    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetSize() const { return GetCount(); }
    BOOL IsEmpty() const { return m_items.empty(); }
    BOOL Lookup(ARG_KEY key, VALUE& out) const
    {
        auto it = m_items.find(key);
        if (it == m_items.end())
            return FALSE;
        out = it->second;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key) { return m_items[key]; }
    void SetAt(ARG_KEY key, ARG_VALUE value) { m_items[key] = value; }
    BOOL RemoveKey(ARG_KEY key) { return m_items.erase(key) != 0; }
    void RemoveAll() { m_items.clear(); }
    // The original's hash-table sizing has no meaning here.
    void InitHashTable(UINT, BOOL = TRUE) { }

    POSITION GetStartPosition() const { return m_items.empty() ? nullptr : position_of(m_items.begin()); }
    void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const
    {
        auto it = m_items.find(*static_cast<KEY const*>(position));
        if (it == m_items.end()) {
            position = nullptr;
            return;
        }
        key = it->first;
        value = it->second;
        ++it;
        position = it == m_items.end() ? nullptr : position_of(it);
    }

private:
    using Items = std::map<KEY, VALUE>;
    static POSITION position_of(typename Items::const_iterator it) { return const_cast<KEY*>(&it->first); }
    Items m_items;
};
