// The access point utility's start-up, tray, polling, sheet and exit, run in the test's process
// on the library stand-in with the manual clock.
#include "HotvaneAppHarness.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/common/Menu.h"
#include "platform/system/Kernel.h"
#include "accesspoint/pages/SheetModalGuard.h"

#include <algorithm>

using namespace hotvane;
using hotvane::testing::HotvaneAppHarness;
using hotvane::testing::ready_world;
using platform::system::TrayModel;

namespace {

constexpr char kThreeAdapters[] = "[world]\nos = 12\nadmin = 1\n"
                                  "[adapter:usb]\nname = USB Wireless\ndescription = Vexlor USB\nmac = 00:1A:2B:3C:4D:01\ninit_delay_ms = 0\n"
                                  "[adapter:pci]\nname = PCIe Wireless\ndescription = Vexlor PCIe\nmac = 00:1A:2B:3C:4D:02\ninit_delay_ms = 0\n"
                                  "[adapter:card]\nname = CardBus Wireless\ndescription = Vexlor CardBus\nmac = 00:1A:2B:3C:4D:03\ninit_delay_ms = 0\n";

std::string shown_friendly_name(std::vector<std::uint8_t> const& bytes)
{
    AdapterEntry entry {};
    std::memcpy(&entry, bytes.data(), std::min(bytes.size(), sizeof entry));
    return std::string(entry.FriendlyName, strnlen(entry.FriendlyName, sizeof entry.FriendlyName));
}

// The items of the tray menu a right click opens; the menu is cancelled.
std::vector<std::pair<UINT, std::string>> right_click(CHideDlg& dialog)
{
    std::vector<std::pair<UINT, std::string>> shown;
    platform::commctrl::set_menu_hook([&](platform::commctrl::OpenMenu& menu) {
        for (auto const& item : menu.items())
            shown.emplace_back(item.id, item.text);
        menu.cancel();
    });
    TrayModel::the().click(dialog.m_hWnd, TRAY_ICON_ID, WM_RBUTTONDOWN);
    platform::testing::pump_until_idle();
    platform::commctrl::set_menu_hook(nullptr);
    return shown;
}

}

TEST_F(HotvaneAppHarness, CommandLineChoosesTrayOnlyOrSheet)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        bool sheet;
    };
    Case const cases[] = {
        { "-s", { "-s" }, false }, { "-S", { "-S" }, false }, { "nothing", {}, true }, { "-x", { "-x" }, true },
        { "-s extra", { "-s", "extra" }, true }, { "blank before -s", { " -s" }, true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        bool sheet = false;
        on_running([&](CHideDlg& dialog) { sheet = dialog.sheet_open(); });
        EXPECT_FALSE(run(c.arguments));
        EXPECT_EQ(sheet, c.sheet);
    }
}

TEST_F(HotvaneAppHarness, MissingLibraryShowsItsPathAndCallsNothingAtExit)
{
    std::filesystem::remove(folder() + "/VxAPAPI.so");
    bool ran = false;
    on_running([&](CHideDlg&) { ran = true; });
    EXPECT_FALSE(run());
    EXPECT_FALSE(ran);
    ASSERT_EQ(platform::framework::message_box_log().size(), 1u);
    EXPECT_EQ(platform::framework::message_box_log()[0].caption, "Load dll fail");
    EXPECT_EQ(platform::framework::message_box_log()[0].text, folder() + "/VxAPAPI.so");
    EXPECT_EQ(count_calls("DeInitial"), 0);
    EXPECT_EQ(count_calls("DisableDhcpServer"), 0);
    EXPECT_FALSE(tray_icon());
}

TEST_F(HotvaneAppHarness, WithoutAdministratorRightsTheBoundLibraryIsShutDown)
{
    world(ready_world("admin = 0\n"));
    bool ran = false;
    on_running([&](CHideDlg&) { ran = true; });
    run();
    EXPECT_FALSE(ran);
    ASSERT_EQ(platform::framework::message_box_log().size(), 1u);
    EXPECT_EQ(platform::framework::message_box_log()[0].caption, "Hotvane");
    EXPECT_EQ(platform::framework::message_box_log()[0].text, "Soft AP user's account must have 'Administrator' privilege.");
    auto const names = call_names();
    auto const dhcp = std::find(names.begin(), names.end(), "DisableDhcpServer");
    auto const down = std::find(names.begin(), names.end(), "DeInitial");
    EXPECT_NE(dhcp, names.end());
    EXPECT_GT(down, dhcp);
    EXPECT_EQ(count_calls("AdapterSelect"), 0);
}

