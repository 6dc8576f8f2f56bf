// The list's construction, its message map, cell requests, painting through custom draw,
// display information, repaint requests and the current column.
#include "station/controls/CQuickList.h"

#include "platform/controls/common/ListView.h"
#include "platform/framework/Dc.h"
#include "station/controls/QuickCellPainter.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The punctuation keys of a US keyboard: key code, unshifted and shifted character.
struct KeyChars {
    int key;
    char plain;
    char shifted;
};
constexpr KeyChars kPunctuation[] = {
    { 192, '`', '~' }, { 189, '-', '_' }, { 187, '=', '+' }, { 219, '[', '{' }, { 221, ']', '}' },
    { 220, '\\', '|' }, { 186, ';', ':' }, { 222, '\'', '"' }, { 188, ',', '<' }, { 190, '.', '>' },
    { 191, '/', '?' },
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

constexpr UINT kCellTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
constexpr UINT kEmptyTextFormat = DT_CENTER | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX;

}

BEGIN_MESSAGE_MAP(CQuickList, CListCtrl)
    ON_WM_PAINT()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFO, OnGetDispInfo)
    ON_NOTIFY_REFLECT_EX(LVN_ODFINDITEM, OnFindItem)
    ON_NOTIFY_REFLECT(LVN_HOTTRACK, OnHotTrack)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClick)
END_MESSAGE_MAP()

CQuickList::CQuickList()
    : m_pCell(std::make_unique<CellRequest>())
    , m_pGradient(std::make_unique<CGradient>())
{
    for (KeyChars const& k : kPunctuation) {
        m_mapUnshifted[k.key] = CString(k.plain);
        m_mapShifted[k.key] = CString(k.shifted);
    }
    for (int digit = 0; digit < 10; ++digit)
        m_mapShifted['0' + digit] = CString(kShiftedDigits[digit]);
}

CQuickList::~CQuickList() = default;


void CQuickList::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    // Each cell is a tool of its own (OnToolHitTest); the framework shows their tips.
    EnableToolTips(TRUE);
}

// [SECTION] List view access

int CQuickList::item_count() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

HWND CQuickList::header() const
{
    return ListView_GetHeader(m_hWnd);
}

