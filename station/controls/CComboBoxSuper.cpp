#include "station/controls/CComboBoxSuper.h"

#include <memory>

namespace {

constexpr UINT kCellFormat = DT_SINGLELINE | DT_VCENTER;

int g_live_records = 0;

}

CComboBoxSuper::ItemRecord::ItemRecord() { ++g_live_records; }
CComboBoxSuper::ItemRecord::~ItemRecord() { --g_live_records; }

int CComboBoxSuper::live_records()
{
    return g_live_records;
}

// The list sends the owner-drawing messages to the combo box's parent, which hands them back
// here (reflection).
BEGIN_MESSAGE_MAP(CComboBoxSuper, CWnd)
{ WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, nullptr,
    AFX_THUNK(AFX_THIS->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); *call.pResult = TRUE; return TRUE;) },
{ WM_REFLECT_BASE + WM_DELETEITEM, 0, 0, 0, nullptr,
    AFX_THUNK(AFX_THIS->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(call.lParam)); *call.pResult = TRUE; return TRUE;) },
END_MESSAGE_MAP()

CComboBoxSuper::CComboBoxSuper()
    : m_aryColumnWidths(kDefaultColumns, kDefaultColumnWidth)
{
}

CComboBoxSuper::~CComboBoxSuper() = default;

void CComboBoxSuper::ChangeColumnTotal(int nCount)
{
    if (nCount < 0)
        return;
    m_aryColumnWidths.resize(static_cast<size_t>(nCount), kDefaultColumnWidth);
    repaint();
}

int CComboBoxSuper::ResizeColumn(int nColumn, int nWidth)
{
    if (nColumn < 0)
        return 0;
    if (nColumn >= column_count())
        return column_count();
    m_aryColumnWidths[static_cast<size_t>(nColumn)] = nWidth;
    repaint();
    return nWidth;
}

int CComboBoxSuper::column_width(int nColumn) const
{
    return nColumn >= 0 && nColumn < column_count() ? m_aryColumnWidths[static_cast<size_t>(nColumn)] : 0;
}

void CComboBoxSuper::StoreCellText(int nIndex, int nColumn, CString const& text)
{
    if (ItemRecord* record = ensure_record(nIndex))
        record->texts[nColumn] = text;
}

CString CComboBoxSuper::FetchCellText(int nIndex, int nColumn)
{
    if (nColumn == 0)
        return item_string(nIndex);
    ItemRecord* record = ensure_record(nIndex);
    if (!record)
        return CString();
    auto const it = record->texts.find(nColumn);
    return it == record->texts.end() ? CString() : it->second;
}

void CComboBoxSuper::StoreItemColour(int nIndex, COLORREF colour)
{
    if (ItemRecord* record = ensure_record(nIndex))
        record->crText = colour;
}

void CComboBoxSuper::DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (!lpDeleteItemStruct)
        return;
    // The list drops the item right after this message, so nothing hands the pointer out again.
    auto* const record = reinterpret_cast<ItemRecord*>(lpDeleteItemStruct->itemData);
    lpDeleteItemStruct->itemData = 0;
    std::erase_if(m_records, [record](std::unique_ptr<ItemRecord> const& r) { return r.get() == record; });
}

int CComboBoxSuper::item_count() const
{
    return m_hWnd ? static_cast<int>(SendMessage(CB_GETCOUNT)) : 0;
}

CString CComboBoxSuper::item_string(int nIndex) const
{
    if (nIndex < 0 || nIndex >= item_count())
        return CString();
    LRESULT const length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex));
    if (length <= 0)
        return CString();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.data()));
    return CString(text.c_str());
}

CComboBoxSuper::ItemRecord* CComboBoxSuper::record_of(int nIndex) const
{
    if (nIndex < 0 || nIndex >= item_count())
        return nullptr;
    LRESULT const data = SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex));
    return data == CB_ERR ? nullptr : reinterpret_cast<ItemRecord*>(data);
}

CComboBoxSuper::ItemRecord* CComboBoxSuper::ensure_record(int nIndex)
{
    if (nIndex < 0 || nIndex >= item_count())
        return nullptr;
    if (ItemRecord* record = record_of(nIndex))
        return record;
    auto& record = m_records.emplace_back(std::make_unique<ItemRecord>());
    SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(record.get()));
    return record.get();
}

void CComboBoxSuper::repaint()
{
    if (m_hWnd)
        Invalidate();
}

void CComboBoxSuper::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    int const index = static_cast<int>(lpDrawItemStruct->itemID);
    int const count = item_count();
    // Also covers -1, the empty selection field.
    if (count <= 0 || index < 0 || index >= count)
        return;
    CString const first = item_string(index);
    ItemRecord const* record = reinterpret_cast<ItemRecord const*>(lpDrawItemStruct->itemData);

    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    COLORREF const old_text = dc.GetTextColor();
    COLORREF const old_back = dc.GetBkColor();
    CRect const item_rect(lpDrawItemStruct->rcItem);
    bool const selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    if (selected) {
        dc.SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        dc.FillSolidRect(&item_rect, ::GetSysColor(COLOR_HIGHLIGHT));
    } else {
        dc.FillSolidRect(&item_rect, dc.GetBkColor());
    }
    CRect text_rect = item_rect;
    text_rect.left += 1;
    text_rect.right -= 1;
    if (record && !(selected && record->crText == 0))
        dc.SetTextColor(record->crText);

    if (column_count() < 2) {
        CRect r = text_rect;
        dc.DrawText(first, &r, kCellFormat);
    } else {
        draw_columns(dc, text_rect, first, record);
    }
    dc.SetTextColor(old_text);
    dc.SetBkColor(old_back);
    dc.Detach();
}

// Each column but the last ends in a grey line one pixel right of its cell; the last column
// runs to the text rectangle's right edge.
void CComboBoxSuper::draw_columns(CDC& dc, CRect const& text_rect, CString const& first, ItemRecord const* record) const
{
    CPen pen(PS_SOLID, 0, kSeparatorColour);
    CPen* old_pen = dc.SelectObject(&pen);
    int offset = 0;
    int const last = column_count() - 1;
    for (int i = 0; i <= last; ++i) {
        int const width = m_aryColumnWidths[static_cast<size_t>(i)];
        if (i != last) {
            dc.MoveTo(text_rect.left + offset + width, text_rect.top);
            dc.LineTo(text_rect.left + offset + width, text_rect.bottom);
        }
        CRect cell(text_rect.left + offset + 1, text_rect.top, i == last ? text_rect.right : text_rect.left + offset + width,
            text_rect.bottom);
        offset += width;
        CString text;
        if (i == 0) {
            text = first;
        } else if (record) {
            auto const it = record->texts.find(i);
            if (it != record->texts.end())
                text = it->second;
        }
        if (!text.IsEmpty())
            dc.DrawText(text, &cell, kCellFormat);
    }
    dc.SelectObject(old_pen);
}
