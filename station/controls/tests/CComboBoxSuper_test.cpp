#include "DialogsFixture.h"

#include "station/controls/CComboBoxSuper.h"

#include <set>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = CComboBoxSuper::kSeparatorColour;

// A small surface to draw one item on, filled white, with white as background colour.
class ItemSurface {
public:
    ItemSurface()
    {
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all { 0, 0, kWidth, kHeight };
        HBRUSH white = CreateSolidBrush(kWhite);
        FillRect(m_dc, &all, white);
        DeleteObject(white);
        SetBkColor(m_dc, kWhite);
        SetTextColor(m_dc, RGB(0, 0, 0));
    }
    ~ItemSurface()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y); }
    // The x of every column of pixels that is grey from top to bottom.
    std::vector<int> grey_columns() const
    {
        std::vector<int> xs;
        for (int x = 0; x < kWidth; ++x) {
            bool all = true;
            for (int y = 0; y < kHeight && all; ++y)
                all = at(x, y) == kGrey;
            if (all)
                xs.push_back(x);
        }
        return xs;
    }
    int count(COLORREF colour, int from_x, int to_x) const
    {
        int n = 0;
        for (int x = from_x; x < to_x; ++x)
            for (int y = 0; y < kHeight; ++y)
                n += at(x, y) == colour;
        return n;
    }

    static constexpr int kWidth = 200;
    static constexpr int kHeight = 16;

private:
    HDC m_dc {};
    HBITMAP m_bitmap {};
    HGDIOBJ m_old {};
};

}

class ComboBoxSuperTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        HWND hwnd = make("ComboBox", "", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL, 700,
            { 10, 10, 310, 200 });
        ASSERT_TRUE(combo.SubclassWindow(hwnd));
        for (char const* name : { "Adapter A", "Adapter B", "Adapter C" })
            combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        live_before = CComboBoxSuper::live_records();
    }
    void TearDown() override
    {
        if (combo.m_hWnd)
            combo.DestroyWindow();
        DialogsTest::TearDown();
    }

    // Draws item `index` as the list would, on `surface`.
    void draw(ItemSurface& surface, int index, bool selected)
    {
        DRAWITEMSTRUCT dis { ODT_COMBOBOX, 700, static_cast<UINT>(index), ODA_DRAWENTIRE, selected ? ODS_SELECTED : 0u,
            combo.m_hWnd, surface.dc(), { 0, 0, ItemSurface::kWidth, ItemSurface::kHeight },
            static_cast<ULONG_PTR>(combo.SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index))) };
        combo.DrawItem(&dis);
    }
    int records() const { return CComboBoxSuper::live_records() - live_before; }

    CComboBoxSuper combo;
    int live_before {};
};

TEST_F(ComboBoxSuperTest, NewBoxHasHundredColumnsOfFifty)
{
    EXPECT_EQ(combo.column_count(), 100);
    for (int i : { 0, 50, 99 })
        EXPECT_EQ(combo.column_width(i), 50);
}

TEST_F(ComboBoxSuperTest, ColumnCountAndWidths)
{
    combo.ChangeColumnTotal(2);
    EXPECT_EQ(combo.column_count(), 2);
    combo.ChangeColumnTotal(-1);
    EXPECT_EQ(combo.column_count(), 2) << "a negative count is refused";
    struct Case {
        int column;
        int width;
        int answer;
        int width0;
        int width1;
    };
    Case const cases[] = { { -1, 10, 0, 50, 50 }, { 5, 10, 2, 50, 50 }, { 2, 10, 2, 50, 50 }, { 1, 80, 80, 50, 80 } };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(combo.ResizeColumn(c.column, c.width), c.answer);
        EXPECT_EQ(combo.column_width(0), c.width0);
        EXPECT_EQ(combo.column_width(1), c.width1);
    }
    combo.ChangeColumnTotal(4);
    EXPECT_EQ(combo.column_width(1), 80);
    EXPECT_EQ(combo.column_width(3), 50);
}

TEST_F(ComboBoxSuperTest, CellTextsPerRow)
{
    combo.StoreCellText(0, 1, "00:11:22:33:44:55");
    combo.StoreCellText(2, 1, "USB");
    combo.StoreCellText(2, 2, "ready");
    combo.StoreCellText(7, 1, "nowhere");
    EXPECT_EQ(combo.FetchCellText(0, 0), "Adapter A");
    EXPECT_EQ(combo.FetchCellText(0, 1), "00:11:22:33:44:55");
    EXPECT_EQ(combo.FetchCellText(2, 2), "ready");
    EXPECT_EQ(combo.FetchCellText(2, 3), "");
    EXPECT_EQ(combo.FetchCellText(1, 1), "") << "a missing record reads empty";
    EXPECT_EQ(combo.FetchCellText(7, 1), "");
    EXPECT_EQ(combo.FetchCellText(-1, 1), "");
    EXPECT_EQ(records(), 3) << "rows 0 and 2, and row 1 made by the read";
}

