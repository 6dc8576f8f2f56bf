// Connecting: the action queue handing profiles to the library, the credential prompts, the
// status callback on the library's thread and the checks after an authentication; headless,
// on the manual clock, against the simulated world.
#include "ConnectionHarness.h"
#include "station/survey/AuthenStatusDlg.h"

#include "platform/gdi/Png.h"
#include "platform/system/Registry.h"
#include "station/app/WorkerThreads.h"
#include "station/controls/CInvalidIDPW.h"
#include "station/core/Trace.h"
#include "station/core/tests/CoreTestSupport.h"
#include "station/profiles/PageProfileDlg.h"

#include <filesystem>
#include <fstream>

using station::core::AuthStatusRing;
using station::testing::ConnectionHarness;
using station::testing::LibraryRecorder;
using station::testing::ProfileCatcher;
using station::testing::TraceAt;

namespace {

std::string text(char const* field, std::size_t size) { return std::string(field, ::strnlen(field, size)); }

CPeapSettingDlg* prompt_of(CHideDlg& dialog) { return dialog.m_pVxUI ? dialog.m_pVxUI->m_pPeapSettingDlg : nullptr; }

// Presses a button of a dialog the way a click reports it.
void press(CWnd* dialog, int id)
{
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog->m_hWnd, id)));
}

void click(HWND dialog, int id)
{
    ::PostMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Beside the test binary, for a person to look at.
std::string snapshot_path(std::string const& name)
{
    std::filesystem::path const folder = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "prompt_snapshots";
    std::filesystem::create_directories(folder);
    return (folder / (name + ".png")).string();
}

void write_window_png(HWND window, std::string const& name)
{
    platform::testing::pump_until_idle();
    HDC const whole = ::GetWindowDC(window);
    EXPECT_TRUE(platform::gdi::write_png(whole, snapshot_path(name)));
    ::ReleaseDC(window, whole);
}

// Runs a step when its posted turn comes: a script queues what the user does after the
// messages already queued (the request that shows the prompt, which empties its password).
std::vector<std::function<void()>> g_later;

LRESULT later_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_APP && wparam < g_later.size()) {
        g_later[wparam]();
        return 0;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

void post_later(std::function<void()> step)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc {};
        wc.lpfnWndProc = later_proc;
        wc.lpszClassName = "TestLater";
        RegisterClass(&wc);
        registered = true;
    }
    static HWND window = nullptr;
    if (!::IsWindow(window))
        window = CreateWindowEx(0, "TestLater", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    g_later.push_back(std::move(step));
    ::PostMessage(window, WM_APP, g_later.size() - 1, 0);
}

// Once the window has shown the prompt (the request is queued already), types into it as a
// user would and presses OK or Cancel.
void answer_prompt(HWND hwnd, char const* password, int button, std::function<void()> before = {})
{
    post_later([=] {
        if (before)
            before();
        ::SetDlgItemText(hwnd, CPeapSettingDlg::IDC_PASSWORD, password);
        click(hwnd, button);
    });
}

WLANPROFILE token_card_profile()
{
    WLANPROFILE p = station::testing::peap_profile("Corp OTP", "alice", "");
    p.enumTunnel = RS_TunnelGTC;
    p.nPasswordMode = 0;
    return p;
}

}

// [SECTION] The queue drives the library

