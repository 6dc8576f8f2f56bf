#include "FrameworkFixture.h"

#include "platform/controls/ScrollMessages.h"
#include "platform/user/InputDriver.h"
#include "platform/user/InputRouter.h"

namespace {

constexpr UINT WM_PRIVATE = WM_USER + 100;
UINT const registered_message = RegisterWindowMessage("FrameworkTestMessage");

// A control class with reflected handlers: the plain one consumes BN_CLICKED, the _EX one
// lets EN_CHANGE through to the parent.
class ReflectingEdit : public CWnd {
public:
    int clicks {};
    int changes {};
    int presubclassed {};

protected:
    void PreSubclassWindow() override { ++presubclassed; }
    void OnReflectedClick() { ++clicks; }
    BOOL OnReflectedChange()
    {
        ++changes;
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingEdit, CWnd)
ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
ON_CONTROL_REFLECT_EX(EN_CHANGE, OnReflectedChange)
END_MESSAGE_MAP()

// A slider-like control that records the scroll codes reflected to it.
class ReflectingBar : public CWnd {
public:
    std::vector<std::string> seen;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingBar, CWnd)
{ WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, nullptr,
    AFX_THUNK(AFX_THIS->seen.push_back("bar h " + std::to_string(LOWORD(call.wParam))); return TRUE;) },
{ WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, nullptr,
    AFX_THUNK(AFX_THIS->seen.push_back("bar v " + std::to_string(LOWORD(call.wParam))); return TRUE;) },
END_MESSAGE_MAP()

// A parent that handles vertical scrolling itself and then lets the base class reflect it.
class ScrollingParent : public CWnd {
public:
    std::vector<std::string>* seen {};

protected:
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        seen->push_back("parent v " + std::to_string(code));
        CWnd::OnVScroll(code, pos, bar);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScrollingParent, CWnd)
ON_WM_VSCROLL()
END_MESSAGE_MAP()

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(100) { }

    std::vector<std::string> seen;
    std::vector<UINT> range_ids;
    CString text { "hello" };
    int number { 5 };
    int check { 1 };
    int radio { 3 };
    int combo { 2 };
    CString combo_text;
    ReflectingEdit edit;
    BOOL init_answer { TRUE };
    bool swallow_ok {};
    int end_with { -1 };
    std::vector<UINT> window_proc_messages;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, 1000, edit);
        DDX_Text(pDX, 1000, text);
        DDV_MaxChars(pDX, text, 8);
        DDX_Text(pDX, 1001, number);
        DDX_Check(pDX, 1002, check);
        DDX_Radio(pDX, 1003, radio);
        DDX_CBIndex(pDX, 1007, combo);
        DDX_CBString(pDX, 1007, combo_text);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        seen.push_back("init");
        if (end_with >= 0)
            EndDialog(end_with);
        return init_answer;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        window_proc_messages.push_back(message);
        if (swallow_ok && message == WM_COMMAND && LOWORD(wParam) == IDOK)
            return 0;
        return CDialog::WindowProc(message, wParam, lParam);
    }
    afx_msg void OnTimer(UINT_PTR id) { seen.push_back("timer " + std::to_string(id)); }
    afx_msg LRESULT OnPrivate(WPARAM w, LPARAM) { seen.push_back("private " + std::to_string(w)); return 42; }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM) { seen.push_back("registered"); return 7; }
    afx_msg void OnRange(UINT id) { range_ids.push_back(id); }
    afx_msg void OnEditChange() { seen.push_back("parent change"); }
    afx_msg void OnEditClick() { seen.push_back("parent click"); }
    afx_msg void OnNotifyRange(UINT id, NMHDR*, LRESULT* result)
    {
        seen.push_back("notify " + std::to_string(id));
        *result = 9;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
ON_WM_TIMER()
ON_MESSAGE(WM_PRIVATE, OnPrivate)
ON_REGISTERED_MESSAGE(registered_message, OnRegistered)
ON_COMMAND_RANGE(5000, 5010, OnRange)
ON_EN_CHANGE(1000, OnEditChange)
ON_BN_CLICKED(1000, OnEditClick)
ON_NOTIFY_RANGE(static_cast<UINT>(-2), 1000, 1010, OnNotifyRange)
END_MESSAGE_MAP()

}

