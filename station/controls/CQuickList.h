// CQuickList: the report list of every list on the station utility's pages. It holds no data:
// the parent sets the item count (owner data) and describes each cell on demand when the list
// sends it QLN_CELLREQUEST with its one cell record. From those descriptions the list paints
// every cell itself through custom draw, answers display-info and find requests, gives each
// cell a tool tip, keeps a current column moved by Left/Right and clicks, and jumps to an item
// when a printable key is typed (matching column 1's first character).
//
// Rules:
// - The cell record is reset before every request and is valid only during it; only its tip
//   text carries over from the previous request.
// - Messages to the parent are always sent, never posted (QuickListRecords.h lists them).
// - Enter never reaches the dialog's default button: the list takes it in PreTranslateMessage.
#pragma once

#include "platform/framework/CRect.h"
#include "platform/framework/ListViewCtrl.h"
#include "station/controls/QuickCellLayout.h"
#include "station/controls/QuickCellColours.h"

#include <map>
#include <memory>

struct TOOLINFO;
class CGradient;

class CQuickList : public CListCtrl {
public:
    using CellRequest = QuickCellRequest;

    CQuickList();
    ~CQuickList() override;

    // Resets the cell record for (item, sub-item), fills in what the list knows, asks the parent
    // with QLN_CELLREQUEST and answers the record.
    virtual CellRequest* FillCellRequest(int item, int sub_item);

    void SetColumnStepping(bool on) { m_bColumnNavigation = on; }
    bool GetColumnStepping() const { return m_bColumnNavigation; }
    int GetCurrentColumn() const { return m_nCurrentColumn; }
    // -1: search the current column; -2: leave find requests to the parent.
    void SetFindColumn(int column) { m_nFindColumn = column; }
    int GetFindColumn() const { return m_nFindColumn; }
    void SetEmptyText(LPCTSTR text) { m_strEmptyText = text; }
    CString const& GetEmptyText() const { return m_strEmptyText; }

    // Invalidate, in `column`, the union of the cells (or of their text parts, less check box
    // and image) of the first and last item, the range clamped to the visible items.
    void RepaintCells(int first, int last, int column, BOOL erase);
    void RepaintCellText(int first, int last, int column, BOOL erase);
    // Moves the current column (asking the parent first with QLN_COLUMNCHANGE).
    void StepCurrentColumn(int column);

    // The cell's rectangle in client coordinates; false outside the list.
    bool GetCellRect(int item, int sub_item, CRect& out) const;
    // Where the parts of the cell described by `cell` go.
    QuickCellLayout LayOutCell(CellRequest const& cell, CRect const& rect) const;

    // A tool per cell: id item * 1000 + sub-item + 1, text by callback; -1 off the items.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Paints a private copy of the cell record, so a request made while painting cannot change it.
    virtual void PaintCell(CDC& dc, CellRequest cell, CRect const& rect);
    void ScrollColumnIntoView(int column);

    afx_msg void OnPaint();
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnCustomDraw(NMHDR* header, LRESULT* result);
    afx_msg void OnGetDispInfo(NMHDR* header, LRESULT* result);
    afx_msg BOOL OnFindItem(NMHDR* header, LRESULT* result);
    afx_msg void OnHotTrack(NMHDR* header, LRESULT* result);
    afx_msg BOOL OnClick(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    // [SECTION] List view access (CQuickList.cpp)
    int item_count() const;
    int column_count() const;
    HWND header() const;
    bool has_focus() const;
    bool full_row_select() const;
    bool cell_selected(int item, int sub_item) const;
    QuickCellState cell_state(CellRequest const& cell) const;
    SIZE image_size(CellRequest const& cell) const;
    void repaint_range(int first, int last, int column, BOOL erase, bool text_only);
    void redraw_cell(int item, int column);
    void paint_empty_text();

    // [SECTION] Keys and clicks (CQuickListInput.cpp)
    void type_ahead(UINT key);
    CString search_text(UINT key) const;
    int hit_cell(CPoint point, int& sub_item, UINT* flags = nullptr) const;
    void on_header_right_click();

    // [SECTION] Tool tips (CQuickListTips.cpp)
    BOOL on_tool_need_text(NMHDR* header, LRESULT* result);

    BYTE m_bShiftDown {};
    std::map<int, CString> m_mapShifted;
    std::map<int, CString> m_mapUnshifted;
    int m_nFindColumn { -1 };
    bool m_bColumnNavigation { true };
    int m_nCurrentColumn {};
    CString m_strEmptyText;
    std::unique_ptr<CellRequest> m_pCell;
    // Paints the level bars of all cells.
    std::unique_ptr<CGradient> m_pGradient;
};