TEST_F(ConnectionHarness, AProfilePageRequestHandsItsCopyToTheLibrary)
{
    on_running([&](CHideDlg& dialog) {
        pass_start_up();
        TraceAt trace(TRACE_STEP);
        LibraryRecorder::install();
        ProfileCatcher::install();
        LibraryRecorder::clear();
        connect_from_profile_page(dialog, station::testing::make_profile("Cafe", "Cafe"));
        EXPECT_EQ(LibraryRecorder::calls_among({ "VXWL_StopAuth", "VXWL_SetWLANProfile" }),
            (std::vector<std::string> { "VXWL_StopAuth", "VXWL_SetWLANProfile" }));
        ASSERT_EQ(ProfileCatcher::caught().size(), 1u);
        EXPECT_EQ(text(ProfileCatcher::caught()[0].strProfileName, 128), "Cafe");
        WLANPROFILE current {};
        ASSERT_TRUE(dialog.CopyProfile(current));
        EXPECT_EQ(text(current.strProfileName, 128), "Cafe");
        EXPECT_TRUE(aryActionData.empty());
        EXPECT_TRUE(trace.contains("[Kivra] call SetTimer(), TIMER_HIDE_DLG_RETRY_CON, 60000ms"));
        // The page's record changing afterwards changes nothing queued or current.
        std::snprintf(dialog.m_pVxUI->m_pPageProfileDlg->m_pActionProfile->strProfileName, 128, "changed");
        ASSERT_TRUE(dialog.CopyProfile(current));
        EXPECT_EQ(text(current.strProfileName, 128), "Cafe");
        // The open network connects; the next tick shows a good signal.
        advance_settled(2000);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_SIGNAL_GOOD);
    });
    run();
}

TEST_F(ConnectionHarness, WithTheRadioOffProfileActionsAreDropped)
{
    world(station::testing::connection_world(12, "sw_radio = 0\n"));
    on_running([&](CHideDlg& dialog) {
        LibraryRecorder::install();
        LibraryRecorder::clear();
        connect_from_profile_page(dialog, station::testing::make_profile("Cafe", "Cafe"));
        EXPECT_TRUE(LibraryRecorder::calls_among({ "VXWL_SetWLANProfile", "VXWL_StopAuth" }).empty());
        EXPECT_TRUE(aryActionData.empty());
    });
    run();
}

TEST_F(ConnectionHarness, OlderSystemsMapProtectedCiphersAndWatchWepKeys)
{
    world(station::testing::connection_world(8));
    on_running([&](CHideDlg& dialog) {
        TraceAt trace(TRACE_STEP);
        ProfileCatcher::install();
        WLANPROFILE mfp = station::testing::make_profile("Protected", "Cafe");
        mfp.enumAuthenMode = AUTH_WPA2_PSK;
        mfp.enumEncryStatus = ENC_AES_MFP;
        connect_from_profile_page(dialog, mfp);
        ASSERT_EQ(ProfileCatcher::caught().size(), 1u);
        EXPECT_EQ(ProfileCatcher::caught()[0].enumEncryStatus, ENC_AES);
        VXWL_U32 word = 0;
        G_VxWlLib.VXWL_ReadCCX2Cont(&word);
        EXPECT_EQ(word & CCX2_MFP, CCX2_MFP);
        EXPECT_FALSE(dialog.m_bWepErrorDetect);

        WLANPROFILE wep = station::testing::make_profile("Wep", "Cafe");
        wep.enumEncryStatus = ENC_WEP;
        connect_from_profile_page(dialog, wep);
        G_VxWlLib.VXWL_ReadCCX2Cont(&word);
        EXPECT_EQ(word & CCX2_MFP, 0u);
        EXPECT_TRUE(dialog.m_bWepErrorDetect);
        EXPECT_TRUE(trace.contains("[Kivra] WepError Check: OID_GEN_RCV_OK Oid = 00020102"));
        EXPECT_TRUE(trace.contains("[Kivra] call SetTimer(), TIMER_HIDE_DLG_WEP_ERROR, 10sec"));
    });
    run();
}

// [SECTION] Credential prompts before connecting