TEST_F(HotvaneAppHarness, NoAdapterShowsIcon136AndRefusesTheSheet)
{
    world("[world]\nos = 12\nadmin = 1\n");
    G_VxApApi.adapter = AdapterEntry {};
    std::strcpy(G_VxApApi.adapter.FriendlyName, "stale");
    std::strcpy(G_VxApApi.adapter.ServiceName, "stale");
    on_running([&](CHideDlg& dialog) {
        EXPECT_EQ(dialog.tray_icon_id(), IDI_AP_NOTEXIST);
        EXPECT_EQ(tray_icon()->tip, G_UiStr.IDS_VEXLOR_NOTEXIST);
        EXPECT_FALSE(dialog.sheet_open());
        // Each tick looks for the adapter again.
        clear_calls();
        advance(2000);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_AP_NOTEXIST);
    });
    run();
    EXPECT_STREQ(G_VxApApi.adapter.FriendlyName, "");
    EXPECT_STREQ(G_VxApApi.adapter.ServiceName, "");
    // The sheet asked for at start is refused with the hand icon.
    ASSERT_FALSE(platform::framework::message_box_log().empty());
    auto const& box = platform::framework::message_box_log()[0];
    EXPECT_EQ(box.text, G_UiStr.IDS_DRIVER_NOTOK);
    EXPECT_EQ(box.caption, G_UiStr.IDS_APCONFIGMSG);
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONHAND);
    EXPECT_EQ(count_calls("AdapterSelect"), 0);
}

TEST_F(HotvaneAppHarness, OneAdapterIsTakenSilently)
{
    on_running([&](CHideDlg& dialog) {
        EXPECT_EQ(dialog.tray_icon_id(), IDI_AP_LOST);
        EXPECT_EQ(tray_icon()->tip, G_UiStr.IDS_VEXLOR_LOST);
    });
    run({ "-s" });
    ASSERT_EQ(count_calls("AdapterSelect"), 1);
    EXPECT_STREQ(G_VxApApi.adapter.FriendlyName, "Wireless Network Connection");
}

