// The control wrappers over the real controls: owner-drawing virtuals reached through
// reflection, and the members that send the controls' messages.
#include "FrameworkFixture.h"

#include "platform/framework/AfxControls.h"
#include "platform/user/InputDriver.h"

namespace {

class DrawnButton : public CButton {
public:
    std::vector<UINT> actions;

protected:
    void PreSubclassWindow() override { ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW); }
    void DrawItem(LPDRAWITEMSTRUCT item) override { actions.push_back(item->itemAction); }
};

class DrawnList : public CListBox {
public:
    std::vector<std::string> calls;

protected:
    void MeasureItem(LPMEASUREITEMSTRUCT item) override
    {
        calls.push_back("measure " + std::to_string(item->itemID));
        item->itemHeight = 20 + item->itemID;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override { calls.push_back("draw " + std::to_string(item->itemID)); }
    void DeleteItem(LPDELETEITEMSTRUCT item) override { calls.push_back("delete " + std::to_string(item->itemID)); }
    int CompareItem(COMPAREITEMSTRUCT* item) override
    {
        calls.push_back("compare");
        return item->itemID1 < item->itemID2 ? -1 : 1;
    }
};

class DrawnStatic : public CStatic {
public:
    int draws {};

protected:
    void DrawItem(LPDRAWITEMSTRUCT item) override { draws += item->CtlType == ODT_STATIC; }
};

class ControlsDialog : public CDialog {
public:
    ControlsDialog() : CDialog(110) { }
    DrawnButton drawn;
    CButton check;
    DrawnList list;
    CComboBox combo;
    CListCtrl report;
    CProgressCtrl progress;
    CSliderCtrl slider;
    CTabCtrl tab;
    CIPAddressCtrl address;
    DrawnStatic picture;
    std::vector<UINT> commands;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, 1100, drawn);
        DDX_Control(pDX, 1101, check);
        DDX_Control(pDX, 1102, list);
        DDX_Control(pDX, 1103, combo);
        DDX_Control(pDX, 1104, report);
        DDX_Control(pDX, 1105, progress);
        DDX_Control(pDX, 1106, slider);
        DDX_Control(pDX, 1107, tab);
        DDX_Control(pDX, 1108, address);
        DDX_Control(pDX, 1109, picture);
    }
    BOOL OnCmdMsg(UINT id, int code, void* extra, void* info) override
    {
        if (code == CN_COMMAND && id >= 200 && id < 300)
            commands.push_back(id);
        return CDialog::OnCmdMsg(id, code, extra, info);
    }
};

class ControlsTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        ASSERT_TRUE(dlg.Create(110, nullptr));
        dlg.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        FrameworkTest::TearDown();
    }
    ControlsDialog dlg;
};

}

