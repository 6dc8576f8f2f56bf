// A drop-down combo box whose items show in columns split by thin grey lines. Column 0 of an
// item is the combo box's own item string; the other columns, and the item's text colour, come
// from a record the control attaches to the item as its item data (the owner must not use the
// item data for anything else). Records are made on demand and freed when the item goes
// (WM_DELETEITEM, which the list sends on CB_DELETESTRING, CB_RESETCONTENT and destruction).
//
// The window must be owner-drawn with strings (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS): without
// CBS_HASSTRINGS an owner-drawn list keeps no strings and column 0 reads empty. Both programs
// build this class.
#pragma once

#include "platform/framework/Afx.h"

#include <map>
#include <memory>
#include <vector>

class CComboBoxSuper : public CWnd {
public:
    static constexpr int kDefaultColumns = 100;
    static constexpr int kDefaultColumnWidth = 50;
    static constexpr COLORREF kSeparatorColour = RGB(192, 192, 192);

    CComboBoxSuper();
    ~CComboBoxSuper() override;

    // Resizes the column-width array to `nCount` entries, new ones 50 pixels wide, and
    // repaints. A negative count is refused and changes nothing.
    void ChangeColumnTotal(int nCount);
    // Column below 0: answers 0; column not below the count: answers the count; both change
    // nothing. Otherwise stores the width, repaints and answers the width.
    int ResizeColumn(int nColumn, int nWidth);
    // Nothing happens for an index outside the items.
    void StoreCellText(int nIndex, int nColumn, CString const& text);
    // Column 0 is the item's string; other columns the record's text, "" when there is none or
    // the index is outside the items.
    CString FetchCellText(int nIndex, int nColumn);
    // The colour of the item's text while it is not selected (0, black, until set). Nothing
    // happens for an index outside the items.
    void StoreItemColour(int nIndex, COLORREF colour);

    int column_count() const { return static_cast<int>(m_aryColumnWidths.size()); }
    int column_width(int nColumn) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

    // The record kept per item.
    struct ItemRecord {
        ItemRecord();
        ~ItemRecord();
        ItemRecord(ItemRecord const&) = delete;
        ItemRecord& operator=(ItemRecord const&) = delete;
        COLORREF crText {};
        std::map<int, CString> texts;
    };
    // Records alive in the process, for leak checks of owners and tests.
    static int live_records();

protected:
    DECLARE_MESSAGE_MAP()

private:
    int item_count() const;
    CString item_string(int nIndex) const;
    ItemRecord* record_of(int nIndex) const;
    ItemRecord* ensure_record(int nIndex);
    void draw_columns(CDC& dc, CRect const& text_rect, CString const& first, ItemRecord const* record) const;
    void repaint();

    std::vector<int> m_aryColumnWidths;
    // The records the items point to, owned here: a list that drops its items without
    // WM_DELETEITEM reaching this object (its parent already gone) leaks none of them.
    std::vector<std::unique_ptr<ItemRecord>> m_records;
};