// A dialog whose own message shares its number with DM_SETDEFID.
class OwnMessageDialog : public CDialog {
public:
    OwnMessageDialog() : CDialog(100) { }
    int own {};

protected:
    afx_msg LRESULT OnOwn(WPARAM, LPARAM) { return ++own, 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnMessageDialog, CDialog)
ON_MESSAGE(WM_USER + 1, OnOwn)
END_MESSAGE_MAP()

using DialogTest = FrameworkTest;

TEST_F(DialogTest, TheMessageMapSeesMessagesSharingTheDefaultButtonsNumbers)
{
    OwnMessageDialog own;
    ASSERT_TRUE(own.Create(100, nullptr));
    own.SendMessage(WM_USER + 1, 0, 0);
    EXPECT_EQ(own.own, 1);
    own.DestroyWindow();
    TestDialog plain;
    ASSERT_TRUE(plain.Create(100, nullptr));
    plain.SendMessage(DM_SETDEFID, 1001, 0);
    EXPECT_EQ(LOWORD(plain.SendMessage(DM_GETDEFID, 0, 0)), 1001);
    plain.DestroyWindow();
}

TEST_F(DialogTest, MessageMapRoutesMessagesRangesAndReflection)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(100, nullptr));
    EXPECT_EQ(dlg.edit.presubclassed, 1);

    dlg.SetTimer(3, 100, nullptr);
    platform::testing::advance(100);
    dlg.KillTimer(3);
    EXPECT_EQ(dlg.SendMessage(WM_PRIVATE, 8, 0), 42);
    EXPECT_EQ(dlg.SendMessage(registered_message, 0, 0), 7);
    dlg.SendMessage(WM_COMMAND, 5000, 0);
    dlg.SendMessage(WM_COMMAND, 5010, 0);
    dlg.SendMessage(WM_COMMAND, 5011, 0);
    EXPECT_EQ(dlg.range_ids, (std::vector<UINT> { 5000, 5010 }));

    // BN_CLICKED: the control's plain reflected entry consumes it. EN_CHANGE: the _EX entry
    // answers FALSE, so the parent sees it too.
    HWND const edit = dlg.edit.m_hWnd;
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), reinterpret_cast<LPARAM>(edit));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1000, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(dlg.edit.clicks, 1);
    EXPECT_EQ(dlg.edit.changes, 1);

    NMHDR header { edit, 1000, static_cast<UINT>(-2) };
    EXPECT_EQ(dlg.SendMessage(WM_NOTIFY, 1000, reinterpret_cast<LPARAM>(&header)), 9);

    std::vector<std::string> const expected { "init", "timer 3", "private 8", "registered", "parent change", "notify 1000" };
    EXPECT_EQ(dlg.seen, expected);
    // The WindowProc override saw each of them before the map did.
    EXPECT_NE(std::find(dlg.window_proc_messages.begin(), dlg.window_proc_messages.end(), registered_message), dlg.window_proc_messages.end());
    EXPECT_NE(std::find(dlg.window_proc_messages.begin(), dlg.window_proc_messages.end(), WM_INITDIALOG), dlg.window_proc_messages.end());
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.edit.m_hWnd, nullptr);
}

// A trackbar or scroll bar names itself in lParam: its object hears the notification whether
// or not the parent handles scrolling; a window's own bars (null lParam) reflect nothing.
TEST_F(DialogTest, ScrollNotificationsAreReflectedToTheControlNamedInLParam)
{
    ScrollingParent parent;
    ReflectingBar bar;
    parent.seen = &bar.seen;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    HWND const child = CreateWindowEx(0, "FakeEdit", "", WS_CHILD, 0, 0, 50, 20, parent.m_hWnd, nullptr, nullptr, nullptr);
    HWND const plain = CreateWindowEx(0, "FakeEdit", "", WS_CHILD, 0, 30, 50, 20, parent.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_TRUE(bar.SubclassWindow(child));

    auto const from = [](HWND control) { return reinterpret_cast<LPARAM>(control); };
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), from(child));
    parent.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), from(child));
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGELEFT, 0), 0);
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGELEFT, 0), from(plain));
    parent.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    std::vector<std::string> const expected { "bar h " + std::to_string(SB_LINERIGHT),
        "parent v " + std::to_string(SB_THUMBTRACK), "bar v " + std::to_string(SB_THUMBTRACK),
        "parent v " + std::to_string(SB_LINEUP) };
    EXPECT_EQ(bar.seen, expected);
    parent.DestroyWindow();
}