TEST_F(ConnectionHarness, ATokenCardProfileAsksForItsOneTimePasswordFirst)
{
    world(station::testing::connection_world(8));
    std::string title;
    HWND window = nullptr;
    on_dialog("PeapSettingDlg", [&](HWND hwnd) {
        answer_prompt(hwnd, "otp-4711", CPeapSettingDlg::IDC_OK, [&] { write_window_png(window, "one-time-password-prompt"); });
    });
    on_running([&](CHideDlg& dialog) {
        window = dialog.m_pVxUI->m_hWnd;
        ProfileCatcher::install();
        connect_from_profile_page(dialog, token_card_profile());
        ASSERT_EQ(ProfileCatcher::caught().size(), 1u);
        EXPECT_EQ(text(ProfileCatcher::caught()[0].chID, 128), "alice");
        EXPECT_EQ(text(ProfileCatcher::caught()[0].chPassword, 128), "otp-4711");
        EXPECT_EQ(G_bReConnect.load(), TRUE);
        char shown[128] {};
        ::GetWindowText(prompt_of(dialog)->m_hWnd, shown, sizeof shown);
        title = shown;
    });
    run();
    EXPECT_EQ(title, "Peap Setting - One Time Password");
}

TEST_F(ConnectionHarness, ACancelledPromptDropsTheActionAndStopsReconnecting)
{
    world(station::testing::connection_world(8));
    on_dialog("PeapSettingDlg", [&](HWND hwnd) { answer_prompt(hwnd, "", CPeapSettingDlg::IDC_CANCEL); });
    on_running([&](CHideDlg& dialog) {
        ProfileCatcher::install();
        connect_from_profile_page(dialog, token_card_profile());
        EXPECT_TRUE(ProfileCatcher::caught().empty());
        EXPECT_TRUE(aryActionData.empty());
        EXPECT_EQ(G_bReConnect.load(), FALSE);
        G_bReConnect = TRUE;
    });
    run();
}

TEST_F(ConnectionHarness, PromptsThatAskNothingLeaveTheReconnectionAlone)
{
    world(station::testing::connection_world(8));
    on_running([&](CHideDlg& dialog) {
        // The retry after a failure goes once without asking.
        G_nAuthFailState = 1;
        EXPECT_EQ(dialog.PromptPeapCredentials(), 0);
        EXPECT_EQ(G_nAuthFailState.load(), 3);
        EXPECT_EQ(G_bReConnect.load(), TRUE);
        // LEAP while single sign-on does not ask: nothing.
        EXPECT_EQ(dialog.PromptLeapFastCredentials(), 0);
        // A prompt already showing answers 2 at once.
        prompt_of(dialog)->ShowWindow(SW_SHOW);
        EXPECT_EQ(dialog.PromptPeapCredentials(), 2);
        prompt_of(dialog)->ShowWindow(SW_HIDE);
        G_bReConnect = TRUE;
    });
    run();
}

