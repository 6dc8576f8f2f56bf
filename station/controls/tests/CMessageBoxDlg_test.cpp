#include "DialogsFixture.h"

#include "station/controls/CMessageBoxDlg.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"

#include <functional>

class MessageBoxDlgTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        saved_ok = G_UiStr.IDS_OK;
        G_UiStr.IDS_OK = "Okay";
    }
    void TearDown() override
    {
        G_UiStr.IDS_OK = saved_ok;
        SetMessageBoxHandler(nullptr);
        DialogsTest::TearDown();
    }

    // Runs `act` on the dialog once its modal loop starts, after noting what it shows.
    void when_shown(std::function<void(HWND)> act)
    {
        platform::user::set_modal_hook([this, act](HWND dlg) {
            shown_message = text_of(GetDlgItem(dlg, CMessageBoxDlg::kMessageId));
            shown_ok = text_of(GetDlgItem(dlg, IDOK));
            shown_caption = text_of(dlg);
            act(dlg);
        });
    }

    std::string saved_ok;
    std::string shown_message;
    std::string shown_ok;
    std::string shown_caption;
};

TEST_F(MessageBoxDlgTest, ShowsTheMessageAndTheTableCaptionOfOk)
{
    when_shown([](HWND dlg) { PostMessage(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0); });
    CMessageBoxDlg dlg(&parent);
    dlg.m_strMessage = "The adapter was removed.";
    // OK ends with 1; the 2 set while the window is destroyed afterwards does not replace it.
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(shown_message, "The adapter was removed.");
    EXPECT_EQ(shown_ok, "Okay");
    EXPECT_EQ(shown_caption, "Pelka");
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(MessageBoxDlgTest, ClosingAnyOtherWayAnswersTwo)
{
    struct Case {
        char const* name;
        std::function<void(HWND)> act;
    };
    Case const cases[] = {
        { "close box", [](HWND dlg) { PostMessage(dlg, WM_CLOSE, 0, 0); } },
        { "Escape", [](HWND dlg) { PostMessage(dlg, WM_COMMAND, IDCANCEL, 0); } },
        { "destroyed", [](HWND dlg) { DestroyWindow(dlg); } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        when_shown(c.act);
        CMessageBoxDlg dlg(&parent);
        EXPECT_EQ(dlg.DoModal(), 2);
    }
}

TEST_F(MessageBoxDlgTest, EmptyOkTextStillWorks)
{
    G_UiStr.IDS_OK.clear();
    when_shown([](HWND dlg) { PostMessage(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0); });
    CMessageBoxDlg dlg(&parent);
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(shown_ok, "");
}

// A text longer than the static's two lines is cut by the static; the dialog keeps its size.
TEST_F(MessageBoxDlgTest, LongMessageDoesNotGrowTheDialog)
{
    CRect sizes[2];
    int run = 0;
    for (std::string text : { std::string("short"), std::string(2000, 'w') }) {
        platform::user::set_modal_hook([&sizes, run](HWND dlg) {
            GetWindowRect(dlg, &sizes[run]);
            PostMessage(dlg, WM_CLOSE, 0, 0);
        });
        CMessageBoxDlg dlg(&parent);
        dlg.m_strMessage = text.c_str();
        dlg.DoModal();
        ++run;
    }
    EXPECT_EQ(sizes[0].Width(), sizes[1].Width());
    EXPECT_EQ(sizes[0].Height(), sizes[1].Height());
}

TEST_F(MessageBoxDlgTest, ShowMessageBoxShowsThisDialogOnceInstalled)
{
    CMessageBoxDlg::InstallAsMessageBox();
    when_shown([](HWND dlg) { PostMessage(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0); });
    EXPECT_EQ(ShowMessageBox("Must input Identity"), IDOK);
    EXPECT_EQ(shown_message, "Must input Identity");
}