TEST_F(DialogTest, DataExchangeRoundTripsEveryKind)
{
    TestDialog dlg;
    dlg.combo_text = "1";
    ASSERT_TRUE(dlg.Create(100, nullptr));
    // Loaded by OnInitDialog: template init strings, then the members.
    EXPECT_EQ(dlg.GetDlgItem(1000)->SendMessage(EM_GETLIMITTEXT), 8);
    CString text;
    dlg.GetDlgItemText(1001, text);
    EXPECT_EQ(text, "5");
    EXPECT_EQ(dlg.IsDlgButtonChecked(1002), 1u);
    EXPECT_EQ(dlg.IsDlgButtonChecked(1006), 1u);
    EXPECT_EQ(dlg.SendDlgItemMessage(1007, CB_GETCOUNT), 3);
    // DDX_CBString ran after DDX_CBIndex and selected "1".
    EXPECT_EQ(dlg.SendDlgItemMessage(1007, CB_GETCURSEL), 1);

    dlg.SetDlgItemText(1000, "changed");
    dlg.SetDlgItemText(1001, " -12 ");
    dlg.CheckDlgButton(1002, 0);
    dlg.CheckRadioButton(1003, 1006, 1004);
    dlg.SendDlgItemMessage(1007, CB_SETCURSEL, 2);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.text, "changed");
    EXPECT_EQ(dlg.number, -12);
    EXPECT_EQ(dlg.check, 0);
    EXPECT_EQ(dlg.radio, 1);
    EXPECT_EQ(dlg.combo, 2);
    EXPECT_EQ(dlg.combo_text, "2");

    // A refused integer: the framework's box is shown, the old value stays, UpdateData fails.
    dlg.SetDlgItemText(1001, "12abc");
    answer_next_modal(IDOK);
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.number, -12);
    ASSERT_EQ(platform::framework::message_box_log().size(), 1u);
    EXPECT_EQ(platform::framework::message_box_log()[0].text, "Please enter an integer.");
    EXPECT_EQ(GetFocus(), dlg.GetDlgItem(1001)->m_hWnd);

    // Too long for DDV_MaxChars: refused before the number is read.
    dlg.SetDlgItemText(1000, "123456789");
    dlg.SetDlgItemText(1001, "4");
    answer_next_modal(IDOK);
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.number, -12);
    dlg.DestroyWindow();
}

TEST_F(DialogTest, DoModalAnswersTheFirstEndDialogValue)
{
    struct Case {
        char const* name;
        int command;
        int expected;
    };
    Case const cases[] = { { "OK button", IDOK, IDOK }, { "Cancel", IDCANCEL, IDCANCEL }, { "private end", 77, 77 } };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        TestDialog dlg;
        platform::user::set_modal_hook([&](HWND hwnd) {
            if (c.command == 77) {
                dlg.EndDialog(77);
                dlg.EndDialog(2);
            } else {
                PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c.command), BN_CLICKED), 0);
            }
        });
        EXPECT_EQ(dlg.DoModal(), c.expected);
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
    TestDialog ended_in_init;
    ended_in_init.end_with = 5;
    EXPECT_EQ(ended_in_init.DoModal(), 5);
    TestDialog closed;
    platform::user::set_modal_hook([](HWND hwnd) { PostMessage(hwnd, WM_CLOSE, 0, 0); });
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, ModelessOkHidesAndFalseFromInitAborts)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(100, nullptr));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetDlgItemText(1000, "taken");
    press(dlg.GetDlgItem(1001)->m_hWnd, VK_RETURN);
    EXPECT_TRUE(IsWindow(dlg.m_hWnd));
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_EQ(dlg.text, "taken");
    dlg.DestroyWindow();

    TestDialog refused;
    refused.init_answer = FALSE;
    EXPECT_FALSE(refused.Create(100, nullptr));
    EXPECT_EQ(refused.m_hWnd, nullptr);

    TestDialog swallowing;
    swallowing.swallow_ok = true;
    ASSERT_TRUE(swallowing.Create(100, nullptr));
    swallowing.ShowWindow(SW_SHOW);
    press(swallowing.GetDlgItem(1000)->m_hWnd, VK_RETURN);
    EXPECT_TRUE(swallowing.IsWindowVisible());

    EXPECT_FALSE(TestDialog().Create(999, nullptr));
    CDialog missing_class;
    EXPECT_FALSE(missing_class.Create(102, nullptr));
}

