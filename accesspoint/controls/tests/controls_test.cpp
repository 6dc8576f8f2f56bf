// The access point utility's small controls: the filtering edit on its two masks, the combo box
// that widens its drop-down list, and the list without a horizontal scroll bar.
#include "accesspoint/controls/NoHScrollListCtrl.h"
#include "accesspoint/controls/ResizeWidthComboBox.h"
#include "station/controls/CSmartEdit.h"
#include "station/controls/tests/UiFixture.h"

#include "platform/user/InputDriver.h"

#include <cstring>

using platform::user::beep_count;

namespace {

class ApControlsTest : public StationUiTest {
protected:
    void SetUp() override { start(ACCESSPOINT_TEST_FONT, nullptr, { 0, 0, 400, 300 }); }
};

}

TEST_F(ApControlsTest, TheHexadecimalMaskTakesDigitsAndBackspaceAndBeepsAtTheRest)
{
    CSmartEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(make("Edit", "", ES_AUTOHSCROLL, 900)));
    EXPECT_EQ(edit.SetFilter(0x40), 0x40);
    struct Case {
        UINT ch;
        bool taken;
    };
    for (Case c : { Case { '0', true }, { '9', true }, { 'a', true }, { 'F', true }, { 'g', false }, { '-', false },
             { '.', false } }) {
        SCOPED_TRACE(c.ch);
        edit.SetWindowText("12");
        int const beeps = beep_count();
        edit.SendMessage(WM_CHAR, c.ch, 1);
        EXPECT_EQ(text_of(edit.m_hWnd).size(), c.taken ? 3u : 2u);
        EXPECT_EQ(beep_count() - beeps, c.taken ? 0 : 1);
    }
    edit.SetWindowText("12");
    edit.SendMessage(EM_SETSEL, 2, 2);
    edit.SendMessage(WM_CHAR, '\b', 1);
    EXPECT_EQ(text_of(edit.m_hWnd), "1");
}

TEST_F(ApControlsTest, EveryClassMaskTakesEveryPrintableCharacter)
{
    CSmartEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(make("Edit", "", ES_AUTOHSCROLL, 901, { 10, 10, 390, 40 })));
    EXPECT_EQ(edit.SetFilter(-1), 0xFFFF);
    EXPECT_EQ(edit.SetFilter(0x1FFFF), 0xFFFF) << "the low 16 bits";
    int const beeps = beep_count();
    std::string typed;
    for (char ch = ' '; ch < 0x7F; ++ch) {
        edit.SendMessage(WM_CHAR, static_cast<BYTE>(ch), 1);
        typed += ch;
    }
    EXPECT_EQ(text_of(edit.m_hWnd), typed);
    EXPECT_EQ(beep_count(), beeps);
}

TEST_F(ApControlsTest, TheDropDownIsAsWideAsTheLongestItemAScrollBarAndADigit)
{
    hotvane::CResizeWidthComboBox combo;
    ASSERT_TRUE(combo.SubclassWindow(make("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, 902, { 10, 10, 60, 200 })));
    combo.AddString("ab");
    combo.AddString("802.11 A/B/G/N mixed mode, every channel");
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(902, CBN_DROPDOWN), reinterpret_cast<LPARAM>(combo.m_hWnd));
    // The rule measured independently: the longest item, a vertical bar and one "0".
    HDC dc = GetDC(combo.m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(combo.SendMessage(WM_GETFONT)));
    SIZE longest {}, digit {};
    char const* text = "802.11 A/B/G/N mixed mode, every channel";
    GetTextExtentPoint32(dc, text, int(std::strlen(text)), &longest);
    GetTextExtentPoint32(dc, "0", 1, &digit);
    SelectObject(dc, old);
    ReleaseDC(combo.m_hWnd, dc);
    EXPECT_EQ(combo.GetDroppedWidth(), longest.cx + GetSystemMetrics(SM_CXVSCROLL) + digit.cx);
    EXPECT_GT(combo.GetDroppedWidth(), 200);

    hotvane::CResizeWidthComboBox empty;
    ASSERT_TRUE(empty.SubclassWindow(make("ComboBox", "", CBS_DROPDOWNLIST, 903, { 10, 40, 300, 200 })));
    empty.AdjustDropDownWidth();
    EXPECT_EQ(empty.GetDroppedWidth(), 290) << "no items: one digit, and never narrower than the box";
}

TEST_F(ApControlsTest, TheListNeverShowsAHorizontalScrollBar)
{
    hotvane::CNoHScrollListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(make(WC_LISTVIEW, "", LVS_REPORT, 904, { 10, 10, 210, 110 })));
    CListCtrl plain;
    ASSERT_TRUE(plain.SubclassWindow(make(WC_LISTVIEW, "", LVS_REPORT, 905, { 10, 120, 210, 220 })));
    for (CListCtrl* l : { static_cast<CListCtrl*>(&list), &plain }) {
        l->InsertColumn(0, "MAC Address", LVCFMT_LEFT, 180);
        l->InsertColumn(1, "TID=0", LVCFMT_LEFT, 180);
        for (int i = 0; i < 12; ++i)
            l->InsertItem(i, "02-20-00-00-00-01");
    }
    pump();
    EXPECT_TRUE(plain.GetStyle() & WS_HSCROLL) << "the columns are wider than the list";
    EXPECT_FALSE(list.GetStyle() & WS_HSCROLL);
    EXPECT_TRUE(list.GetStyle() & WS_VSCROLL) << "rows still scroll";
}
