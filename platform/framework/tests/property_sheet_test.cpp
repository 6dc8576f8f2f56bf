// Property sheets: lazy page creation, the order of the page virtuals, pages added and
// removed on a live sheet, the buttons and help; and the string table.
#include "FrameworkFixture.h"

#include "platform/framework/PropertySheet.h"
#include "platform/user/InputDriver.h"

namespace {

std::vector<std::string> g_log;

class RecordingPage : public CPropertyPage {
public:
    RecordingPage(UINT id, std::string name, UINT caption = 0) : CPropertyPage(id, caption), m_name(std::move(name)) { }
    bool refuse_kill {};

protected:
    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        g_log.push_back("init " + m_name);
        return TRUE;
    }
    BOOL OnSetActive() override
    {
        g_log.push_back("set " + m_name);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        g_log.push_back("kill " + m_name);
        return refuse_kill ? FALSE : CPropertyPage::OnKillActive();
    }
    void OnOK() override { g_log.push_back("ok " + m_name); }
    void OnCancel() override { g_log.push_back("cancel " + m_name); }

private:
    std::string m_name;
};

class TestSheet : public CPropertySheet {
public:
    TestSheet() : CPropertySheet(500u)
    {
        AddPage(&first);
        AddPage(&second);
        AddPage(&third);
    }
    RecordingPage first { 120, "1" };
    RecordingPage second { 121, "2" };
    RecordingPage third { 122, "3" };
    RecordingPage fourth { 120, "4", 501 };
    std::vector<int> help_ids;
    int help_button {};

protected:
    afx_msg BOOL OnHelpInfo(HELPINFO* info)
    {
        help_ids.push_back(info->iCtrlId);
        return TRUE;
    }
    afx_msg void OnHelpButton() { ++help_button; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestSheet, CPropertySheet)
ON_WM_HELPINFO()
ON_COMMAND(IDHELP, OnHelpButton)
END_MESSAGE_MAP()

class PropertySheetTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        g_log.clear();
    }
    static std::vector<std::string> take_log() { return std::exchange(g_log, {}); }
    static CString tab_text(CPropertySheet& sheet, int index)
    {
        char text[64] {};
        TCITEM item {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        sheet.GetTabControl()->GetItem(index, &item);
        return CString(text);
    }
};

}

TEST_F(PropertySheetTest, PagesAreMadeWhenFirstShownAndToldOfEveryChange)
{
    TestSheet sheet;
    sheet.SetActivePage(1);
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(take_log(), (std::vector<std::string> { "init 2", "set 2" }));
    // Opened with no key pressed: the focus and access keys are hidden, on the pages too.
    EXPECT_EQ(sheet.SendMessage(WM_QUERYUISTATE), UISF_HIDEFOCUS | UISF_HIDEACCEL);
    EXPECT_EQ(sheet.second.SendMessage(WM_QUERYUISTATE), UISF_HIDEFOCUS | UISF_HIDEACCEL);
    EXPECT_EQ(sheet.first.m_hWnd, nullptr);
    EXPECT_EQ(sheet.third.m_hWnd, nullptr);
    CString title;
    sheet.GetWindowText(title);
    EXPECT_EQ(title, "Sheet title");
    EXPECT_EQ(tab_text(sheet, 0), "First");

    ASSERT_TRUE(sheet.SetActivePage(2));
    EXPECT_EQ(take_log(), (std::vector<std::string> { "kill 2", "init 3", "set 3" }));
    EXPECT_TRUE(sheet.third.IsWindowVisible());
    EXPECT_FALSE(sheet.second.IsWindowVisible());
    ASSERT_TRUE(sheet.SetActivePage(&sheet.second));
    EXPECT_EQ(take_log(), (std::vector<std::string> { "kill 3", "set 2" }));

    // A tab click goes the same way; a page that refuses to be left stays.
    CRect tab;
    sheet.GetTabControl()->GetItemRect(0, &tab);
    sheet.GetTabControl()->ClientToScreen(&tab);
    platform::user::input::click(tab.CenterPoint());
    platform::testing::pump_until_idle();
    EXPECT_EQ(take_log(), (std::vector<std::string> { "kill 2", "init 1", "set 1" }));
    EXPECT_EQ(sheet.GetActivePage(), &sheet.first);
    sheet.first.refuse_kill = true;
    EXPECT_FALSE(sheet.SetActivePage(2));
    sheet.GetTabControl()->GetItemRect(1, &tab);
    sheet.GetTabControl()->ClientToScreen(&tab);
    platform::user::input::click(tab.CenterPoint());
    platform::testing::pump_until_idle();
    EXPECT_EQ(take_log(), (std::vector<std::string> { "kill 1", "kill 1" }));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
    sheet.DestroyWindow();
}