TEST_F(DialogTest, KeyboardNavigationTable)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(100, nullptr));
    dlg.ShowWindow(SW_SHOW);
    auto item = [&](int id) { return GetDlgItem(dlg.m_hWnd, id); };
    struct Step {
        char const* name;
        int from;
        int key;
        bool shift;
        int focus;
    };
    // 1008 is hidden and 1005 disabled: both are skipped.
    Step const steps[] = {
        { "tab from first edit", 1000, VK_TAB, false, 1001 },
        { "tab to check box", 1001, VK_TAB, false, 1002 },
        { "tab into radio group", 1002, VK_TAB, false, 1003 },
        { "tab skips hidden edit", 1007, VK_TAB, false, 1 },
        { "tab wraps around", 2, VK_TAB, false, 1000 },
        { "shift tab wraps back", 1000, VK_TAB, true, 2 },
        { "arrow moves in group", 1003, VK_RIGHT, false, 1004 },
        { "arrow skips disabled", 1004, VK_DOWN, false, 1006 },
        { "arrow wraps in group", 1006, VK_RIGHT, false, 1003 },
        { "arrow back wraps", 1003, VK_LEFT, false, 1006 },
    };
    for (Step const& s : steps) {
        SCOPED_TRACE(s.name);
        SetFocus(item(s.from));
        platform::user::set_key_down(VK_SHIFT, s.shift, false);
        EXPECT_TRUE(press(item(s.from), s.key));
        EXPECT_EQ(GetFocus(), item(s.focus));
    }
    platform::user::set_key_down(VK_SHIFT, false, false);
    // Arrows onto a radio button click it.
    EXPECT_EQ(dlg.IsDlgButtonChecked(1003), 1u);
    dlg.DestroyWindow();
}

// A dialog opened after a mouse press hides its focus rectangles and access keys; Tab or an
// arrow key shows the focus from then on. One opened after a key press shows both.
TEST_F(DialogTest, KeyboardCuesHideUntilAKeyMovesTheFocus)
{
    auto cues = [](CDialog& dlg) { return dlg.SendMessage(WM_QUERYUISTATE, 0, 0); };
    platform::user::input::press_mouse(platform::user::input::MouseButton::Left);
    platform::user::input::release_mouse(platform::user::input::MouseButton::Left);
    platform::testing::pump_until_idle();
    {
        TestDialog dlg;
        ASSERT_TRUE(dlg.Create(100, nullptr));
        EXPECT_EQ(cues(dlg), UISF_HIDEFOCUS | UISF_HIDEACCEL);
        EXPECT_EQ(::SendMessage(GetDlgItem(dlg.m_hWnd, 1), WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS | UISF_HIDEACCEL);
        ::SetFocus(GetDlgItem(dlg.m_hWnd, 1003));
        EXPECT_TRUE(press(GetDlgItem(dlg.m_hWnd, 1003), VK_RIGHT));
        EXPECT_EQ(cues(dlg), UISF_HIDEACCEL) << "an arrow shows the focus";
        EXPECT_EQ(::SendMessage(GetDlgItem(dlg.m_hWnd, 1), WM_QUERYUISTATE, 0, 0), UISF_HIDEACCEL);
        dlg.DestroyWindow();
    }
    {
        TestDialog dlg;
        ASSERT_TRUE(dlg.Create(100, nullptr));
        EXPECT_TRUE(press(GetDlgItem(dlg.m_hWnd, 1000), VK_TAB));
        EXPECT_EQ(cues(dlg), UISF_HIDEACCEL) << "so does Tab";
        dlg.DestroyWindow();
    }
    platform::user::input::press_key(VK_RETURN);
    platform::user::input::release_key(VK_RETURN);
    platform::testing::pump_until_idle();
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(100, nullptr));
    EXPECT_EQ(cues(dlg), 0);
    dlg.DestroyWindow();
    platform::user::input::reset();
}
