// The station utility's start-up, tray and exit, run in this process against the simulated
// world, headless, with the manual clock.
#include "AppHarness.h"
#include "station/core/tests/LibraryRecorder.h"

#include "platform/controls/common/Menu.h"
#include "platform/display/Presenter.h"
#include "platform/system/Kernel.h"
#include "platform/system/ProcessTable.h"
#include "platform/user/InputDriver.h"
#include "station/app/ShowUIEvent.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CInvalidIDPW.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"

#include <cstring>
#include <unistd.h>

using station::testing::AppHarness;
using station::testing::LibraryRecorder;
using platform::system::TrayModel;

namespace {

bool window_open(CHideDlg const& dialog)
{
    return dialog.m_pVxUI && dialog.m_pVxUI->m_hWnd && dialog.m_pVxUI->IsWindowVisible();
}

std::string adapter_section(std::string const& id, std::string const& name)
{
    return "\n[adapter:" + id + "]\nname = " + name + "\ndescription = Card " + id + "\nhardware_id = HW\\" + id
        + "\nlocation = Port " + id + "\nmac = 00:1A:2B:3C:4D:" + id.substr(id.size() - 2) + "\nkind = 5\ninit_delay_ms = 0\n";
}

std::string world_header(int os = 12) { return "[world]\nos = " + std::to_string(os) + "\nadmin = 1\nap_mode = 1\n"; }

}

TEST(CommandLine, OnlyTheWholeTextSwitchesToTrayOnly)
{
    struct Case {
        std::vector<const char*> args;
        bool tray_only;
    };
    std::vector<Case> const cases = {
        { { "-s" }, true }, { { "-S" }, true }, { { " -s" }, false }, { { "-s", "x" }, false },
        { { "-s x" }, false }, { { "/s" }, false }, { {}, false }, { { "-sx" }, false },
    };
    for (auto const& c : cases) {
        std::vector<char*> argv { const_cast<char*>("Zorvel") };
        for (auto* a : c.args)
            argv.push_back(const_cast<char*>(a));
        CString const line = afx_join_command_line(int(argv.size()), argv.data());
        SCOPED_TRACE(line.GetString());
        EXPECT_EQ(CVxUI2008App::IsTrayOnlyCommandLine(line), c.tray_only);
    }
}

TEST_F(AppHarness, StartsWithTheTrayIconAndOpensTheWindow)
{
    bool ran = false;
    on_running([&](CHideDlg& dialog) {
        ran = true;
        auto icon = tray_icon();
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon->owner, dialog.m_hWnd);
        EXPECT_EQ(icon->id, TRAY_ICON_ID);
        EXPECT_EQ(icon->callback_message, WM_TRAY_NOTIFY);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_LOST);
        EXPECT_TRUE(window_open(dialog));
        // The modal run shows the dialog and paints it at once; that first paint hides it.
        EXPECT_FALSE(dialog.IsWindowVisible());
        EXPECT_EQ(g_pHideDlg, &dialog);
        platform::testing::advance(1000);
        EXPECT_TRUE(dialog.m_bDeviceExist);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_LOST);
        EXPECT_EQ(tray_icon()->tip, G_UiStr.IDS_VEXLOR_LOST);
    });
    EXPECT_FALSE(run());
    EXPECT_TRUE(ran);
    EXPECT_TRUE(TrayModel::the().icons().empty());
    EXPECT_EQ(g_pHideDlg, nullptr);
    EXPECT_EQ(G_VxWlLib.hModule, nullptr);
}

// The hidden dialog is the program's main window and never shows: the modal run paints it as
// it shows it, and that paint hides it before any presenter hears of it.
TEST_F(AppHarness, TheHiddenDialogNeverReachesThePresenter)
{
    class Watching final : public platform::display::Presenter {
    public:
        std::vector<std::string> seen;
        std::string_view name() const override { return "watching"; }
        void damaged(HWND top, RECT const&) override { note(top, "damaged"); }
        void window_shown(HWND hwnd, bool visible) override { note(hwnd, visible ? "shown" : "hidden"); }
        void window_moved(HWND hwnd) override { note(hwnd, "moved"); }

    private:
        void note(HWND hwnd, char const* what)
        {
            if (title_of(hwnd) == HIDE_DLG_TITLE && ::IsWindowVisible(hwnd))
                seen.emplace_back(what);
        }
    };
    auto presenter = std::make_unique<Watching>();
    Watching const* watching = presenter.get();
    platform::display::install_presenter(std::move(presenter));
    struct Uninstall {
        ~Uninstall() { platform::display::install_presenter(nullptr); }
    } uninstall;
    bool opened = false;
    on_running([&](CHideDlg& dialog) {
        EXPECT_FALSE(dialog.IsWindowVisible());
        opened = window_open(dialog);
        platform::testing::advance(1000);
    });
    run();
    EXPECT_TRUE(opened) << "the configuration window showed meanwhile";
    EXPECT_EQ(watching->seen, std::vector<std::string> {});
}