TEST_F(ConnectionHarness, ThePromptWordsItselfByMethodAndChecksItsFields)
{
    struct Case {
        std::uint32_t method;
        char const* title;
        char const* identity_label;
        bool identity_enabled;
    };
    Case const cases[] = {
        { EAP_PEAP, "Peap Setting - One Time Password", "Tunnel Identity", true },
        { EAP_FAST, "EapFast Setting - One Time Password", "Tunnel Identity", true },
        { EAP_LEAP, "Enter your new password", "Identity", false },
    };
    std::vector<std::string> boxes;
    on_dialog("Pelka", [&](HWND box) {
        char shown[128] {};
        ::GetDlgItemText(box, CMessageBoxDlg::kMessageId, shown, sizeof shown);
        boxes.push_back(shown);
        ::PostMessage(box, WM_COMMAND, IDOK, 0);
    });
    on_running([&](CHideDlg& dialog) {
        CPeapSettingDlg* prompt = prompt_of(dialog);
        ASSERT_NE(prompt, nullptr);
        for (auto const& c : cases) {
            SCOPED_TRACE(c.title);
            prompt->m_pProfile->enumAuthenProtocol = c.method;
            prompt->ShowWindow(SW_SHOW);
            char buffer[128] {};
            prompt->GetWindowText(buffer, sizeof buffer);
            EXPECT_STREQ(buffer, c.title);
            ::GetDlgItemText(prompt->m_hWnd, CPeapSettingDlg::IDC_DESCRIPTION, buffer, sizeof buffer);
            EXPECT_EQ(std::string(buffer), std::string("Description : ") + c.title);
            ::GetDlgItemText(prompt->m_hWnd, CPeapSettingDlg::IDC_LABEL_IDENTITY, buffer, sizeof buffer);
            EXPECT_STREQ(buffer, c.identity_label);
            EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(prompt->m_hWnd, CPeapSettingDlg::IDC_IDENTITY)) != FALSE, c.identity_enabled);
            prompt->ShowWindow(SW_HIDE);
        }
        // Empty identity, then empty password: each keeps the prompt open and unanswered.
        CPeapSettingDlg::BeginWait();
        prompt->ShowWindow(SW_SHOW);
        ::SetDlgItemText(prompt->m_hWnd, CPeapSettingDlg::IDC_IDENTITY, "");
        press(prompt, CPeapSettingDlg::IDC_OK);
        ::SetDlgItemText(prompt->m_hWnd, CPeapSettingDlg::IDC_IDENTITY, "henry");
        press(prompt, CPeapSettingDlg::IDC_OK);
        EXPECT_EQ(CPeapSettingDlg::Answer(), 0);
        // A machine identity keeps its stored identity; the library still gets the typed one.
        std::snprintf(prompt->m_pProfile->chID, 128, "host/machine");
        prompt->m_pProfile->nIDModeIndex = 1;
        ::SetDlgItemText(prompt->m_hWnd, CPeapSettingDlg::IDC_PASSWORD, "summer");
        LibraryRecorder::install();
        press(prompt, CPeapSettingDlg::IDC_OK);
        EXPECT_EQ(CPeapSettingDlg::Answer(), 1);
        EXPECT_EQ(text(prompt->m_pProfile->chID, 128), "host/machine");
        EXPECT_EQ(text(prompt->m_pProfile->chPassword, 128), "summer");
        std::string identity, password;
        CPeapSettingDlg::ConfirmedCredentials(identity, password);
        EXPECT_EQ(identity, "henry");
        EXPECT_EQ(LibraryRecorder::calls_among({ "VXWL_WriteIDnPasswd" }).size(), 1u);
        // The first answer wins: hiding afterwards does not make it a Cancel.
        prompt->ShowWindow(SW_HIDE);
        EXPECT_EQ(CPeapSettingDlg::Answer(), 1);
    });
    run();
    EXPECT_EQ(boxes, (std::vector<std::string> { "Must input Identity", "Must input Password" }));
}

// [SECTION] The status callback on the library's thread

TEST_F(ConnectionHarness, TheCallbackAnnouncesFromTheLibrarysThread)
{
    on_running([&](CHideDlg& dialog) {
        ASSERT_TRUE(AuthStatusRing::the().window_up());
        AuthStatusRing::the().reset();
        std::thread library([] {
            char out[RS_CALLBACK_OUT_SIZE] {};
            station::core::rsCallBackFunc(0x100 | RS_CBS_AU_STATUS_START, nullptr, out);
            station::core::rsCallBackFunc(0x10E, nullptr, out);
            station::core::rsCallBackFunc(RS_CBS_AU_STATUS_AUTHENTICATING, nullptr, out);
        });
        library.join();
        EXPECT_EQ(AuthStatusRing::the().slot(0), "Starting network connection...");
        EXPECT_EQ(AuthStatusRing::the().slot(1), "Wireless client is authenticated.");
        // The method of the current profile names the authentication.
        EXPECT_EQ(AuthStatusRing::the().slot(2), "PEAP Authenticating ...");
        {
            std::lock_guard lock(dialog.profile_lock());
            dialog.m_pProfData->enumAuthenProtocol = 9;
        }
        std::thread other([] {
            char out[RS_CALLBACK_OUT_SIZE] {};
            station::core::rsCallBackFunc(RS_CBS_AU_STATUS_AUTHENTICATING, nullptr, out);
        });
        other.join();
        EXPECT_EQ(AuthStatusRing::the().slot(3), "Authenticating ...");
    });
    run();
}

