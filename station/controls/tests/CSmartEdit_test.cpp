#include "DialogsFixture.h"

#include "platform/controls/BarMessages.h"

#include "station/controls/CInfoWnd.h"
#include "station/controls/CLinkSlider.h"
#include "station/controls/CSmartEdit.h"

using platform::user::beep_count;
using platform::user::input::tap_key;

class SmartEditTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        ASSERT_TRUE(edit.SubclassWindow(make("Edit", "", ES_AUTOHSCROLL | WS_BORDER, 800, { 10, 10, 110, 30 })));
        ASSERT_TRUE(slider.SubclassWindow(make(TRACKBAR_CLASS, "", 0, 801, { 10, 40, 210, 70 })));
        ASSERT_TRUE(vertical.SubclassWindow(make(TRACKBAR_CLASS, "", TBS_VERT, 802, { 220, 40, 250, 240 })));
    }

    // Sends each character as a typed one.
    void type(std::string const& text)
    {
        for (char ch : text)
            edit.SendMessage(WM_CHAR, static_cast<BYTE>(ch), 1);
    }
    void scroll(CWnd& bar, UINT message, WORD code, WORD position = 0)
    {
        parent.SendMessage(message, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(bar.m_hWnd));
    }

    CSmartEdit edit;
    CLinkSlider slider;
    CLinkSlider vertical;
};

TEST_F(SmartEditTest, CharacterClasses)
{
    struct Case {
        UINT ch;
        WORD classes;
    };
    Case const cases[] = { { '\b', 0xFFFF }, { 22, 0xFFFF }, { '0', 0x55 }, { '9', 0x55 }, { 'E', 0x46 }, { 'e', 0x46 },
        { 'A', 0x42 }, { 'f', 0x42 }, { 'g', 0x02 }, { 'Z', 0x02 }, { '-', 0x14 }, { '.', 0x04 }, { '_', 0x28 },
        { ' ', 0x08 }, { '+', 0x08 }, { '/', 0x08 } };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.ch);
        EXPECT_EQ(CSmartEdit::char_classes(c.ch), c.classes);
    }
}