TEST_F(ControlsTest, OwnerDrawnControlsAreDrawnThroughTheirVirtuals)
{
    // PreSubclassWindow made the button owner-drawn; painting asks its DrawItem.
    EXPECT_EQ(dlg.drawn.GetButtonStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    dlg.drawn.Invalidate();
    dlg.drawn.UpdateWindow();
    ASSERT_FALSE(dlg.drawn.actions.empty());
    EXPECT_EQ(dlg.drawn.actions.back(), ODA_DRAWENTIRE);
    dlg.picture.Invalidate();
    dlg.picture.UpdateWindow();
    EXPECT_GE(dlg.picture.draws, 1);

    // The list box measures each new item, draws it, and tells of each deleted one.
    dlg.list.AddString("a");
    dlg.list.AddString("b");
    EXPECT_EQ(dlg.list.GetItemHeight(1), 21);
    dlg.list.Invalidate();
    dlg.list.UpdateWindow();
    dlg.list.DeleteString(0);
    COMPAREITEMSTRUCT compare { ODT_LISTBOX, 1102, dlg.list.m_hWnd, 2, 0, 1, 0, 0 };
    EXPECT_EQ(dlg.SendMessage(WM_COMPAREITEM, 1102, reinterpret_cast<LPARAM>(&compare)), 1);
    std::vector<std::string> const expected { "measure 0", "measure 1", "draw 0", "draw 1", "delete 0", "compare" };
    EXPECT_EQ(dlg.list.calls, expected);
}

TEST_F(ControlsTest, ButtonComboAndListMembersSendTheirMessages)
{
    dlg.check.SetCheck(BST_CHECKED);
    EXPECT_EQ(dlg.check.GetCheck(), static_cast<int>(BST_CHECKED));
    EXPECT_EQ(dlg.check.GetButtonStyle() & BS_TYPEMASK, BS_AUTOCHECKBOX);
    dlg.check.SetState(TRUE);
    EXPECT_TRUE(dlg.check.GetState() & BST_PUSHED);

    EXPECT_EQ(dlg.combo.AddString("alpha"), 0);
    EXPECT_EQ(dlg.combo.AddString("beta"), 1);
    dlg.combo.SetItemData(1, 77);
    EXPECT_EQ(dlg.combo.GetItemData(1), 77u);
    EXPECT_EQ(dlg.combo.FindStringExact(-1, "BETA"), 1);
    dlg.combo.SetCurSel(1);
    CString text;
    dlg.combo.GetLBText(dlg.combo.GetCurSel(), text);
    EXPECT_EQ(text, "beta");
    dlg.combo.GetLBText(5, text);
    EXPECT_EQ(text, "");
    dlg.list.AddString("one");
    dlg.list.GetText(0, text);
    EXPECT_EQ(text, "one");
}

TEST_F(ControlsTest, BarsTabsAndAddressesRoundTrip)
{
    dlg.progress.SetRange32(0, 40);
    dlg.progress.SetPos(30);
    int low = -1, high = -1;
    dlg.progress.GetRange(low, high);
    EXPECT_EQ(std::pair(low, high), std::pair(0, 40));
    EXPECT_EQ(dlg.progress.GetPos(), 30);

    dlg.slider.SetRange(-5, 5, TRUE);
    dlg.slider.SetPos(9);
    EXPECT_EQ(dlg.slider.GetPos(), 5);
    EXPECT_EQ(dlg.slider.GetRangeMin(), -5);

    dlg.tab.InsertItem(0, "first");
    dlg.tab.InsertItem(1, "second");
    dlg.tab.SetCurSel(1);
    EXPECT_EQ(dlg.tab.GetItemCount(), 2);
    EXPECT_EQ(dlg.tab.GetCurSel(), 1);

    dlg.address.SetAddress(192, 168, 1, 20);
    BYTE a = 0, b = 0, c = 0, d = 0;
    EXPECT_EQ(dlg.address.GetAddress(a, b, c, d), 4);
    EXPECT_EQ((std::vector<int> { a, b, c, d }), (std::vector<int> { 192, 168, 1, 20 }));
    dlg.address.ClearAddress();
    EXPECT_TRUE(dlg.address.IsBlank());
}

TEST_F(ControlsTest, OwnerDataListAnswersGeometryAndHitTests)
{
    dlg.report.InsertColumn(0, "Name", LVCFMT_LEFT, 60);
    dlg.report.InsertColumn(1, "Signal", LVCFMT_LEFT, 50);
    dlg.report.SetItemCountEx(5);
    EXPECT_EQ(dlg.report.GetItemCount(), 5);
    CHeaderCtrl* header = dlg.report.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetItemCount(), 2);

    CRect row;
    ASSERT_TRUE(dlg.report.GetItemRect(2, &row, LVIR_BOUNDS));
    CRect cell;
    ASSERT_TRUE(dlg.report.GetSubItemRect(2, 1, LVIR_BOUNDS, cell));
    EXPECT_EQ(cell.left, row.left + 60);
    LVHITTESTINFO hit {};
    hit.pt = CPoint(cell.left + 3, cell.top + 2);
    EXPECT_EQ(dlg.report.SubItemHitTest(&hit), 2);
    EXPECT_EQ(hit.iSubItem, 1);

    dlg.report.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    dlg.report.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> selected;
    for (POSITION p = dlg.report.GetFirstSelectedItemPosition(); p;)
        selected.push_back(dlg.report.GetNextSelectedItem(p));
    EXPECT_EQ(selected, (std::vector<int> { 1, 3 }));
}