int CQuickList::column_count() const
{
    HWND const h = header();
    return h ? static_cast<int>(::SendMessage(h, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool CQuickList::has_focus() const
{
    return m_hWnd && ::GetFocus() == m_hWnd;
}

bool CQuickList::full_row_select() const
{
    return ::SendMessage(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT;
}

bool CQuickList::cell_selected(int item, int sub_item) const
{
    if (!(ListView_GetItemState(m_hWnd, item, LVIS_SELECTED) & LVIS_SELECTED))
        return false;
    if (sub_item != 0 && !full_row_select())
        return false;
    return has_focus() || (GetStyle() & LVS_SHOWSELALWAYS);
}

QuickCellState CQuickList::cell_state(CellRequest const& cell) const
{
    QuickCellState state;
    state.selected = cell.m_bSelected;
    state.hot = cell.m_bHot;
    state.focused = has_focus();
    state.column_navigation = m_bColumnNavigation;
    state.navigation_cell = m_bColumnNavigation && cell.m_nSubItem == m_nCurrentColumn;
    return state;
}

SIZE CQuickList::image_size(CellRequest const& cell) const
{
    SIZE size {};
    if (cell.m_nImage < 0 || !cell.m_hImageList || cell.m_nImage >= ImageList_GetImageCount(cell.m_hImageList))
        return size;
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(cell.m_hImageList, &cx, &cy);
    return { cx, cy };
}

// [SECTION] Cell requests

CQuickList::CellRequest* CQuickList::FillCellRequest(int item, int sub_item)
{
    CellRequest& cell = *m_pCell;
    cell.reset();
    cell.m_nItem = item;
    cell.m_nSubItem = sub_item;
    cell.m_bSelected = cell_selected(item, sub_item);
    cell.m_bHot = item == static_cast<int>(::SendMessage(m_hWnd, LVM_GETHOTITEM, 0, 0));
    cell.m_hImageList = reinterpret_cast<HIMAGELIST>(::SendMessage(m_hWnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    HDITEM column {};
    column.mask = HDI_FORMAT;
    UINT align = DT_LEFT;
    if (HWND const h = header(); h && ::SendMessage(h, HDM_GETITEM, static_cast<WPARAM>(sub_item), reinterpret_cast<LPARAM>(&column))) {
        int const justify = column.fmt & HDF_JUSTIFYMASK;
        align = justify == HDF_CENTER ? DT_CENTER : justify == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
    }
    cell.m_nTextFormat = align | kCellTextFormat;
    ::SendMessage(::GetParent(m_hWnd), QLN_CELLREQUEST, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&cell));
    return &cell;
}

// [SECTION] Geometry

bool CQuickList::GetCellRect(int item, int sub_item, CRect& out) const
{
    if (item < 0 || item >= item_count() || sub_item < 0 || sub_item >= std::max(column_count(), 1))
        return false;
    RECT r { LVIR_BOUNDS, sub_item, 0, 0 };
    if (!::SendMessage(m_hWnd, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r)))
        return false;
    out = r;
    // Column 0's bounds span the whole row; its cell is header item 0's extent.
    RECT first {};
    if (sub_item == 0 && header() && ::SendMessage(header(), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first))) {
        out.left = r.left + first.left;
        out.right = r.left + first.right;
    }
    return true;
}

QuickCellLayout CQuickList::LayOutCell(CellRequest const& cell, CRect const& rect) const
{
    return lay_out_quick_cell(rect, cell, image_size(cell));
}

// [SECTION] Painting

void CQuickList::OnPaint()
{
    Default();
    paint_empty_text();
}

void CQuickList::paint_empty_text()
{
    if (item_count() != 0 || m_strEmptyText.IsEmpty())
        return;
    CRect client;
    GetClientRect(&client);
    RECT first {};
    if (HWND const h = header(); h && ::SendMessage(h, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)))
        client.top = first.bottom + 10;
    else
        client.top += 10;
    CClientDC dc(this);
    dc.SetTextColor(static_cast<COLORREF>(::SendMessage(m_hWnd, LVM_GETTEXTCOLOR, 0, 0)));
    dc.SetBkMode(TRANSPARENT);
    HGDIOBJ const old = dc.SelectObject(::GetStockObject(ANSI_VAR_FONT));
    dc.DrawText(m_strEmptyText, &client, kEmptyTextFormat);
    dc.SelectObject(old);
}

void CQuickList::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        int const item = static_cast<int>(draw->nmcd.dwItemSpec);
        CRect rect;
        if (GetCellRect(item, draw->iSubItem, rect))
            PaintCell(*CDC::FromHandle(draw->nmcd.hdc), *FillCellRequest(item, draw->iSubItem), rect);
        *result = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        *result = CDRF_DODEFAULT;
        return;
    }
}

void CQuickList::PaintCell(CDC& dc, CellRequest cell, CRect const& rect)
{
    QuickCellLayout const layout = LayOutCell(cell, rect);
    bool const focus_rect = m_bColumnNavigation && cell.m_nSubItem == m_nCurrentColumn && has_focus()
        && cell.m_nItem == ListView_GetNextItem(m_hWnd, -1, LVNI_FOCUSED);
    paint_quick_cell(dc, QuickCellPaint { cell, layout, cell_state(cell), full_row_select(), focus_rect, *m_pGradient });
}

// [SECTION] Display information

void CQuickList::OnGetDispInfo(NMHDR* header, LRESULT* result)
{
    LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(header)->item;
    *result = 0;
    if (!(item.mask & (LVIF_TEXT | LVIF_IMAGE)))
        return;
    CellRequest const& cell = *FillCellRequest(item.iItem, item.iSubItem);
    if ((item.mask & LVIF_TEXT) && item.pszText && item.pszText != LPSTR_TEXTCALLBACK && item.cchTextMax > 0) {
        // At most the buffer less its terminator, and always terminated.
        std::size_t const length = std::min<std::size_t>(cell.m_strText.str().size(), static_cast<std::size_t>(item.cchTextMax - 1));
        std::memcpy(item.pszText, cell.m_strText.GetString(), length);
        item.pszText[length] = '\0';
    }
    if (item.mask & LVIF_IMAGE)
        item.iImage = cell.m_nImage;
    if (cell.m_bCheckBox) {
        item.mask |= LVIF_STATE;
        item.stateMask |= LVIS_STATEIMAGEMASK;
        item.state = (item.state & ~LVIS_STATEIMAGEMASK)
            | INDEXTOSTATEIMAGEMASK((cell.m_nCheckState & DFCS_CHECKED) ? 2 : 1);
    }
}