TEST_F(ComboBoxSuperTest, RecordsAreFreedExactlyOnce)
{
    for (int i = 0; i < 3; ++i)
        combo.StoreCellText(i, 1, "x");
    ASSERT_EQ(records(), 3);
    combo.SendMessage(CB_DELETESTRING, 1);
    EXPECT_EQ(records(), 2);
    EXPECT_EQ(combo.FetchCellText(1, 1), "x") << "the record of the row that moved up stays";
    combo.SendMessage(CB_RESETCONTENT);
    EXPECT_EQ(records(), 0);

    combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("again"));
    combo.StoreCellText(0, 1, "y");
    EXPECT_EQ(records(), 1);
    combo.DestroyWindow();
    EXPECT_EQ(records(), 0);
}

TEST_F(ComboBoxSuperTest, TwoColumnsDrawOneSeparator)
{
    combo.ChangeColumnTotal(2);
    combo.StoreCellText(0, 1, "cell");
    ItemSurface surface;
    draw(surface, 0, false);
    // The text rectangle starts one pixel in; column 0 ends at 1 + 50.
    EXPECT_EQ(surface.grey_columns(), std::vector<int> { 51 });
    EXPECT_GT(surface.count(RGB(0, 0, 0), 52, ItemSurface::kWidth), 0) << "column 1's text";
}

TEST_F(ComboBoxSuperTest, SeparatorsFollowTheColumns)
{
    struct Case {
        char const* name;
        int columns;
        bool text_in_column_1;
        std::vector<int> lines;
        bool ink_from_52_to_101;
    };
    // With one column the item string runs on past x 52; with three it is cut at its column.
    Case const cases[] = {
        { "one column: the item string alone", 1, false, {}, true },
        { "three columns, column 1 without text", 3, false, { 51, 101 }, false },
        { "three columns with text", 3, true, { 51, 101 }, true },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        combo.ChangeColumnTotal(c.columns);
        if (c.text_in_column_1)
            combo.StoreCellText(1, 1, "text");
        ItemSurface surface;
        draw(surface, 1, false);
        EXPECT_EQ(surface.grey_columns(), c.lines);
        EXPECT_EQ(surface.count(RGB(0, 0, 0), 52, 101) > 0, c.ink_from_52_to_101);
    }
}

TEST_F(ComboBoxSuperTest, ColoursOfRowsAndSelection)
{
    COLORREF const highlight = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF const highlight_text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    COLORREF const red = RGB(255, 0, 0);
    combo.ChangeColumnTotal(1);
    combo.StoreItemColour(1, red);
    struct Case {
        char const* name;
        int index;
        bool selected;
        COLORREF back;
        COLORREF text;
    };
    Case const cases[] = {
        { "plain row", 0, false, kWhite, RGB(0, 0, 0) },
        { "selected plain row", 0, true, highlight, highlight_text },
        { "red row", 1, false, kWhite, red },
        { "selected red row keeps its colour", 1, true, highlight, red },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        ItemSurface surface;
        draw(surface, c.index, c.selected);
        EXPECT_EQ(surface.at(0, 0), c.back);
        EXPECT_EQ(surface.at(ItemSurface::kWidth - 1, ItemSurface::kHeight - 1), c.back);
        EXPECT_GT(surface.count(c.text, 1, 100), 0);
    }
}

TEST_F(ComboBoxSuperTest, NothingIsDrawnOutsideTheItems)
{
    for (int index : { -1, 3 }) {
        SCOPED_TRACE(index);
        ItemSurface surface;
        draw(surface, index, true);
        EXPECT_EQ(surface.count(kWhite, 0, ItemSurface::kWidth), ItemSurface::kWidth * ItemSurface::kHeight);
    }
}

// The field of the closed box is drawn by the parent's WM_DRAWITEM, reflected to the control.
TEST_F(ComboBoxSuperTest, TheFieldIsDrawnThroughReflection)
{
    combo.ChangeColumnTotal(3);
    combo.StoreCellText(0, 1, "b");
    combo.SendMessage(CB_SETCURSEL, 0);
    combo.Invalidate();
    pump();
    CRect client;
    combo.GetClientRect(&client);
    int const y = client.Height() / 2;
    std::set<int> grey;
    for (int x = 0; x < 110; ++x) {
        if (pixel(combo.m_hWnd, x, y) == kGrey && pixel(combo.m_hWnd, x, y - 3) == kGrey)
            grey.insert(x);
    }
    EXPECT_EQ(grey.size(), 2u);
}