TEST_F(ConnectionHarness, APasswordChangeReturnsTheTypedPasswordAndCancelNone)
{
    on_running([&](CHideDlg& dialog) {
        {
            std::lock_guard lock(dialog.profile_lock());
            *dialog.m_pProfData = station::testing::peap_profile("Corp", "henry", "winter");
        }
        for (int button : { CPeapSettingDlg::IDC_OK, CPeapSettingDlg::IDC_CANCEL }) {
            SCOPED_TRACE(button);
            std::string returned = "unset";
            std::atomic<bool> done { false };
            std::thread library([&] {
                char out[RS_CALLBACK_OUT_SIZE] {};
                station::core::rsCallBackFunc(RS_CBS_CHANGE_PASSWORD_REQUEST, nullptr, out);
                returned = out;
                done = true;
            });
            CPeapSettingDlg* prompt = prompt_of(dialog);
            ASSERT_TRUE(pump_until([&] { return prompt->IsWindowVisible() != FALSE; }));
            char title[128] {};
            prompt->GetWindowText(title, sizeof title);
            EXPECT_STREQ(title, "Peap Setting - One Time Password");
            ::SetDlgItemText(prompt->m_hWnd, CPeapSettingDlg::IDC_PASSWORD, "summer");
            press(prompt, button);
            ASSERT_TRUE(pump_until([&] { return done.load(); }));
            library.join();
            EXPECT_EQ(returned, button == CPeapSettingDlg::IDC_OK ? "summer" : "");
            prompt->ShowWindow(SW_HIDE);
        }
        G_bReConnect = TRUE;
    });
    run();
}

TEST_F(ConnectionHarness, APacLoadAnswersTheIdentitysPacFile)
{
    on_running([&](CHideDlg& dialog) {
        std::filesystem::create_directories(folder() + "/store/pac");
        std::ofstream(folder() + "/store/pac/dave.pac") << "PAC";
        {
            std::lock_guard lock(dialog.profile_lock());
            *dialog.m_pProfData = station::testing::peap_profile("Fast", "dave", "pacman");
            dialog.m_pProfData->bBssid = 1;
        }
        std::string returned;
        std::thread library([&] {
            char out[RS_CALLBACK_OUT_SIZE] {};
            station::core::rsCallBackFunc(RS_CBS_FAST_LOAD_PAC, nullptr, out);
            returned = out;
        });
        library.join();
        EXPECT_EQ(returned, folder() + "/store/pac/dave.pac");
    });
    run();
}

TEST_F(ConnectionHarness, ARejectionAsksAgainUnlessTheStoredPasswordChanged)
{
    store_profiles({ station::testing::peap_profile("Corp", "alice", "wonderland") }, "Corp");
    on_running([&](CHideDlg& dialog) {
        auto reject = [] {
            std::thread library([] {
                char out[RS_CALLBACK_OUT_SIZE] {};
                station::core::rsCallBackFunc(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, nullptr, out);
            });
            library.join();
        };
        LibraryRecorder::install();
        ProfileCatcher::install();
        {
            std::lock_guard lock(dialog.profile_lock());
            *dialog.m_pProfData = station::testing::peap_profile("Corp", "alice", "wonderland");
        }
        // The password used is the stored one: the re-prompt gets the profile.
        reject();
        CInvalidIDPW* reprompt = dialog.m_pVxUI->m_pInvalidIDPW;
        ASSERT_TRUE(pump_until([&] { return text(reprompt->m_pProfile->strProfileName, 128) == "Corp"; }));
        EXPECT_EQ(reprompt->m_nFailKind, CInvalidIDPW::kIdentityRejected);
        EXPECT_EQ(G_nAuthFailState.load(), 1);
        EXPECT_EQ(LibraryRecorder::calls_among({ "VXWL_Disassociate", "VXWL_SetSSID" }).size(), 2u);
        EXPECT_TRUE(ProfileCatcher::caught().empty());
        // The user saved a new password since: the next rejection reconnects with it at once.
        store_profiles({ station::testing::peap_profile("Corp", "alice", "changed") }, "Corp");
        reject();
        ASSERT_TRUE(pump_until([&] { return !ProfileCatcher::caught().empty(); }));
        EXPECT_EQ(text(ProfileCatcher::caught()[0].chPassword, 128), "changed");
        // A profile locked to its access point gets no recovery.
        LibraryRecorder::clear();
        {
            std::lock_guard lock(dialog.profile_lock());
            dialog.m_pProfData->bBssid = 1;
        }
        reject();
        platform::testing::pump_until_idle();
        EXPECT_TRUE(LibraryRecorder::calls_among({ "VXWL_Disassociate" }).empty());
        G_bReConnect = TRUE;
        G_nAuthFailState = 3;
    });
    run();
}