void CQuickList::OnHotTrack(NMHDR*, LRESULT* result)
{
    // Hot tracking must never select an item.
    *result = -1;
}

// [SECTION] Repaint requests

void CQuickList::RepaintCells(int first, int last, int column, BOOL erase)
{
    repaint_range(first, last, column, erase, false);
}

void CQuickList::RepaintCellText(int first, int last, int column, BOOL erase)
{
    repaint_range(first, last, column, erase, true);
}

void CQuickList::repaint_range(int first, int last, int column, BOOL erase, bool text_only)
{
    int const count = item_count();
    if (count == 0)
        return;
    int const top = static_cast<int>(::SendMessage(m_hWnd, LVM_GETTOPINDEX, 0, 0));
    int const bottom = std::min(count - 1, top + static_cast<int>(::SendMessage(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0)));
    if (first > last)
        std::swap(first, last);
    if (last < top || first > bottom)
        return;
    first = std::max(first, top);
    last = std::min(last, bottom);
    CRect area;
    for (int item : { first, last }) {
        CRect cell;
        if (!GetCellRect(item, column, cell))
            return;
        if (text_only)
            cell = LayOutCell(*FillCellRequest(item, column), cell).text;
        area = item == first ? cell : CRect(std::min(area.left, cell.left), std::min(area.top, cell.top),
                                          std::max(area.right, cell.right), std::max(area.bottom, cell.bottom));
    }
    InvalidateRect(&area, erase);
}

void CQuickList::redraw_cell(int item, int column)
{
    CRect cell;
    if (GetCellRect(item, column, cell))
        InvalidateRect(&cell, FALSE);
}

// [SECTION] Current column

void CQuickList::StepCurrentColumn(int column)
{
    if (!m_bColumnNavigation || column < 0 || column >= column_count())
        return;
    QuickNavigation navigation { m_nCurrentColumn, column, 1 };
    ::SendMessage(::GetParent(m_hWnd), QLN_COLUMNCHANGE, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&navigation));
    // A parent may have changed the column to one the list does not have.
    if (!navigation.m_bAllow || navigation.m_nNewColumn < 0 || navigation.m_nNewColumn >= column_count())
        return;
    int const old = m_nCurrentColumn;
    ScrollColumnIntoView(navigation.m_nNewColumn);
    m_nCurrentColumn = navigation.m_nNewColumn;
    int const top = static_cast<int>(::SendMessage(m_hWnd, LVM_GETTOPINDEX, 0, 0));
    int const last = std::min(item_count() - 1, top + static_cast<int>(::SendMessage(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0)));
    int const focus = ListView_GetNextItem(m_hWnd, -1, LVNI_FOCUSED);
    for (int item = top; item <= last; ++item) {
        if (item != focus && !(ListView_GetItemState(m_hWnd, item, LVIS_SELECTED) & LVIS_SELECTED))
            continue;
        redraw_cell(item, old);
        redraw_cell(item, m_nCurrentColumn);
    }
}

void CQuickList::ScrollColumnIntoView(int column)
{
    HWND const h = header();
    int const count = column_count();
    if (!h || column < 0 || column >= count)
        return;
    std::vector<int> order(static_cast<std::size_t>(count));
    ::SendMessage(h, HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data()));
    int before = 0;
    for (int index : order) {
        if (index == column)
            break;
        RECT r {};
        ::SendMessage(h, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        before += r.right - r.left;
    }
    RECT own {};
    ::SendMessage(h, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&own));
    RECT row { LVIR_BOUNDS, 0, 0, 0 };
    int const offset = ::SendMessage(m_hWnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)) ? static_cast<int>(row.left) : 0;
    CRect client;
    GetClientRect(&client);
    int const left = before + offset;
    if (left >= client.left && left + (own.right - own.left) <= client.right)
        return;
    ::SendMessage(m_hWnd, LVM_SCROLL, static_cast<WPARAM>(left), 0);
    Invalidate(FALSE);
    UpdateWindow();
}