TEST_F(HotvaneAppHarness, SeveralAdaptersAskTheUser)
{
    world(kThreeAdapters);
    struct Case {
        const char* name;
        std::function<void(HWND)> act;
        std::string chosen;
    };
    Case const cases[] = {
        { "index 2 and OK",
            [](HWND dlg) {
                HWND combo = GetDlgItem(dlg, 6094);
                SendMessage(combo, CB_SETCURSEL, 2, 0);
                SendMessage(dlg, WM_COMMAND, MAKEWPARAM(6094, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
                PostMessage(dlg, WM_COMMAND, IDOK, 0);
            },
            "CardBus Wireless" },
        { "Escape", [](HWND dlg) { PostMessage(dlg, WM_COMMAND, IDCANCEL, 0); }, "USB Wireless" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        clear_calls();
        on_dialog("Select wireless lan card", c.act);
        run({ "-s" });
        auto const all = calls();
        auto it = std::find_if(all.begin(), all.end(), [](auto const& call) { return call.name == "AdapterSelect"; });
        ASSERT_NE(it, all.end());
        EXPECT_EQ(shown_friendly_name(it->bytes), c.chosen);
    }
}

TEST_F(HotvaneAppHarness, DriverWaitAppliesTheConfigurationWhenReadyOrAtTheLimit)
{
    struct Case {
        const char* name;
        std::string world;
        std::string limit;
        unsigned applied_after_ms;
    };
    std::string slow = ready_world();
    slow.replace(slow.find("init_delay_ms = 0"), 17, "init_delay_ms = 3000");
    std::string never = ready_world();
    never.replace(never.find("init_delay_ms = 0"), 17, "init_delay_ms = 600000");
    Case const cases[] = {
        { "ready after 3 s", slow, "5", 3000 },
        { "never ready, limit 5", never, "5", 5000 },
        { "never ready, limit 0", never, "0", 1000 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        world(c.world);
        set_option("Advance", "WaitforDriverInitialized", c.limit);
        clear_calls();
        on_running([&](CHideDlg&) {
            EXPECT_EQ(count_calls("EnableDhcpServer"), 0);
            advance(c.applied_after_ms - 1000);
            EXPECT_EQ(count_calls("EnableDhcpServer"), 0);
            advance(1000);
            EXPECT_EQ(count_calls("EnableDhcpServer"), 1);
            auto const names = call_names();
            auto const set = std::find(names.begin(), names.end(), "SetConfigData");
            EXPECT_LT(set, std::find(names.begin(), names.end(), "EnableDhcpServer"));
            advance(3000);
            EXPECT_EQ(count_calls("EnableDhcpServer"), 1);
        });
        run({ "-s" });
    }
}

TEST_F(HotvaneAppHarness, TrayIconFollowsTheStationsSignal)
{
    on_running([&](CHideDlg& dialog) {
        wlansim("sta-leave phone");
        wlansim("sta-leave printer");
        struct Case {
            int dbm;
            UINT icon;
            std::string tip;
        };
        for (auto const& c : { Case { -64, IDI_AP_GOOD, G_UiStr.IDS_VEXLOR_GOOD }, Case { -65, IDI_AP_NORMAL, G_UiStr.IDS_VEXLOR_NORMAL },
                 Case { -79, IDI_AP_NORMAL, G_UiStr.IDS_VEXLOR_NORMAL }, Case { -80, IDI_AP_WEAK, G_UiStr.IDS_VEXLOR_WEAK } }) {
            SCOPED_TRACE(c.dbm);
            wlansim("sta-set laptop rssi=" + std::to_string(c.dbm));
            advance(2000);
            EXPECT_EQ(dialog.tray_icon_id(), c.icon);
            EXPECT_EQ(tray_icon()->tip, c.tip);
        }
    });
    run({ "-s" });
}

TEST_F(HotvaneAppHarness, RadioMessagesAndConnectComplete)
{
    on_running([&](CHideDlg& dialog) {
        advance(2000);
        EXPECT_NE(dialog.tray_icon_id(), IDI_AP_LOST);
        // Radio off: icon 133 and no event polling.
        G_aryEventLog.RemoveAll();
        wlansim("radio sw off");
        EXPECT_EQ(dialog.tray_icon_id(), IDI_AP_LOST);
        EXPECT_FALSE(dialog.m_bRadioOn);
        wlansim("sta-leave laptop");
        advance(4000);
        EXPECT_EQ(G_aryEventLog.GetSize(), 0);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_AP_LOST);
        // Radio on: the stored network name goes to the system's profile, whose completion
        // sends the key once.
        clear_calls();
        wlansim("radio sw on");
        EXPECT_TRUE(dialog.m_bRadioOn);
        EXPECT_EQ(count_calls("SetVistaWindowsProfile"), 1);
        EXPECT_EQ(count_calls("SetAuthSecuKey"), 1);
        auto const all = calls();
        auto profile = std::find_if(all.begin(), all.end(), [](auto const& c) { return c.name == "SetVistaWindowsProfile"; });
        ApConfigData stored {};
        G_VxApApi.VXAP_ReadConfigData(&stored);
        EXPECT_EQ(std::string(profile->bytes.begin(), profile->bytes.end()),
            std::string(reinterpret_cast<char const*>(stored.Ssid), stored.SsidLen));
        dialog.SendMessage(VXAP_MSG_CONNECT_COMPLETE);
        EXPECT_EQ(count_calls("SetAuthSecuKey"), 1);
    });
    run({ "-s" });
}

TEST_F(HotvaneAppHarness, AChangedAuthenticationModeIsReappliedOnTheTick)
{
    on_running([&](CHideDlg&) {
        advance(2000);
        clear_calls();
        advance(2000);
        EXPECT_EQ(count_calls("SetConfigData"), 0);
        // The driver reports another mode than the stored one: the configuration goes again.
        G_VxApApi.VXAP_QueryAuthMode.bind([](VXAP_U32* mode) {
            *mode = 0x7F;
            return 1;
        });
        advance(2000);
        EXPECT_EQ(count_calls("SetConfigData"), 1);
        EXPECT_EQ(count_calls("Set80211ACL"), 1);
    });
    run({ "-s" });
}

TEST_F(HotvaneAppHarness, TheTickAppendsAtMostTenEventsOfATable)
{
    static int served = 0;
    on_running([&](CHideDlg&) {
        advance(2000);
        G_aryEventLog.RemoveAll();
        served = 0;
        G_VxApApi.VXAP_QueryEventTable.bind([](EventTable* table) {
            if (served++)
                return 0;
            table->Count = 12;
            for (int i = 0; i < 10; ++i)
                table->Event[i].Code = std::uint16_t(i + 1);
            return 1;
        });
        advance(2000);
        ASSERT_EQ(G_aryEventLog.GetSize(), 10);
        EXPECT_EQ(G_aryEventLog[9].Code, 10);
    });
    run({ "-s" });
}

TEST_F(HotvaneAppHarness, SheetSitsTenPixelsBelowHelpAndANewOneListsTheWholeArray)
{
    on_running([&](CHideDlg& dialog) {
        ASSERT_TRUE(dialog.sheet_open());
        CVxPropSheet* sheet = dialog.sheet();
        RECT window {};
        RECT help {};
        sheet->GetWindowRect(&window);
        ::GetWindowRect(::GetDlgItem(sheet->m_hWnd, IDHELP), &help);
        EXPECT_EQ(window.bottom, help.bottom + 10);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_AP_LOST);
        // The user closes it; the next launch builds a new one that lists every event.
        advance(2000);
        sheet->SendMessage(WM_CLOSE);
        advance(10);
        EXPECT_FALSE(dialog.sheet_open());
        G_nEventLogShown = 5;
        TrayModel::the().click(dialog.m_hWnd, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
        advance(10);
        ASSERT_TRUE(dialog.sheet_open());
        EXPECT_NE(dialog.sheet(), nullptr);
        EXPECT_EQ(G_nEventLogShown, 0);
    });
    run();
}

TEST_F(HotvaneAppHarness, TrayMenuByFolderAdapterAndOption)
{
    std::ofstream(folder() + "/Zorvel") << "";
    std::ofstream(folder() + "/VxSwap") << "";
    struct Case {
        const char* name;
        std::string world_keys;
        std::string option;
        std::vector<UINT> items;
    };
    Case const cases[] = {
        { "code 11", "os = 11\n", "1", { 32771, 32773, 32772 } },
        { "code 12 with SwitchAPClient", "", "1", { 32771, 32776, 32773, 32772 } },
        { "code 12 without", "", "0", { 32771, 32773, 32772 } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        std::string w = ready_world();
        if (!c.world_keys.empty())
            w.replace(w.find("os = 12\n"), 8, c.world_keys);
        world(w);
        set_option("SystemTray", "SwitchAPClient", c.option);
        on_running([&](CHideDlg& dialog) {
            auto const shown = right_click(dialog);
            std::vector<UINT> ids;
            for (auto const& [id, text] : shown) {
                ids.push_back(id);
                EXPECT_EQ(text, TrayCommandText(id));
                EXPECT_FALSE(text.empty());
            }
            EXPECT_EQ(ids, c.items);
        });
        run({ "-s" });
    }
    // Without the mode switcher only launch and exit are offered.
    std::filesystem::remove(folder() + "/VxSwap");
    on_running([&](CHideDlg& dialog) {
        auto const shown = right_click(dialog);
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0].first, 32771u);
        EXPECT_EQ(shown[1].first, 32772u);
    });
    run({ "-s" });
}

TEST_F(HotvaneAppHarness, AdapterPulledAndInserted)
{
    on_running([&](CHideDlg& dialog) {
        advance(2000);
        ASSERT_TRUE(dialog.sheet_open());
        wlansim("adapter pull wlan0");
        EXPECT_TRUE(G_bDeviceRemoved);
        advance(2000);
        EXPECT_FALSE(dialog.sheet_open());
        EXPECT_EQ(dialog.tray_icon_id(), IDI_AP_NOTEXIST);
        clear_calls();
        advance(2000);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_AP_NOTEXIST);
        wlansim("adapter insert wlan0");
        advance(4000);
        EXPECT_EQ(count_calls("InitAPSettings"), 1);
        EXPECT_FALSE(G_bDeviceRemoved);
        EXPECT_TRUE(dialog.m_bDeviceExist);
        advance(2000);
        EXPECT_NE(dialog.tray_icon_id(), IDI_AP_NOTEXIST);
    });
    run();
}

TEST_F(HotvaneAppHarness, SuspendStopsPollingAndResumeReapplies)
{
    static int polls = 0;
    on_running([&](CHideDlg& dialog) {
        G_VxApApi.VXAP_QueryEventTable.bind([](EventTable*) {
            ++polls;
            return 0;
        });
        advance(2000);
        wlansim("power suspend");
        EXPECT_FALSE(platform::testing::timer_period(dialog.m_hWnd, TIMER_POLL));
        polls = 0;
        clear_calls();
        advance(4000);
        EXPECT_EQ(polls, 0);
        wlansim("power resume");
        advance(1000);
        EXPECT_TRUE(platform::testing::timer_period(dialog.m_hWnd, TIMER_POLL));
        EXPECT_EQ(count_calls("SetConfigData"), 1);
        EXPECT_EQ(count_calls("EnableDhcpServer"), 1);
        advance(2000);
        EXPECT_GT(polls, 0);
    });
    run({ "-s" });
}

TEST_F(HotvaneAppHarness, ExitByMenuAndByTheLibrary)
{
    for (bool by_library : { false, true }) {
        SCOPED_TRACE(by_library ? "wlansim softap exit" : "menu");
        clear_calls();
        HWND sheet = nullptr;
        on_running([&](CHideDlg& dialog) {
            sheet = dialog.sheet()->m_hWnd;
            if (by_library)
                wlansim("softap exit");
            else
                dialog.SendMessage(WM_COMMAND, ID_TRAY_EXIT);
            EXPECT_FALSE(::IsWindow(sheet));
            EXPECT_FALSE(tray_icon());
        });
        run();
        EXPECT_FALSE(::IsWindow(sheet));
        auto const names = call_names();
        auto const dhcp = std::find(names.begin(), names.end(), "DisableDhcpServer");
        ASSERT_NE(dhcp, names.end());
        EXPECT_EQ(std::find(dhcp, names.end(), "DeInitial"), names.end() - 1);
    }
}

// A page's message box (raised under the sheet's modal guard) holds the exit and the adapter's
// removal back; both happen once the box closes.
TEST_F(HotvaneAppHarness, ExitAndRemovalWaitForAPagesMessageBox)
{
    for (bool removal : { false, true }) {
        SCOPED_TRACE(removal ? "adapter removed" : "exit");
        bool checked = false;
        on_dialog("Page box", [&](HWND box) {
            auto* dialog = g_pHideDlg;
            if (removal) {
                wlansim("adapter pull wlan0");
                advance(4000);
            } else {
                dialog->SendMessage(WM_COMMAND, ID_TRAY_EXIT);
            }
            EXPECT_TRUE(dialog->sheet_open());
            EXPECT_TRUE(tray_icon());
            checked = true;
            ::PostMessage(box, WM_COMMAND, IDOK, 0);
        });
        on_running([&](CHideDlg& dialog) {
            CVxPropSheet* sheet = dialog.sheet();
            ASSERT_NE(sheet, nullptr);
            HWND const owner = sheet->m_hWnd;
            {
                CSheetModalGuard guard;
                ::MessageBox(owner, "text", "Page box", MB_OK);
            }
            advance(10);
            EXPECT_FALSE(dialog.sheet_open());
            if (removal) {
                EXPECT_EQ(dialog.tray_icon_id(), IDI_AP_NOTEXIST);
            }
        });
        run();
        EXPECT_TRUE(checked);
    }
}