// [SECTION] Checks after an authentication

TEST_F(ConnectionHarness, TheChecksAfterAnAuthenticationAnnounceTheirOutcome)
{
    on_running([&](CHideDlg& dialog) {
        pass_start_up();
        connect_from_profile_page(dialog, station::testing::make_profile("Cafe", "Cafe"));
        advance_settled(700);
        AuthStatusRing::the().reset();
        std::atomic<UINT> result { 0 };
        std::thread worker([&] { result = PostAuthenticationThread(nullptr); });
        for (int i = 0; i < 200 && !ring_has("Access remote file is succeed."); ++i)
            advance_settled(100, 100);
        // Its last line is out and it waits before "OK": a second run meanwhile ends at once.
        EXPECT_EQ(PostAuthenticationThread(nullptr), 999u);
        for (int i = 0; i < 100 && result == 0; ++i)
            advance_settled(100, 100);
        worker.join();
        EXPECT_EQ(result.load(), 1u);
        // The closing "OK" empties the ring; the progress window keeps the lines it listed.
        auto listed = [&](std::string const& text) {
            for (auto const& line : dialog.m_pVxUI->m_pAuthenStatusDlg->Lines())
                if (text == line.text.GetString())
                    return true;
            return false;
        };
        EXPECT_TRUE(listed("Static IP address is 192.168.1.23"));
        EXPECT_TRUE(listed("IPX protocol is not installed on this machine."));
        EXPECT_TRUE(listed("Finding Domain Controller - VEXLORCORP"));
        EXPECT_TRUE(listed("Domain Controller Name = \\\\dc01"));
        EXPECT_TRUE(listed("Create File - \\\\dc01\\NETLOGON\\NonExist, returned - 2"));
        EXPECT_TRUE(listed("Access remote file is succeed."));
    });
    run();
}