TEST_F(PropertySheetTest, PagesAddedAndRemovedOnALiveSheet)
{
    TestSheet sheet;
    ASSERT_TRUE(sheet.Create());
    take_log();
    sheet.AddPage(&sheet.fourth);
    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 4);
    EXPECT_EQ(tab_text(sheet, 3), "Fourth");
    EXPECT_EQ(sheet.fourth.m_hWnd, nullptr);
    ASSERT_TRUE(sheet.SetActivePage(3));
    EXPECT_EQ(take_log(), (std::vector<std::string> { "kill 1", "init 4", "set 4" }));

    // Removing the active last page activates the one before it and destroys the window.
    HWND const removed = sheet.fourth.m_hWnd;
    sheet.RemovePage(&sheet.fourth);
    EXPECT_EQ(take_log(), (std::vector<std::string> { "kill 4", "init 3", "set 3" }));
    EXPECT_FALSE(IsWindow(removed));
    EXPECT_EQ(sheet.fourth.m_hWnd, nullptr);
    EXPECT_EQ(sheet.GetPageCount(), 3);
    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 3);
    EXPECT_EQ(sheet.GetActivePage(), &sheet.third);
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 2);

    // Removing a page before the active one keeps the active page; adding the removed page
    // again initialises it again.
    sheet.RemovePage(0);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 1);
    sheet.AddPage(&sheet.fourth);
    sheet.SetActivePage(&sheet.fourth);
    EXPECT_EQ(take_log(), (std::vector<std::string> { "kill 3", "init 4", "set 4" }));

    // Captions changed after creation.
    char text[] = "Renamed";
    TCITEM item {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    sheet.GetTabControl()->SetItem(0, &item);
    EXPECT_EQ(tab_text(sheet, 0), "Renamed");
    sheet.DestroyWindow();
}

TEST_F(PropertySheetTest, ModelessSheetShowsOnlyHelpAndClosingDestroysIt)
{
    TestSheet sheet;
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_USEHICON;
    sheet.m_psh.hIcon = LoadIcon(nullptr, MAKEINTRESOURCE(300));
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(reinterpret_cast<HICON>(sheet.SendMessage(WM_GETICON, ICON_SMALL)), sheet.m_psh.hIcon);
    EXPECT_EQ(sheet.GetDlgItem(IDOK), nullptr);
    EXPECT_EQ(sheet.GetDlgItem(IDCANCEL), nullptr);
    EXPECT_EQ(sheet.GetDlgItem(ID_APPLY_NOW), nullptr);
    CWnd* help = sheet.GetDlgItem(IDHELP);
    ASSERT_NE(help, nullptr);
    EXPECT_FALSE(help->IsWindowVisible());
    // The program shows and enables it; the sheet leaves it so on page changes.
    help->ShowWindow(SW_SHOW);
    help->EnableWindow(TRUE);
    sheet.SetActivePage(1);
    EXPECT_TRUE(help->IsWindowVisible() && help->IsWindowEnabled());
    help->SendMessage(BM_CLICK);
    EXPECT_EQ(sheet.help_button, 1);

    // F1 in a page's edit reaches the sheet as WM_HELP naming the edit.
    sheet.second.GetDlgItem(1210)->SetFocus();
    EXPECT_TRUE(press(GetFocus(), VK_F1));
    EXPECT_EQ(sheet.help_ids, (std::vector<int> { 1210 }));

    // Escape: made pages are reset, the window goes, the objects stay.
    take_log();
    press(GetFocus(), VK_ESCAPE);
    platform::testing::pump_until_idle();
    EXPECT_FALSE(IsWindow(sheet.m_hWnd));
    EXPECT_EQ(sheet.second.m_hWnd, nullptr);
    EXPECT_EQ(take_log(), (std::vector<std::string> { "cancel 1", "cancel 2" }));
    DestroyIcon(sheet.m_psh.hIcon);
}