TEST_F(AppHarness, ReportsToTheUserGoThroughTheProgramsMessageDialog)
{
    std::string shown;
    on_dialog("Pelka", [&](HWND box) {
        char text[128] {};
        ::GetDlgItemText(box, CMessageBoxDlg::kMessageId, text, sizeof text);
        shown = text;
        ::PostMessage(box, WM_COMMAND, IDOK, 0);
    });
    on_running([&](CHideDlg&) { EXPECT_EQ(ShowMessageBox("Must input Identity"), IDOK); });
    run({ "-s" });
    EXPECT_EQ(shown, "Must input Identity");
}

TEST_F(AppHarness, TheIdentityRePromptWritesTheHiddenDialogsReconnectFlag)
{
    on_running([&](CHideDlg& dialog) {
        EXPECT_EQ(G_bReConnect, TRUE);
        CInvalidIDPW prompt;
        ASSERT_TRUE(prompt.Create(CInvalidIDPW::IDD, &dialog));
        prompt.SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_EQ(G_bReConnect, FALSE);
        prompt.DestroyWindow();
        G_bReConnect = TRUE;
    });
    run({ "-s" });
}

TEST_F(AppHarness, TrayOnlyStartOpensNoWindowUntilLaunched)
{
    on_running([&](CHideDlg& dialog) {
        EXPECT_EQ(dialog.m_pVxUI, nullptr);
        platform::testing::advance(1000);
        dialog.SendMessage(WM_COMMAND, ID_TRAY_LAUNCH);
        EXPECT_TRUE(window_open(dialog));
    });
    run({ "-s" });
}

TEST_F(AppHarness, DoubleClickOpensTheWindowOnlyWithAnAdapter)
{
    on_running([&](CHideDlg& dialog) {
        TrayModel::the().click(dialog.m_hWnd, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
        platform::testing::pump_until_idle();
        EXPECT_TRUE(window_open(dialog));
        // Closing hides the window; a second double click shows the same one again.
        CVxUI2008Dlg* const first = dialog.m_pVxUI;
        first->SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_FALSE(window_open(dialog));
        TrayModel::the().click(dialog.m_hWnd, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
        platform::testing::pump_until_idle();
        EXPECT_TRUE(window_open(dialog));
        EXPECT_EQ(dialog.m_pVxUI, first);
    });
    run({ "-s" });
}

// The adapter is pulled while the program runs. (A world with no adapter at all trips the
// library stand-in's own undefined-behaviour check, so the library is told to report none.)
TEST_F(AppHarness, WithoutAnAdapterTheIconSaysSoAndNothingOpens)
{
    on_running([&](CHideDlg& dialog) {
        G_VxWlLib.VXWL_IsDeviceExist.bind([](AdapterEntry*) { return 0; });
        platform::testing::advance(1000);
        EXPECT_FALSE(dialog.m_bDeviceExist);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_NOTEXIST);
        EXPECT_EQ(tray_icon()->tip, G_UiStr.IDS_VEXLOR_NOTEXIST);
        EXPECT_EQ(tray_icon()->icon, dialog.tray_icon_handle(IDI_NOTEXIST));
        TrayModel::the().click(dialog.m_hWnd, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
        platform::testing::pump_until_idle();
        dialog.SendMessage(WM_COMMAND, ID_TRAY_LAUNCH);
        EXPECT_EQ(dialog.m_pVxUI, nullptr);
    });
    run({ "-s" });
}

TEST_F(AppHarness, ALibraryThatCannotLoadIsNamedAndEndsTheProgram)
{
    remove("VxWLAPI.so");
    bool boxed = false;
    on_dialog("Load dll fail", [&](HWND box) {
        boxed = true;
        ::PostMessage(box, WM_COMMAND, IDOK, 0);
    });
    bool ran = false;
    on_running([&](CHideDlg&) { ran = true; });
    testing::internal::CaptureStderr();
    EXPECT_FALSE(run());
    std::string const said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(boxed);
    EXPECT_FALSE(ran);
    auto const& log = platform::framework::message_box_log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].caption, "Load dll fail");
    // The file looked for, as the platform maps the name, and the loader's reason.
    EXPECT_EQ(log[0].text, folder() + "/VxWLAPI.so");
    EXPECT_NE(said.find("cannot read " + folder() + "/VxWLAPI.so: cannot open shared object file: No such file or directory"),
        std::string::npos) << said;
    EXPECT_TRUE(TrayModel::the().icons().empty());
}

TEST_F(AppHarness, StartUpWaitsForTheDriverAtMostFiveSeconds)
{
    struct Case {
        int delay_ms;
        std::uint64_t waited_ms;
    };
    for (auto const c : { Case { 0, 0 }, Case { 3000, 3000 }, Case { 100000, 5000 } }) {
        SCOPED_TRACE(c.delay_ms);
        std::string text = station::testing::kOneAdapterWorld;
        text.replace(text.find("init_delay_ms = 0"), 17, "init_delay_ms = " + std::to_string(c.delay_ms));
        world(text);
        std::uint64_t const start = platform::clock().now_ms();
        on_running([&](CHideDlg& dialog) {
            EXPECT_EQ(platform::clock().now_ms() - start, c.waited_ms);
            // The card was initialised: the configuration window is open.
            EXPECT_TRUE(window_open(dialog));
        });
        run();
    }
}