TEST_F(SmartEditTest, MaskFiltersTypedCharactersWithABeep)
{
    struct Case {
        char const* name;
        WORD mask;
        char const* typed;
        char const* shown;
        int beeps;
    };
    Case const cases[] = {
        { "digits", 0x01, "1-a 2", "12", 3 },
        { "signed digits", 0x11, "-12e", "-12", 1 },
        { "hexadecimal", 0x40, "0aF-g9", "0aF9", 2 },
        { "decimal number", 0x04, "-1.5e3x", "-1.5e3", 1 },
        { "everything", 0xFFFF, "a-_ 1", "a-_ 1", 0 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        edit.SetWindowText("");
        platform::user::reset_beep_count();
        EXPECT_EQ(edit.SetAcceptedClasses(c.mask), c.mask);
        type(c.typed);
        EXPECT_EQ(text_of(edit.m_hWnd), c.shown);
        EXPECT_EQ(beep_count(), c.beeps);
    }
}

// Control characters always pass; pasted text and WM_SETTEXT are not filtered.
TEST_F(SmartEditTest, BackspaceAndPastePassUnfiltered)
{
    edit.SetAcceptedClasses(CSmartEdit::kDigits);
    type("123\b");
    EXPECT_EQ(text_of(edit.m_hWnd), "12");
    platform::user::set_clipboard_text("x-y");
    edit.SendMessage(WM_CHAR, 22, 1);
    EXPECT_EQ(text_of(edit.m_hWnd), "12x-y");
    edit.SetWindowText("abc");
    EXPECT_EQ(text_of(edit.m_hWnd), "abc");
    EXPECT_EQ(beep_count(), 0);
}

TEST_F(SmartEditTest, RangeSetsTheClassesAndTheLinkedSlider)
{
    edit.AttachSlider(&parent, 801);
    ASSERT_EQ(edit.slider(), &slider);
    EXPECT_TRUE(edit.SetRange(-10, 40, 2, 7));
    EXPECT_EQ(edit.accepted_classes(), CSmartEdit::kSignedDigits);
    EXPECT_EQ(slider.buddy(), &edit);
    EXPECT_EQ(slider.SendMessage(TBM_GETRANGEMIN), -10);
    EXPECT_EQ(slider.SendMessage(TBM_GETRANGEMAX), 40);
    EXPECT_EQ(slider.SendMessage(TBM_GETLINESIZE), 2);
    EXPECT_EQ(slider.SendMessage(TBM_GETPAGESIZE), 7);
    edit.SetRange(0, 100, 1, 10);
    EXPECT_EQ(edit.accepted_classes(), CSmartEdit::kDigits);
}

TEST_F(SmartEditTest, AWindowWithoutSliderObjectIsNotLinked)
{
    HWND plain = make(TRACKBAR_CLASS, "", 0, 803, { 10, 80, 210, 110 });
    ASSERT_NE(plain, nullptr);
    edit.AttachSlider(&parent, 803);
    EXPECT_EQ(edit.slider(), nullptr);
    EXPECT_TRUE(edit.SetRange(0, 5, 1, 1));
}

TEST_F(SmartEditTest, SetValueAndClampValue)
{
    edit.SetRange(0, 100, 1, 10);
    EXPECT_EQ(edit.SetValue(42), 1);
    EXPECT_EQ(text_of(edit.m_hWnd), "42");
    edit.SetWindowText("17");
    EXPECT_EQ(edit.SetValue(42), 0) << "the value shown last, even after typing";
    EXPECT_EQ(text_of(edit.m_hWnd), "17");

    EXPECT_FALSE(edit.ClampValue(101));
    EXPECT_FALSE(edit.ClampValue(-1));
    EXPECT_EQ(text_of(edit.m_hWnd), "17");
    EXPECT_TRUE(edit.ClampValue(100));
    EXPECT_EQ(text_of(edit.m_hWnd), "100");
    EXPECT_EQ(edit.value(), 42) << "ClampValue does not store";
}

TEST_F(SmartEditTest, SliderCodesMoveTheEdit)
{
    edit.AttachSlider(&parent, 801);
    edit.SetRange(0, 100, 5, 20);
    slider.SendMessage(TBM_SETPOS, TRUE, 50);
    struct Step {
        char const* name;
        WORD code;
        WORD position;
        int slider_position;
        char const* shown;
    };
    // The slider's own position counts for steps, the message's for a drag.
    Step const steps[] = {
        { "line right", SB_LINERIGHT, 0, 55, "55" },
        { "page left", SB_PAGELEFT, 0, 35, "35" },
        { "thumb drag", SB_THUMBTRACK, 80, 80, "80" },
        { "drag on", SB_THUMBTRACK, 12, 12, "12" },
        { "thumb released", SB_THUMBPOSITION, 90, 90, "12" },
        { "home", SB_LEFT, 0, 0, "12" },
        { "end of move", SB_ENDSCROLL, 0, 60, "12" },
        { "line left", SB_LINELEFT, 0, 59, "59" },
    };
    for (Step const& s : steps) {
        SCOPED_TRACE(s.name);
        slider.SendMessage(TBM_SETPOS, TRUE, s.slider_position);
        scroll(slider, WM_HSCROLL, s.code, s.position);
        EXPECT_EQ(text_of(edit.m_hWnd), s.shown);
    }
    EXPECT_EQ(slider.last_position(), 59);
}

TEST_F(SmartEditTest, KeysOnTheSliderMoveTheEditExceptHomeAndEnd)
{
    edit.AttachSlider(&parent, 801);
    edit.SetRange(0, 100, 1, 10);
    slider.SetFocus();
    tap_key(VK_RIGHT);
    pump();
    EXPECT_EQ(text_of(edit.m_hWnd), "1");
    tap_key(VK_NEXT);
    pump();
    EXPECT_EQ(text_of(edit.m_hWnd), "11");
    tap_key(VK_END);
    pump();
    EXPECT_EQ(slider.SendMessage(TBM_GETPOS), 100);
    EXPECT_EQ(text_of(edit.m_hWnd), "11");
}

TEST_F(SmartEditTest, VerticalSliderUpdatesOnVerticalScroll)
{
    edit.AttachSlider(&parent, 802);
    edit.SetRange(0, 100, 1, 10);
    EXPECT_TRUE(vertical.is_vertical());
    vertical.SendMessage(TBM_SETPOS, TRUE, 30);
    scroll(vertical, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(text_of(edit.m_hWnd), "30");
}

TEST_F(SmartEditTest, OwnsAHintUnderTheEditsParent)
{
    CInfoWnd* hint = edit.info_window();
    ASSERT_NE(hint, nullptr);
    ASSERT_NE(hint->m_hWnd, nullptr);
    EXPECT_EQ(::GetParent(hint->m_hWnd), parent.m_hWnd);
    char name[32] {};
    GetClassName(hint->m_hWnd, name, sizeof name);
    EXPECT_STREQ(name, "ST_InfoWnd");
    EXPECT_FALSE(hint->IsWindowVisible());
}

// A handler that destroys the edit while the slider still points at it: the slider's next
// notification must not reach the dead edit.
TEST_F(SmartEditTest, DestroyedEditLeavesNoDanglingHint)
{
    auto other = std::make_unique<CSmartEdit>();
    ASSERT_TRUE(other->SubclassWindow(make("Edit", "", 0, 804, { 10, 120, 110, 140 })));
    HWND hint = other->info_window()->m_hWnd;
    other.reset();
    EXPECT_FALSE(IsWindow(hint));
}