TEST_F(ConnectionHarness, WithoutAnAddressOrADomainTheChecksSayNotFound)
{
    world(station::testing::connection_world(12, "domain_controller_refuses = 1\n"));
    on_running([&](CHideDlg&) {
        AuthStatusRing::the().reset();
        std::atomic<bool> done { false };
        std::thread worker([&] {
            WaitForIPAddress();
            CheckDomainController();
            done = true;
        });
        for (int i = 0; i < 400 && !done; ++i)
            advance_settled(100, 100);
        worker.join();
        EXPECT_TRUE(ring_has("Static IP address is 0.0.0.0"));
        // A controller that refuses was still reached.
        EXPECT_TRUE(ring_has("Create File - \\\\dc01\\NETLOGON\\NonExist, returned - 5"));
        EXPECT_TRUE(ring_has("Access remote file is succeed."));
        // No logon component key at all.
        RegDeleteKey(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Vexlor");
        AuthStatusRing::the().reset();
        std::thread again([] { CheckDomainController(); });
        again.join();
        EXPECT_EQ(ring_lines(), (std::vector<std::string> { "Domain Controller is not found." }));
    });
    run();
}

// [SECTION] Whole runs

// A stored PEAP profile whose password expired: the program connects it after start-up, asks
// for the new password, and the link comes up with it.
TEST_F(ConnectionHarness, AnExpiredPasswordIsChangedInThePromptAndTheLinkComesUp)
{
    store_profiles({ station::testing::peap_profile("Corp", "henry", "winter") }, "Corp");
    on_running([&](CHideDlg& dialog) {
        CPeapSettingDlg* prompt = prompt_of(dialog);
        // The library waits in the callback while the prompt is up: time moves without waiting
        // for it to settle.
        for (int i = 0; i < 100 && !prompt->IsWindowVisible(); ++i) {
            platform::testing::advance(100);
            pump_until([&] { return prompt->IsWindowVisible() != FALSE; }, 50);
        }
        ASSERT_TRUE(prompt->IsWindowVisible());
        char title[128] {};
        prompt->GetWindowText(title, sizeof title);
        EXPECT_STREQ(title, "Peap Setting - One Time Password");
        ::SetDlgItemText(prompt->m_hWnd, CPeapSettingDlg::IDC_PASSWORD, "summer");
        write_window_png(dialog.m_pVxUI->m_hWnd, "new-password-prompt");
        press(prompt, CPeapSettingDlg::IDC_OK);
        for (int i = 0; i < 50 && dialog.tray_icon_id() != IDI_SIGNAL_GOOD; ++i)
            advance_settled(100, 100);
        EXPECT_EQ(dialog.tray_icon_id(), IDI_SIGNAL_GOOD);
        // The new password is the stored one now.
        WLANPROFILE stored {};
        G_VxWlLib.VXWL_ReadProfileData(&stored, "Corp");
        EXPECT_EQ(text(stored.chPassword, 128), "summer");
    });
    run();
}

// Exit while the library's thread waits in a change-password prompt: the wait ends, nothing
// hangs and nothing reads the gone window.
TEST_F(ConnectionHarness, ExitDuringAPromptsWaitEndsIt)
{
    std::atomic<bool> done { false };
    std::thread library;
    on_running([&](CHideDlg& dialog) {
        library = std::thread([&] {
            char out[RS_CALLBACK_OUT_SIZE] {};
            station::core::rsCallBackFunc(RS_CBS_CHANGE_PASSWORD_REQUEST, nullptr, out);
            EXPECT_STREQ(out, "");
            done = true;
        });
        CPeapSettingDlg* prompt = prompt_of(dialog);
        ASSERT_TRUE(pump_until([&] { return prompt->IsWindowVisible() != FALSE; }));
    });
    run();
    library.join();
    EXPECT_TRUE(done.load());
    G_bReConnect = TRUE;
}

// Closing the configuration window hides the prompt with it: the wait ends as Cancel at the
// next tick instead of waiting unseen.
TEST_F(ConnectionHarness, ClosingTheWindowCancelsAPromptsWait)
{
    on_running([&](CHideDlg& dialog) {
        std::atomic<bool> done { false };
        std::string returned = "unset";
        std::thread library([&] {
            char out[RS_CALLBACK_OUT_SIZE] {};
            station::core::rsCallBackFunc(RS_CBS_CHANGE_PASSWORD_REQUEST, nullptr, out);
            returned = out;
            done = true;
        });
        CPeapSettingDlg* prompt = prompt_of(dialog);
        ASSERT_TRUE(pump_until([&] { return prompt->IsWindowVisible() != FALSE; }));
        dialog.m_pVxUI->SendMessage(WM_COMMAND, IDCANCEL, 0);
        for (int i = 0; i < 50 && !done; ++i) {
            platform::testing::advance(100);
            pump_until([&] { return done.load(); }, 500);
        }
        EXPECT_TRUE(done.load());
        // A wait that did not end would keep the library's thread: end it so the test does.
        CPeapSettingDlg::AbortWaits();
        library.join();
        EXPECT_EQ(returned, "");
        G_bReConnect = TRUE;
    });
    run();
}