TEST_F(ControlsTest, MenusLoadFromResourcesAndTrackToTheOwner)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(200));
    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetMenuItemCount(), 3);
    EXPECT_EQ(file->GetMenuItemID(0), 201u);
    EXPECT_TRUE(file->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(file->GetMenuState(202, MF_BYCOMMAND) & MF_GRAYED);
    CString text;
    file->GetMenuString(201, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "Open");
    EXPECT_FALSE(CMenu().LoadMenu(999));

    platform::commctrl::set_menu_hook([](platform::commctrl::OpenMenu& open) { open.choose(201); });
    EXPECT_TRUE(file->TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &dlg));
    platform::commctrl::set_menu_hook(nullptr);
    platform::testing::pump_until_idle();
    EXPECT_EQ(dlg.commands, (std::vector<UINT> { 201 }));
    AfxDeleteTempMap();
}

TEST_F(ControlsTest, ImageListsAndToolTipsWrapTheirHandles)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2));
    HICON const icon = LoadIcon(nullptr, MAKEINTRESOURCE(300));
    EXPECT_EQ(images.Add(icon), 0);
    EXPECT_EQ(images.GetImageCount(), 1);
    DestroyIcon(icon);

    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&dlg));
    EXPECT_TRUE(tips.AddTool(&dlg.check, "check it"));
    EXPECT_TRUE(tips.AddTool(&dlg, LPSTR_TEXTCALLBACK, CRect(0, 0, 10, 10), 5));
    EXPECT_EQ(tips.GetToolCount(), 2);
    TOOLINFO info {};
    ASSERT_TRUE(tips.GetToolInfo(info, &dlg.check));
    EXPECT_EQ(info.uId, reinterpret_cast<UINT_PTR>(dlg.check.m_hWnd));
    tips.DelTool(&dlg.check);
    EXPECT_EQ(tips.GetToolCount(), 1);
    tips.DestroyWindow();
}

namespace {

// Asks for tool-tip texts; the default hit test names the child under the pointer.
class TipsDialog : public ControlsDialog {
public:
    std::vector<UINT_PTR> asked;
    int hit_tests {};

protected:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override
    {
        ++const_cast<TipsDialog*>(this)->hit_tests;
        return ControlsDialog::OnToolHitTest(point, info);
    }
    afx_msg void OnNeedText(UINT, NMHDR* header, LRESULT* result)
    {
        asked.push_back(header->idFrom);
        std::snprintf(reinterpret_cast<NMTTDISPINFO*>(header)->szText, 80, "%s", "tip");
        *result = TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TipsDialog, ControlsDialog)
ON_NOTIFY_RANGE(TTN_NEEDTEXT, 0, 0xFFFFFFFFu, OnNeedText)
END_MESSAGE_MAP()

}

TEST_F(FrameworkTest, EnabledToolTipsShowTheTextOfTheChildUnderThePointer)
{
    TipsDialog dlg;
    ASSERT_TRUE(dlg.Create(110, nullptr));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetActiveWindow();
    EXPECT_FALSE(dlg.EnableToolTips(TRUE));
    CRect check;
    dlg.check.GetWindowRect(&check);
    platform::user::input::move_mouse(check.CenterPoint());
    platform::testing::pump_until_idle();
    EXPECT_GE(dlg.hit_tests, 1);
    platform::testing::advance(static_cast<std::uint64_t>(GetDoubleClickTime()));
    EXPECT_EQ(dlg.asked, (std::vector<UINT_PTR> { reinterpret_cast<UINT_PTR>(dlg.check.m_hWnd) }));
    HWND const tip = FindWindow(TOOLTIPS_CLASS, nullptr);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(IsWindowVisible(tip));

    // Off: the tip goes and moves are no longer looked at.
    EXPECT_TRUE(dlg.EnableToolTips(FALSE));
    EXPECT_FALSE(IsWindowVisible(tip));
    int const tests = dlg.hit_tests;
    platform::user::input::move_mouse(CPoint(check.left + 1, check.top + 1));
    platform::testing::pump_until_idle();
    EXPECT_EQ(dlg.hit_tests, tests);
    dlg.DestroyWindow();
    EXPECT_FALSE(IsWindow(tip));
}
