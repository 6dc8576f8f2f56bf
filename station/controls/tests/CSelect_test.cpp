#include "station/controls/CSelect.h"

#include "DrawingFixture.h"

namespace {

class SelectTest : public DrawingTest { };

}

// Each selector keeps only the value from before its first change, and puts it back.
TEST_F(SelectTest, SelectorsRestoreTheFirstPreviousValue)
{
    Canvas canvas(4, 4);
    CDC& dc = canvas.dc;
    dc.SetTextColor(RGB(1, 1, 1));
    dc.SetBkMode(OPAQUE);
    ::SetTextAlign(dc, TA_LEFT | TA_TOP);
    HGDIOBJ const font = GetCurrentObject(dc, OBJ_FONT);
    {
        CSelTextColor colour(&dc, RGB(2, 2, 2));
        colour.Select(RGB(3, 3, 3));
        CSelBkMode mode(&dc, TRANSPARENT);
        CSelTextAlign align(&dc, TA_CENTER | TA_BOTTOM);
        CSelFont selected(&dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        EXPECT_EQ(dc.GetTextColor(), RGB(3, 3, 3));
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
        EXPECT_EQ(GetTextAlign(dc), TA_CENTER | TA_BOTTOM);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), selected.font().m_hObject);
    }
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 1, 1));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetTextAlign(dc), TA_LEFT | TA_TOP);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
}

TEST_F(SelectTest, FontCopyKeepsTheEscapement)
{
    LOGFONT log {};
    log.lfHeight = 12;
    log.lfEscapement = 900;
    HFONT const turned = CreateFontIndirect(&log);
    CMyFont copy(turned);
    EXPECT_EQ(copy.GetEscapement(), 900);
    EXPECT_EQ(CMyFont().GetEscapement(), 0);
    DeleteObject(turned);
}