TEST_F(AppHarness, LowDesktopMakesTheHiddenWindowAToolWindow)
{
    for (int height : { 600, 659, 660, 768 }) {
        SCOPED_TRACE(height);
        platform::user::set_desktop_size(800, height);
        on_running([&](CHideDlg& dialog) {
            bool const low = height < 660;
            EXPECT_EQ(G_bHideTabIcon, low ? TRUE : FALSE);
            EXPECT_EQ(::GetWindowLong(dialog.m_hWnd, GWL_EXSTYLE) == LONG(WS_EX_TOOLWINDOW), low);
        });
        run({ "-s" });
    }
}

TEST_F(AppHarness, SeveralAdaptersAreChosenInTheSelectionDialog)
{
    world(world_header() + adapter_section("a01", "First") + adapter_section("a02", "Second")
        + adapter_section("a03", "Third"));
    std::vector<std::string> listed;
    std::string shown_first;
    on_dialog("Select a Wireless LAN card", [&](HWND dialog) {
        HWND const combo = ::GetDlgItem(dialog, 1244);
        // The names sit in the one 200-pixel column of the owner-drawn multi-column box.
        auto* super = dynamic_cast<CComboBoxSuper*>(CWnd::FromHandlePermanent(combo));
        ASSERT_NE(super, nullptr);
        EXPECT_EQ(super->column_count(), 1);
        EXPECT_EQ(super->column_width(0), 200);
        LONG const owner_drawn = CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
        EXPECT_EQ(::GetWindowLong(combo, GWL_STYLE) & owner_drawn, owner_drawn);
        int const count = int(::SendMessage(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[128] {};
            ::SendMessage(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
            listed.emplace_back(text);
        }
        char name[128] {};
        ::GetDlgItemText(dialog, 1245, name, sizeof name);
        shown_first = name;
        ::SendMessage(combo, CB_SETCURSEL, 2, 0);
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1244, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        char hardware[128] {};
        ::GetDlgItemText(dialog, 1247, hardware, sizeof hardware);
        EXPECT_STREQ(hardware, "HW\\a03");
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    std::string selected;
    on_running([&](CHideDlg&) { selected = G_VxWlLib.adapter.FriendlyName; });
    run({ "-s" });
    EXPECT_EQ(listed, (std::vector<std::string> { "First", "Second", "Third" }));
    EXPECT_EQ(shown_first, "First");
    EXPECT_EQ(selected, "Third");
}

TEST_F(AppHarness, EscapeInTheSelectionDialogKeepsTheFirstAdapter)
{
    world(world_header() + adapter_section("a01", "Same") + adapter_section("a02", "Same"));
    on_dialog("Select a Wireless LAN card", [&](HWND dialog) {
        HWND const combo = ::GetDlgItem(dialog, 1244);
        EXPECT_EQ(::SendMessage(combo, CB_GETCOUNT, 0, 0), 2);
        ::SendMessage(combo, CB_SETCURSEL, 1, 0);
        // The key takes the program's way: the framework's filter lets the dialog manager
        // turn it into IDCANCEL.
        ::SetFocus(combo);
        platform::user::input::tap_key(VK_ESCAPE);
        platform::testing::pump_until_idle();
        EXPECT_FALSE(::IsWindowVisible(dialog)) << "Escape left the dialog open";
        if (::IsWindowVisible(dialog))
            ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    std::string hardware;
    on_running([&](CHideDlg&) { hardware = G_VxWlLib.adapter.HardwareId; });
    run({ "-s" });
    EXPECT_EQ(hardware, "HW\\a01");
}

TEST_F(AppHarness, ExitAndTrayMenuWaitWhileTheSelectionDialogRuns)
{
    world(world_header() + adapter_section("a01", "First") + adapter_section("a02", "Second"));
    int menus = 0;
    platform::commctrl::set_menu_hook([&](platform::commctrl::OpenMenu& menu) {
        ++menus;
        menu.cancel();
    });
    on_dialog("Select a Wireless LAN card", [&](HWND dialog) {
        HWND const hidden = ::FindWindow(nullptr, HIDE_DLG_TITLE);
        ASSERT_NE(hidden, nullptr);
        ::SendMessage(hidden, WM_COMMAND, ID_TRAY_EXIT, 0);
        ::SendMessage(hidden, WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
        EXPECT_TRUE(::IsWindow(hidden));
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    bool ran = false;
    on_running([&](CHideDlg&) { ran = true; });
    run({ "-s" });
    platform::commctrl::set_menu_hook(nullptr);
    EXPECT_TRUE(ran);
    EXPECT_EQ(menus, 0);
}