TEST_F(PropertySheetTest, HelpFollowsThePagesUnderHasHelp)
{
    TestSheet sheet;
    sheet.m_psh.dwFlags |= PSH_HASHELP;
    sheet.AddPage(&sheet.fourth);
    ASSERT_TRUE(sheet.Create());
    sheet.fourth.m_psp.dwFlags &= ~PSP_HASHELP;
    CWnd* help = sheet.GetDlgItem(IDHELP);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->IsWindowVisible());
    EXPECT_TRUE(help->IsWindowEnabled());
    sheet.SetActivePage(3);
    EXPECT_FALSE(help->IsWindowEnabled());
    sheet.DestroyWindow();
}

TEST_F(PropertySheetTest, ModalSheetEndsWithItsButtons)
{
    struct Case {
        char const* name;
        int command;
        INT_PTR expected;
        std::vector<std::string> log;
    };
    Case const cases[] = {
        { "OK", IDOK, IDOK, { "init 1", "set 1", "kill 1", "ok 1" } },
        { "Cancel", IDCANCEL, IDCANCEL, { "init 1", "set 1", "cancel 1" } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        TestSheet sheet;
        bool buttons = false;
        platform::user::set_modal_hook([&](HWND hwnd) {
            buttons = GetDlgItem(hwnd, IDOK) && GetDlgItem(hwnd, IDCANCEL) && GetDlgItem(hwnd, ID_APPLY_NOW);
            PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c.command), BN_CLICKED), 0);
        });
        EXPECT_EQ(sheet.DoModal(), c.expected);
        EXPECT_TRUE(buttons);
        EXPECT_EQ(take_log(), c.log);
        EXPECT_EQ(sheet.m_hWnd, nullptr);
    }
}

TEST_F(PropertySheetTest, StringTableAnswersTextsAndMessageBoxes)
{
    char buffer[8] {};
    EXPECT_EQ(LoadString(nullptr, 502, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "Caf\xc3\xa9 a"); // never half a character
    char small[5] {};
    EXPECT_EQ(LoadString(nullptr, 502, small, sizeof small), 3);
    EXPECT_STREQ(small, "Caf");
    EXPECT_EQ(LoadString(nullptr, 999, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    CString text;
    EXPECT_TRUE(text.LoadString(500));
    EXPECT_EQ(text, "Sheet title");

    answer_next_modal(IDOK);
    EXPECT_EQ(AfxMessageBox(500u, MB_OKCANCEL), IDOK);
    ASSERT_EQ(platform::framework::message_box_log().size(), 1u);
    EXPECT_EQ(platform::framework::message_box_log()[0].text, "Sheet title");
    EXPECT_TRUE(platform::framework::missing_resources(platform::framework::resources(), "string", { 500, 503 })
        == std::vector<std::string> { "string 503" });
}

TEST_F(PropertySheetTest, DialogsKeepTheirFont)
{
    CDialog dlg(100);
    ASSERT_TRUE(dlg.Create(100));
    CFont* font = dlg.GetFont();
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font->m_hObject, nullptr);
    HFONT const other = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    dlg.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(other), FALSE);
    EXPECT_EQ(dlg.GetFont()->m_hObject, other);
    dlg.DestroyWindow();
}

// A page lies above the tab control: repainting the tabs leaves the page's controls drawn.
TEST_F(PropertySheetTest, TabRepaintLeavesTheActivePageDrawn)
{
    TestSheet sheet;
    ASSERT_TRUE(sheet.Create());
    ASSERT_TRUE(sheet.SetActivePage(1));
    platform::testing::pump_until_idle();
    HWND const edit = ::GetDlgItem(sheet.second.m_hWnd, 1210);
    ASSERT_NE(edit, nullptr);
    sheet.GetTabControl()->Invalidate();
    platform::testing::pump_until_idle();
    CRect rect;
    ::GetClientRect(edit, &rect);
    HDC dc = ::GetDC(edit);
    COLORREF const middle = ::GetPixel(dc, rect.Width() / 2, rect.Height() / 2);
    ::ReleaseDC(edit, dc);
    EXPECT_EQ(middle, ::GetSysColor(COLOR_WINDOW));
}
