// The built library, loaded by file name and bound by export name as the program does, run
// against a scripted world on the manual clock.
#include "platform/system/Module.h"
#include "platform/system/Services.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "wlan/api/Exports.h"
#include "wlan/sim/LiveLog.h"
#include "wlan/sim/Store.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Loaded the way the program loads it: by its original name, through the platform.
HMODULE load_library(std::string const& folder, std::string const& name)
{
    return LoadLibrary((folder + "/" + name).c_str());
}

constexpr char kScenario[] = R"(
[world]
scan_ms = 2000
connect_ms = 600
eap_ms = 1500
dhcp_ms = 3000
[adapter:one]
name = First
mac = 00:00:00:00:00:01
eeprom = 1.2
firmware = 2.1
[adapter:two]
name = Second
[adapter:three]
name = Third
init_delay_ms = 1000
[ap:open]
ssid = Open
bssid = 02:00:00:00:00:01
channel = 1
[ap:corp]
ssid = Corp
bssid = 02:00:00:00:00:02
channel = 6
security = wpa2
cipher = aes
accounts = peap:alice:wonderland
mdid = 0x0102
ht = 1
[ap:broken]
ssid = Broken
bssid = 02:00:00:00:00:03
channel = 11
security = wpa2-psk
cipher = aes
key = whatever1
malformed = truncated-element
)";

struct Recorder {
    std::mutex mutex;
    std::vector<unsigned> events;
    std::thread::id thread;
};
Recorder g_recorder;
std::atomic<int> g_scans { 0 };
std::atomic<bool> g_scan_on_caller { false };
std::thread::id g_main_thread;

void on_status(unsigned event, void*, char* out)
{
    std::lock_guard lock(g_recorder.mutex);
    g_recorder.events.push_back(event & 0xFF);
    g_recorder.thread = std::this_thread::get_id();
    out[0] = 0;
}

void on_scan()
{
    g_scan_on_caller = std::this_thread::get_id() == g_main_thread;
    ++g_scans;
}

std::vector<UINT> g_messages;
LRESULT record_messages(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message >= VXWL_MSG_SCAN_FAILED && message <= VXWL_MSG_EXIT)
        g_messages.push_back(message);
    return DefWindowProc(hwnd, message, wparam, lparam);
}

// Blocks until a message of the library reaches `hwnd`'s queue. A watchdog posts an empty
// message after 10 s, so a lost wake-up fails the test instead of hanging it.
void wait_for_a_message(HWND hwnd)
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, std::chrono::seconds(10), [&] { return done; }))
            PostMessage(hwnd, WM_NULL, 0, 0);
    });
    MSG msg;
    while (g_messages.empty() && GetMessage(&msg, hwnd, 0, 0)) {
        DispatchMessage(&msg);
        if (msg.message == WM_NULL)
            break;
    }
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_all();
    watchdog.join();
}

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_main_thread = std::this_thread::get_id();
        m_clock = &platform::testing::use_manual_clock();
        char templ[] = "/tmp/vxwlapi-test-XXXXXX";
        m_folder = ::mkdtemp(templ);
        std::ofstream(m_folder + "/world.ini") << kScenario;
        ::setenv("VXSIM_SCENARIO", (m_folder + "/world.ini").c_str(), 1);
        ::setenv("VXSIM_STORE", (m_folder + "/store").c_str(), 1);
        m_module = load_library(VXWLAPI_FOLDER, "VxWLAPI.dll");
        ASSERT_NE(m_module, nullptr) << "LoadLibrary failed: " << GetLastError();
        {
            std::lock_guard lock(g_recorder.mutex);
            g_recorder.events.clear();
        }
        g_messages.clear();
    }
    void TearDown() override
    {
        if (m_module) {
            bind<PFN_VXWL_DeInitial>("VXWL_DeInitial")();
            FreeLibrary(m_module);
        }
        platform::testing::reset_windows();
        ::unsetenv("ZORVEL_RUNTIME_DIR");
        std::filesystem::remove_all(m_folder);
    }

    template<typename Fn>
    Fn bind(char const* name)
    {
        auto* fn = reinterpret_cast<Fn>(GetProcAddress(m_module, name));
        EXPECT_NE(fn, nullptr) << name;
        return fn;
    }
    void step(std::uint64_t ms)
    {
        m_clock->advance(ms);
        bind<void (*)()>("VXSIM_Settle")();
        platform::testing::pump_until_idle();
    }
    std::vector<unsigned> events()
    {
        std::lock_guard lock(g_recorder.mutex);
        return g_recorder.events;
    }
    // Selects the first adapter with the status callback and waits for its driver.
    void start(HWND hwnd = nullptr)
    {
        bind<PFN_VXWL_Initial>("VXWL_Initial")("Vexlor", hwnd);
        std::vector<std::uint8_t> list(4 + 3 * sizeof(AdapterEntry));
        ASSERT_EQ(bind<PFN_VXWL_GetAvailableAdapters>("VXWL_GetAvailableAdapters")(list.data(), 3), VXWL_ERROR_SUCCESS);
        ASSERT_EQ(bind<PFN_VXWL_AdapterSelect>("VXWL_AdapterSelect")(reinterpret_cast<AdapterEntry*>(list.data() + 4), on_status, hwnd), 1);
    }

    platform::ManualClock* m_clock { nullptr };
    std::string m_folder;
    HMODULE m_module { nullptr };
};

WLANPROFILE peap_profile(char const* password)
{
    WLANPROFILE p {};
    p.SSID.SsidLength = 4;
    std::memcpy(p.SSID.Ssid, "Corp", 4);
    p.enumNetworkType = 1;
    p.enumAuthenMode = AUTH_WPA2;
    p.enumEncryStatus = ENC_AES;
    p.b8021X = 1;
    p.enumAuthenProtocol = EAP_PEAP;
    std::snprintf(p.chID, sizeof p.chID, "alice");
    std::snprintf(p.chPassword, sizeof p.chPassword, "%s", password);
    return p;
}

}

TEST_F(LibraryTest, ExportsOfTheStationCoreAndDiscoveryAreBoundByName)
{
    char const* const names[] = { "AdapterSelect", "BackupStationSetting", "ChannelToFrequency", "CheckBssidRepositTime",
        "CheckIEEE80211H", "CheckMSConfigService", "ConnectWPSProfile", "ConvertPhyModeToAdHocMode",
        "CopyProfileToCurrentSetting", "DeInitial", "DetectMoreThanOneUser", "DetectUserAdmin", "Disassociate",
        "FrequencyToChannel", "GetAvailableAdapters", "GetAvailableChannels", "GetCurrentDeviceModel", "GetWAPIProgress",
        "GetWinOS", "HostedNetworkSetup", "HostedNetworkStopUsing", "Initial", "Is80211NSupport",
        "IsAllowStandardUserSetProfile", "IsDeviceExist", "IsSupportAPMode", "IsSupportVistaSoftAP", "IsWAPIConnecting",
        "IsWow64", "IsWpaCapable", "IsZeroConfig", "OIDQueryInfo", "OIDSetInfo", "ParseInfoElement", "QueryAPIPAddress",
        "QueryCCXInfo", "QueryCurrAddress", "QueryHWAndSWRadioState", "QueryInitState", "QueryMacAddrs", "QueryOPMode",
        "QueryPrivateMsg", "QuerySTAConfig", "QueryWirelessMode", "QueryWLANStatus", "QueryWPSHwPbc", "QueryWPSStatus",
        "ReadActiveProfileName", "ReadAdvanceCfgData", "ReadCCX2Cont", "ReadConfigData", "ReadDriverDesc",
        "ReadDriverName", "ReadExtAPConfig", "ReadNetCfgInstanceID", "ReadNetConfig", "ReadOpMode", "ReadProfileData",
        "ReadProfileList", "ReadPSMode", "ReadRadioStatus", "ReadSSOStatus", "ReadWPSFlag", "ReadWPSProfile", "Release",
        "RenewIPAddr", "ResetCounter", "ResetToDefaultConnecctionSetting", "RssiToPercent", "RunOnceInitConfigTool",
        "RunOnceInitConfigTxBurst", "SetAdvanceSetting", "SetAndWriteOPMode", "SetAndWriteRadioState", "SetAuthMode",
        "SetBSSID", "SetCCXInfo", "SetSSID", "SetWEPKey", "SetWLANProfile", "SiteSurveyQuery", "SiteSurveyScan",
        "StopAuth", "VerifyCountryRegion", "WlanDeleteAllVexlorWindowsProfiles", "WlanDeleteAllWindowsProfiles",
        "WlanDisconnect", "WriteIDnPasswd", "WriteRegValue", "WriteWPSFlag", "WriteWPSProfile" };
    for (char const* name : names) {
        SCOPED_TRACE(name);
        EXPECT_NE(GetProcAddress(m_module, (std::string("VXWL_") + name).c_str()), nullptr);
    }
}

TEST_F(LibraryTest, AdapterListFollowsTheTooSmallProtocol)
{
    auto get = bind<PFN_VXWL_GetAvailableAdapters>("VXWL_GetAvailableAdapters");
    std::vector<std::uint8_t> small(4 + sizeof(AdapterEntry), 0xEE);
    ASSERT_EQ(get(small.data(), 1), VXWL_ERROR_BUFFER_TOO_SMALL);
    std::uint32_t needed;
    std::memcpy(&needed, small.data(), 4);
    EXPECT_EQ(needed, 3u);
    EXPECT_EQ(small[4], 0xEE); // no record written
    std::vector<std::uint8_t> list(4 + needed * sizeof(AdapterEntry));
    ASSERT_EQ(get(list.data(), int(needed)), VXWL_ERROR_SUCCESS);
    auto const* third = reinterpret_cast<AdapterEntry const*>(list.data() + 4 + 2 * sizeof(AdapterEntry));
    EXPECT_STREQ(third->FriendlyName, "Third");
    auto select = bind<PFN_VXWL_AdapterSelect>("VXWL_AdapterSelect");
    ASSERT_EQ(select(const_cast<AdapterEntry*>(third), on_status, nullptr), 1);
    VXWL_U32 ready = 7;
    bind<PFN_VXWL_QueryInitState>("VXWL_QueryInitState")(&ready);
    EXPECT_EQ(ready, 0u);
    step(1000);
    bind<PFN_VXWL_QueryInitState>("VXWL_QueryInitState")(&ready);
    EXPECT_EQ(ready, 1u);
}

TEST_F(LibraryTest, ScanFinishesOnTheLibrarysThreadAndListsDigestibleEntries)
{
    start();
    g_scans = 0;
    bind<PFN_VXWL_SiteSurveyScan>("VXWL_SiteSurveyScan")(on_scan);
    bind<void (*)()>("VXSIM_Settle")();
    step(1999);
    EXPECT_EQ(g_scans.load(), 0);
    step(1);
    EXPECT_EQ(g_scans.load(), 1);
    EXPECT_FALSE(g_scan_on_caller.load());

    auto query = bind<PFN_VXWL_SiteSurveyQuery>("VXWL_SiteSurveyQuery");
    std::vector<std::uint8_t> buffer(BSSID_LIST_BUFFER_SIZE, 0);
    VXWL_U32 size = 8;
    ASSERT_EQ(query(buffer.data(), &size), VXWL_ERROR_BUFFER_TOO_SMALL);
    EXPECT_GT(size, 8u);
    EXPECT_EQ(buffer[0], 0); // nothing written
    size = BSSID_LIST_FIRST_OFFER;
    ASSERT_EQ(query(buffer.data(), &size), VXWL_ERROR_SUCCESS);
    std::uint32_t count;
    std::memcpy(&count, buffer.data(), 4);
    ASSERT_EQ(count, 3u);
    auto parse = bind<PFN_VXWL_ParseInfoElement>("VXWL_ParseInfoElement");
    std::size_t offset = 4;
    std::vector<IE_INFO_WPA> digests;
    for (std::uint32_t i = 0; i < count; ++i) {
        auto const* entry = reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(buffer.data() + offset);
        IE_INFO_WPA info {};
        EXPECT_EQ(parse(entry, &info), VXWL_ERROR_SUCCESS);
        digests.push_back(info);
        offset += entry->Length;
    }
    EXPECT_EQ(digests[0].nAuthentication, 0u);
    EXPECT_EQ(digests[1].nAuthentication, IE_AUTH_WPA2);
    EXPECT_EQ(digests[1].bMobilityDomain, 1u);
    EXPECT_EQ(digests[1].bHT, 1u);
    EXPECT_EQ(digests[2].nAuthentication, IE_AUTH_WPA2_PSK);
}

TEST_F(LibraryTest, PeapConnectionsReportTheirEventsAndStatus)
{
    start();
    step(0);
    auto set_profile = bind<PFN_VXWL_SetWLANProfile>("VXWL_SetWLANProfile");
    auto query = bind<PFN_VXWL_QueryWLANStatus>("VXWL_QueryWLANStatus");
    WLAN_STATUS_REQUEST const request { { 1, 1, 0, 0, 1 } };

    auto wrong = peap_profile("guess");
    set_profile(&wrong);
    step(5000);
    EXPECT_EQ(events(), (std::vector<unsigned> { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING,
                            RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, RS_CBS_AU_STATUS_LINK_DOWN }));
    WLAN_STATUS s {};
    query(&s, request);
    EXPECT_EQ(s.Status, VxStatus_Disconnected);
    EXPECT_EQ(s.LinkState, LINK_AUTH_FAIL);
    {
        std::lock_guard lock(g_recorder.mutex);
        EXPECT_NE(g_recorder.thread, g_main_thread);
        g_recorder.events.clear();
    }

    auto right = peap_profile("wonderland");
    set_profile(&right);
    step(5000);
    EXPECT_EQ(events(), (std::vector<unsigned> { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING,
                            RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT }));
    query(&s, request);
    EXPECT_EQ(s.Status, VxStatus_Connected);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(s.Ssid.Ssid), s.Ssid.SsidLength), "Corp");
    EXPECT_EQ(s.AuthMode, AUTH_WPA2);
    std::uint8_t bssid[6] = {};
    VXWL_U32 returned = 0;
    EXPECT_EQ(bind<PFN_VXWL_OIDQueryInfo>("VXWL_OIDQueryInfo")(OID_802_3_BSSID, bssid, 6, &returned), 1);
    EXPECT_EQ(bssid[5], 2);
    // The transmit-setting word under the identifier of the system's own driver generation only,
    // and no third chain's ratio on a two-chain adapter.
    auto oid = bind<PFN_VXWL_OIDQueryInfo>("VXWL_OIDQueryInfo");
    std::uint32_t word = 0xFFFFFFFF;
    EXPECT_EQ(oid(OID_TRANSMIT_SETTING, &word, 4, &returned), 1);
    EXPECT_EQ(word, s.TransmitSetting);
    EXPECT_EQ(oid(OID_TRANSMIT_SETTING_LEGACY, &word, 4, &returned), 0);
    std::int32_t snr = 0;
    EXPECT_EQ(oid(OID_SNR_2, &snr, 4, &returned), 0);
    auto const before = s.Counters[COUNTER_TX_OK / 8];
    step(1000);
    query(&s, request);
    EXPECT_GT(s.Counters[COUNTER_TX_OK / 8], before);
}

TEST_F(LibraryTest, RadioAndAdapterChangesArePostedToTheWindow)
{
    WNDCLASS wc {};
    wc.lpfnWndProc = record_messages;
    wc.lpszClassName = "VxWlapiTestWindow";
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "VxWlapiTestWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    start(hwnd);
    step(0);
    EXPECT_EQ(bind<PFN_VXWL_SetAndWriteRadioState>("VXWL_SetAndWriteRadioState")(0), 1);
    step(0);
    EXPECT_EQ(bind<PFN_VXWL_ReadRadioStatus>("VXWL_ReadRadioStatus")(), 0);
    WLAN_STATUS s {};
    bind<PFN_VXWL_QueryWLANStatus>("VXWL_QueryWLANStatus")(&s, WLAN_STATUS_REQUEST {});
    EXPECT_EQ(s.LinkState, LINK_SW_RADIO_OFF);
    bind<PFN_VXWL_SiteSurveyScan>("VXWL_SiteSurveyScan")(nullptr);
    step(0);
    bind<PFN_VXWL_SetAndWriteRadioState>("VXWL_SetAndWriteRadioState")(1);
    step(0);
    EXPECT_EQ(g_messages, (std::vector<UINT> { VXWL_MSG_RADIO_OFF, VXWL_MSG_SCAN_FAILED, VXWL_MSG_RADIO_ON }));
    DestroyWindow(hwnd);
}

// Runs the built wlansim with these arguments, as a user would from a shell; its exit code.
static int run_wlansim(std::vector<std::string> arguments)
{
    std::string const path = std::string(VXWLAPI_FOLDER) + "/wlansim";
    std::vector<char*> argv { const_cast<char*>(path.c_str()) };
    for (auto& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A program that ends without VXWL_DeInitial leaves the library to the process's own end:
// its thread, its letter handler and its clock listener are torn down then, after the
// platform's registries may have gone, and the exit is still clean.
TEST_F(LibraryTest, ProcessEndsCleanlyWithoutDeInitial)
{
    std::filesystem::create_directories(m_folder + "/run");
    ::setenv("ZORVEL_RUNTIME_DIR", (m_folder + "/run").c_str(), 1);
    // The child runs the test binary afresh: a fork of this process, whose earlier tests
    // left platform threads running, is not safe under the thread sanitizer.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            start();
            step(0);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

// The library's thread sleeps until the world has something due. Each look it takes has a
// cause: a moved clock, a call that scheduled a step, a letter from wlansim; an hour with
// nothing due costs one look, not one every slice.
TEST_F(LibraryTest, ThreadWakesOnlyForTheWorldsEvents)
{
    std::filesystem::create_directories(m_folder + "/run");
    ::setenv("ZORVEL_RUNTIME_DIR", (m_folder + "/run").c_str(), 1);
    WNDCLASS wc {};
    wc.lpfnWndProc = record_messages;
    wc.lpszClassName = "VxWlapiWakeWindow";
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "VxWlapiWakeWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    start(hwnd);
    step(0);
    auto const wakeups = bind<unsigned long long (*)()>("VXSIM_Wakeups");
    g_scans = 0;

    auto before = wakeups();
    step(3'600'000);
    EXPECT_EQ(wakeups(), before + 1) << "an hour with nothing due";

    before = wakeups();
    bind<PFN_VXWL_SiteSurveyScan>("VXWL_SiteSurveyScan")(on_scan);
    bind<void (*)()>("VXSIM_Settle")();
    step(1999);
    EXPECT_EQ(g_scans.load(), 0);
    step(1);
    EXPECT_EQ(g_scans.load(), 1);
    EXPECT_EQ(wakeups(), before + 3) << "the scan planned, the clock moved twice";

    // Without the clock moving, only wlansim's letter can wake the thread.
    before = wakeups();
    g_messages.clear();
    ASSERT_EQ(run_wlansim({ "radio", "sw", "off" }), 0);
    wait_for_a_message(hwnd);
    EXPECT_EQ(g_messages, std::vector<UINT> { VXWL_MSG_RADIO_OFF });
    EXPECT_EQ(wakeups(), before + 1);
    DestroyWindow(hwnd);
}

// The program polls the library many times a second: while nothing is written to the live
// log no call opens it, and a line appended in this process or by wlansim is applied by the
// very next call, before the library's thread could have looked.
TEST_F(LibraryTest, CallsOpenTheLiveLogOnlyAfterItWasWritten)
{
    start();
    step(0);
    auto const reads = bind<unsigned long long (*)()>("VXSIM_LiveReads");
    auto const radio = bind<PFN_VXWL_ReadRadioStatus>("VXWL_ReadRadioStatus");
    auto const before = reads();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(radio(), 1);
    step(1000);
    EXPECT_EQ(reads(), before) << "a second of polls with nothing written";

    wlan::sim::Store store(m_folder + "/store");
    ASSERT_TRUE(wlan::sim::append_live_command(store, "radio sw off"));
    EXPECT_EQ(radio(), 0);
    ASSERT_EQ(run_wlansim({ "radio", "sw", "on" }), 0);
    EXPECT_EQ(radio(), 1);
    EXPECT_EQ(reads(), before + 2) << "each write read once";
}

namespace {

EXTAP_CONFIG_DATA hosted_record(char const* ssid, char const* key)
{
    EXTAP_CONFIG_DATA r {};
    r.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(r.Ssid, ssid, r.SsidLength);
    r.KeyLength = std::uint32_t(std::strlen(key));
    std::memcpy(r.Key, key, r.KeyLength);
    r.Channel = 6;
    r.MaxPeers = 20;
    return r;
}

}

// The record is stored only by the write; the set-up checks it and starts the network, which
// then reports its address in the record and its BSSID (the adapter's address, locally
// administered) in the status.
TEST_F(LibraryTest, HostedNetworkStoresItsRecordAndRunsOnlyWithAValidOne)
{
    start();
    step(0);
    auto read = bind<PFN_VXWL_ReadExtAPConfig>("VXWL_ReadExtAPConfig");
    auto write = bind<PFN_VXWL_WriteExtAPConfig>("VXWL_WriteExtAPConfig");
    auto setup = bind<PFN_VXWL_HostedNetworkSetup>("VXWL_HostedNetworkSetup");
    auto status = bind<PFN_VXWL_HostedNetworkQueryStatus>("VXWL_HostedNetworkQueryStatus");
    EXTAP_CONFIG_DATA r;
    std::memset(&r, 0xEE, sizeof r);
    EXPECT_EQ(read(&r), 0);
    EXPECT_EQ(r.SsidLength, 0u);
    EXPECT_EQ(r.Reserved2[23], 0);

    EXTAP_CONFIG_DATA const good = hosted_record("Den", "12345678");
    EXPECT_EQ(setup(good), 1);
    EXPECT_EQ(read(&r), 0) << "the set-up does not store the record";
    struct Refused {
        char const* name;
        EXTAP_CONFIG_DATA record;
    };
    EXTAP_CONFIG_DATA long_ssid = good;
    long_ssid.SsidLength = 33;
    Refused const refused[] = {
        { "empty SSID", hosted_record("", "12345678") },
        { "SSID length past its field", long_ssid },
        { "key of 7", hosted_record("Den", "1234567") },
        { "64 with a g", hosted_record("Den", "g123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef") },
    };
    bind<PFN_VXWL_HostedNetworkStopUsing>("VXWL_HostedNetworkStopUsing")();
    for (auto const& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(setup(c.record), 0);
        HOSTED_NETWORK_STATUS st {};
        status(&st);
        EXPECT_EQ(st.State, 0u);
    }

    EXPECT_EQ(write(good), 1);
    ASSERT_EQ(read(&r), 1);
    EXPECT_EQ(std::memcmp(&r, &good, sizeof r), 0);
    EXPECT_EQ(setup(hosted_record("Den", "0123456789abcdef0123456789abcdef0123456789ABCDEF0123456789abcdef")), 1);
    ASSERT_EQ(read(&r), 1);
    EXPECT_EQ(std::vector<int>(r.IpAddress, r.IpAddress + 4), (std::vector<int> { 192, 168, 137, 1 }));
    HOSTED_NETWORK_STATUS st {};
    status(&st);
    EXPECT_EQ(st.State, 1u);
    EXPECT_EQ(std::vector<int>(st.Bssid, st.Bssid + 6), (std::vector<int> { 2, 0, 0, 0, 0, 1 }));

    bind<PFN_VXWL_HostedNetworkStopUsing>("VXWL_HostedNetworkStopUsing")();
    ASSERT_EQ(read(&r), 1);
    EXPECT_EQ(r.IpAddress[0], 0);
}

// "a.b": the EEPROM has a in byte 0, the firmware a in byte 1.
TEST_F(LibraryTest, VersionsComeFromTheAdapter)
{
    start();
    VXWL_U32 eeprom = 0, firmware = 0;
    EXPECT_EQ(bind<PFN_VXWL_QueryEEPROMVersion>("VXWL_QueryEEPROMVersion")(&eeprom), 1);
    EXPECT_EQ(bind<PFN_VXWL_QueryFWVersion>("VXWL_QueryFWVersion")(&firmware), 1);
    EXPECT_EQ(eeprom, 0x0201u);
    EXPECT_EQ(firmware, 0x0201u);
    char name[DRIVER_TEXT_SIZE] {};
    bind<PFN_VXWL_ReadDriverName>("VXWL_ReadDriverName")(name);
    EXPECT_STREQ(name, "drivers/vxsim.sys");
}

// The peer table answers under the identifier of the system's own driver generation only, with
// the listed peers before the linked access point and the count as the driver keeps it; adds
// need a known peer, deletes come through the generic set call.
TEST_F(LibraryTest, BlockAckPeersAgreementsAndDeletes)
{
    start();
    step(0);
    auto right = peap_profile("wonderland");
    bind<PFN_VXWL_SetWLANProfile>("VXWL_SetWLANProfile")(&right);
    step(5000);
    ASSERT_EQ(run_wlansim({ "world-set", "ba_peers=02:10:00:00:00:05,00:00:00:00:00:00" }), 0);
    ASSERT_EQ(run_wlansim({ "ba-peer", "add", "02:10:00:00:00:06" }), 0);
    step(0);
    auto query = bind<PFN_VXWL_OIDQueryInfo>("VXWL_OIDQueryInfo");
    auto set = bind<PFN_VXWL_OIDSetInfo>("VXWL_OIDSetInfo");
    KT_802_11_MAC_TABLE peers {};
    VXWL_U32 returned = 0;
    EXPECT_EQ(query(OID_BA_PEER_TABLE_LEGACY, &peers, sizeof peers, &returned), 0) << "system 12: the new identifier";
    ASSERT_EQ(query(OID_BA_PEER_TABLE, &peers, sizeof peers, &returned), 1);
    EXPECT_EQ(returned, 324u);
    ASSERT_EQ(peers.Count, 4u);
    EXPECT_EQ(peers.Entry[0].Mac[5], 5);
    EXPECT_EQ(peers.Entry[1].Mac[5], 0);
    EXPECT_EQ(peers.Entry[2].Mac[5], 6);
    EXPECT_EQ(peers.Entry[3].Mac[5], 2) << "the linked access point";

    auto add = bind<PFN_VXWL_AddIMMEBA>("VXWL_AddIMMEBA");
    BA_REQUEST r {};
    r.Direction = 1;
    std::memcpy(r.Mac, peers.Entry[3].Mac, 6);
    r.Tid = 5;
    r.WindowSize = 64;
    EXPECT_EQ(add(r), 1);
    r.Tid = 0;
    r.WindowSize = 32;
    EXPECT_EQ(add(r), 1);
    BA_REQUEST stranger = r;
    stranger.Mac[0] = 0x0E;
    EXPECT_EQ(add(stranger), 0) << "not a peer";
    BA_TABLE table {};
    auto table_of = bind<PFN_VXWL_QueryBATable>("VXWL_QueryBATable");
    ASSERT_EQ(table_of(&table), 1);
    EXPECT_EQ(table.OriginatorCount, 0);
    ASSERT_EQ(table.RecipientCount, 1);
    EXPECT_EQ(table.Recipient[0].TidBitmap, 0x21);
    EXPECT_EQ(table.Recipient[0].WindowSize[5], 64);

    BA_REQUEST del = r; // TID 0, one agreement
    EXPECT_EQ(set(OID_BA_DELETE_LEGACY, &del, 14), 0);
    EXPECT_EQ(set(OID_BA_DELETE, &del, 13), 0) << "a short request";
    EXPECT_EQ(set(OID_BA_DELETE, &del, 14), 1);
    table_of(&table);
    EXPECT_EQ(table.Recipient[0].TidBitmap, 0x20);
    del.Tid = 3;
    del.DeleteAll = 1;
    EXPECT_EQ(set(OID_BA_DELETE, &del, 14), 1);
    table_of(&table);
    EXPECT_EQ(table.RecipientCount, 0);

    ASSERT_EQ(run_wlansim({ "world-set", "os=9" }), 0);
    step(0);
    EXPECT_EQ(query(OID_BA_PEER_TABLE_LEGACY, &peers, sizeof peers, &returned), 1);
    EXPECT_EQ(query(OID_BA_PEER_TABLE, &peers, sizeof peers, &returned), 0);
    ASSERT_EQ(run_wlansim({ "ba-peer", "remove", "02:10:00:00:00:05" }), 0);
    step(0);
    query(OID_BA_PEER_TABLE_LEGACY, &peers, sizeof peers, &returned);
    EXPECT_EQ(peers.Count, 3u);
}

TEST_F(LibraryTest, BlockAckCapabilityPolicyAndCoexistenceMode)
{
    start();
    ASSERT_EQ(run_wlansim({ "world-set", "ack_policy_read_fail=1" }), 0);
    step(0);
    VXWL_U32 packed = 0;
    EXPECT_EQ(bind<PFN_VXWL_ReadBACap>("VXWL_ReadBACap")(&packed), 0) << "nothing written yet";
    bind<PFN_VXWL_WriteBACap>("VXWL_WriteBACap")(0x01FC2020);
    EXPECT_EQ(bind<PFN_VXWL_ReadBACap>("VXWL_ReadBACap")(&packed), 1);
    EXPECT_EQ(packed, 0x01FC2020u);
    BA_CAP_SETTING applied {};
    bind<PFN_VXWL_QueryBACap>("VXWL_QueryBACap")(&applied);
    EXPECT_EQ(applied.AutoSetup, 1) << "automatic until set";
    bind<PFN_VXWL_SetBACap>("VXWL_SetBACap")(BA_CAP_SETTING { 32, 32, 2, 7, 1, 1, 1, 0 });
    bind<PFN_VXWL_QueryBACap>("VXWL_QueryBACap")(&applied);
    EXPECT_EQ(applied.Aggregation, 2);
    EXPECT_EQ(applied.MpduDensity, 7);

    auto read = bind<PFN_VXWL_ReadAckPolicy>("VXWL_ReadAckPolicy");
    VXWL_U32 be = 9, bk = 9, vi = 9, vo = 9;
    bind<PFN_VXWL_WriteAckPolicy>("VXWL_WriteAckPolicy")(1, 0, 1, 0);
    EXPECT_EQ(read(&be, &bk, &vi, &vo), 0) << "the world fails the first read";
    EXPECT_EQ(be, 9u);
    ASSERT_EQ(read(&be, &bk, &vi, &vo), 1);
    EXPECT_EQ(std::vector<VXWL_U32>({ be, bk, vi, vo }), (std::vector<VXWL_U32> { 1, 0, 1, 0 }));
    EXPECT_EQ(read(nullptr, &bk, &vi, &vo), 0);

    bind<PFN_VXWL_SetCoexMode>("VXWL_SetCoexMode")("AssocReq with MCS 0~7");
    std::ifstream stored(m_folder + "/store/sta_coex_mode");
    std::string text;
    std::getline(stored, text);
    EXPECT_EQ(text, "AssocReq with MCS 0~7");
}

TEST_F(LibraryTest, ReleaseLetsGoOfAuthenticationUntilTheNextSelection)
{
    start();
    step(0);
    auto capable = bind<PFN_VXWL_IsWpaCapable>("VXWL_IsWpaCapable");
    EXPECT_EQ(capable(), 1);
    EXPECT_EQ(bind<PFN_VXWL_Release>("VXWL_Release")(), 1);
    EXPECT_EQ(capable(), 0);
    std::vector<std::uint8_t> list(4 + 3 * sizeof(AdapterEntry));
    bind<PFN_VXWL_GetAvailableAdapters>("VXWL_GetAvailableAdapters")(list.data(), 3);
    ASSERT_EQ(bind<PFN_VXWL_AdapterSelect>("VXWL_AdapterSelect")(reinterpret_cast<AdapterEntry*>(list.data() + 4), nullptr, nullptr), 1);
    EXPECT_EQ(capable(), 1);
    // Not associated: the associated access point's address is all zeros.
    std::uint8_t bssid[6] = { 1, 2, 3, 4, 5, 6 };
    VXWL_U32 returned = 0;
    EXPECT_EQ(bind<PFN_VXWL_OIDQueryInfo>("VXWL_OIDQueryInfo")(OID_802_3_BSSID, bssid, 6, &returned), 1);
    EXPECT_EQ(returned, 6u);
    EXPECT_EQ(std::vector<std::uint8_t>(bssid, bssid + 6), std::vector<std::uint8_t>(6, 0));
}

// An exit request in the live log ends the program that runs then, not every later start.
TEST_F(LibraryTest, TheLogsPastMessagesAreNotDeliveredToANewStart)
{
    ASSERT_EQ(run_wlansim({ "station", "exit" }), 0);
    WNDCLASS wc {};
    wc.lpfnWndProc = record_messages;
    wc.lpszClassName = "VxWlapiExitWindow";
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "VxWlapiExitWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    start(hwnd);
    step(0);
    EXPECT_EQ(g_messages, std::vector<UINT> {});
    ASSERT_EQ(run_wlansim({ "station", "exit" }), 0);
    for (int i = 0; i < 100 && g_messages.empty(); ++i)
        step(10);
    EXPECT_EQ(g_messages, std::vector<UINT> { VXWL_MSG_EXIT });
    DestroyWindow(hwnd);
}

// The system's EAP configuration window: a connection's blob is written at once, within the
// length offered; the window's closing after eap_ui_ms enables the program's window and says
// the configuration is done; a cancelled one only enables the window; a profile's name stores
// the blob in that profile.
TEST_F(LibraryTest, EapConfigurationWindowFillsWithinTheLengthAndReportsWhenClosed)
{
    WNDCLASS wc {};
    wc.lpfnWndProc = record_messages;
    wc.lpszClassName = "VxWlapiEapWindow";
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "VxWlapiEapWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    start(hwnd);
    step(1000);
    g_messages.clear();
    auto const invoke = bind<PFN_VXWL_StartEapHostPeerInvokeConfigUI>("VXWL_StartEapHostPeerInvokeConfigUI");

    std::uint8_t blob[16];
    std::memset(blob, 0xEE, sizeof blob);
    VXWL_U32 length = 4;
    EXPECT_EQ(invoke("", &length, blob), VXWL_ERROR_SUCCESS);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(blob[4], 0xEE) << "nothing past the length offered";
    step(400);
    EXPECT_TRUE(g_messages.empty()) << "the window is still up";
    step(100);
    EXPECT_EQ(g_messages, (std::vector<UINT> { VXWL_MSG_ENABLE_WINDOW, VXWL_MSG_EAP_CONFIG_DONE }));
    EXPECT_EQ(invoke("", nullptr, blob), VXWL_ERROR_FAIL);

    ASSERT_EQ(run_wlansim({ "profile-add", "Work", "ssid=Corp", "auth=wpa2", "cipher=aes", "eap=fast" }), 0);
    g_messages.clear();
    EXPECT_EQ(invoke("Work", nullptr, nullptr), VXWL_ERROR_SUCCESS);
    step(500);
    EXPECT_EQ(g_messages, std::vector<UINT> { VXWL_MSG_ENABLE_WINDOW });
    WLANPROFILE stored {};
    char name[] = "Work";
    ASSERT_EQ(bind<PFN_VXWL_ReadProfileData>("VXWL_ReadProfileData")(&stored, name), 1);
    EXPECT_GT(stored.dwLenEapFastConfigBlob, 0u);

    ASSERT_EQ(run_wlansim({ "world-set", "eap_ui_cancel=1" }), 0);
    step(0);
    g_messages.clear();
    length = sizeof blob;
    std::memset(blob, 0xEE, sizeof blob);
    EXPECT_EQ(invoke("", &length, blob), VXWL_ERROR_FAIL);
    EXPECT_EQ(blob[0], 0xEE) << "a cancelled window fills nothing";
    step(500);
    EXPECT_EQ(g_messages, std::vector<UINT> { VXWL_MSG_ENABLE_WINDOW });
    DestroyWindow(hwnd);
}

// Older systems ask the service stand-in and the adapter's "ControlFlags": a fresh store seeds
// both from the world; newer systems answer the world's value. The first start on a store
// chooses the configuration tool, later ones find it chosen.
TEST_F(LibraryTest, ZeroConfigurationAndTheConfigurationToolChoice)
{
    struct Case {
        int os;
        int zero_config;
        bool service_running;
        int answer_seeded;
        int answer_service_stopped;
    };
    for (Case const c : { Case { 8, 2, true, 2, 0 }, Case { 8, 0, false, 0, 0 }, Case { 12, 2, true, 2, 2 }, Case { 12, 0, false, 0, 0 } }) {
        SCOPED_TRACE(std::to_string(c.os) + "/" + std::to_string(c.zero_config));
        TearDown();
        SetUp();
        ::setenv("ZORVEL_DATA_DIR", (m_folder + "/data").c_str(), 1);
        std::string text = kScenario;
        text.insert(text.find("[world]\n") + 8,
            "os = " + std::to_string(c.os) + "\nzero_config = " + std::to_string(c.zero_config) + "\nconfig_tool = 0\n");
        std::ofstream(m_folder + "/world.ini") << text;
        start();
        auto is_zero_config = bind<PFN_VXWL_IsZeroConfig>("VXWL_IsZeroConfig");
        EXPECT_EQ(is_zero_config(), c.answer_seeded);
        EXPECT_EQ(platform::system::service_state("WZCSVC") == SERVICE_RUNNING, c.service_running);
        platform::system::set_service_state("WZCSVC", SERVICE_STOPPED);
        EXPECT_EQ(is_zero_config(), c.answer_service_stopped);

        auto run_once = bind<PFN_VXWL_RunOnceInitConfigTool>("VXWL_RunOnceInitConfigTool");
        int choice = 9;
        EXPECT_EQ(run_once(&choice), 0);
        EXPECT_EQ(choice, 0);
        choice = 9;
        EXPECT_EQ(run_once(&choice), 1);
        EXPECT_EQ(choice, 9);
        ::unsetenv("ZORVEL_DATA_DIR");
    }
}

namespace {

std::vector<std::pair<UINT, LPARAM>> g_ccx_messages;
LRESULT record_ccx(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message >= VXWL_MSG_CCX_DIAG_FIRST && message <= VXWL_MSG_CCX_DIAG_LAST)
        g_ccx_messages.emplace_back(message, message == VXWL_MSG_CCX_DIAG_FIRST + 2 ? LPARAM(wparam) : lparam);
    return DefWindowProc(hwnd, message, wparam, lparam);
}

}

// The WMM calls change only their own fields of the stored setting (WMM on before anything is
// stored); the peer address and timeout persist, and reading nothing fails; the CCX word
// written as a four-byte value is the one read back.
TEST_F(LibraryTest, WmmSettingCallsKeepToTheirFields)
{
    start();
    auto query = bind<PFN_VXWL_QueryAndReadWMMCapability>("VXWL_QueryAndReadWMMCapability");
    WMM_SETTING s {};
    ASSERT_EQ(query(&s), VXWL_ERROR_SUCCESS);
    EXPECT_EQ(s.WMMEnable, 1u);
    EXPECT_EQ(s.APSDEnable, 0u);
    WMM_SETTING all { 1, 1, 1, 1, 1, 1, 1, 1 };
    bind<PFN_VXWL_SetAndWriteAPSDSetting>("VXWL_SetAndWriteAPSDSetting")(all);
    query(&s);
    EXPECT_EQ(s.AC_BE + s.AC_BK + s.AC_VI + s.AC_VO, 4u);
    EXPECT_EQ(s.APSDEnable, 0u);
    EXPECT_EQ(s.DLSEnable, 0u);
    bind<PFN_VXWL_EnableAPSD>("VXWL_EnableAPSD")(all);
    query(&s);
    EXPECT_EQ(s.APSDEnable, 1u);
    EXPECT_EQ(s.DLSEnable, 0u);
    bind<PFN_VXWL_EnableDLSetup>("VXWL_EnableDLSetup")(all);
    WMM_SETTING none {};
    bind<PFN_VXWL_UpdateWMMEnable>("VXWL_UpdateWMMEnable")(none);
    query(&s);
    EXPECT_EQ(s.DLSEnable + s.WMMEnable + s.APSDEnable, 0u);
    EXPECT_EQ(s.AC_VO, 1u) << "the categories stay";

    char mac[128] {};
    VXWL_U32 timeout = 7;
    EXPECT_EQ(bind<PFN_VXWL_ReadWMMMacAddr>("VXWL_ReadWMMMacAddr")(mac), VXWL_ERROR_FAIL);
    EXPECT_EQ(bind<PFN_VXWL_ReadWMMTimeout>("VXWL_ReadWMMTimeout")(&timeout), VXWL_ERROR_FAIL);
    bind<PFN_VXWL_WriteWMMMacAddr>("VXWL_WriteWMMMacAddr")("023000000001");
    bind<PFN_VXWL_WriteWMMTimeout>("VXWL_WriteWMMTimeout")(65535);
    EXPECT_EQ(bind<PFN_VXWL_ReadWMMMacAddr>("VXWL_ReadWMMMacAddr")(mac), VXWL_ERROR_SUCCESS);
    EXPECT_STREQ(mac, "023000000001");
    EXPECT_EQ(bind<PFN_VXWL_ReadWMMTimeout>("VXWL_ReadWMMTimeout")(&timeout), VXWL_ERROR_SUCCESS);
    EXPECT_EQ(timeout, 65535u);

    VXWL_U32 const word = 0xE0001234u;
    bind<PFN_VXWL_WriteRegValue>("VXWL_WriteRegValue")("CCX2Control", 4, &word, 4);
    VXWL_U32 read = 0;
    bind<PFN_VXWL_ReadCCX2Cont>("VXWL_ReadCCX2Cont")(&read);
    EXPECT_EQ(read, word);
}

// Direct links come up after dls_ms and end when the peer ends them.
TEST_F(LibraryTest, DirectLinksComeUpAndThePeerEndsThem)
{
    start();
    DLS_ENTRY e {};
    std::uint8_t const peer[6] = { 0x02, 0x30, 0, 0, 0, 0x01 };
    std::memcpy(e.MacAddr, peer, 6);
    e.TimeOut = 60;
    e.InUse = 1;
    ASSERT_EQ(bind<PFN_VXWL_SetDLSParameter>("VXWL_SetDLSParameter")(e), VXWL_ERROR_SUCCESS);
    auto query = bind<PFN_VXWL_QueryDLSParameter>("VXWL_QueryDLSParameter");
    DLS_ENTRY table[DLS_TABLE_ENTRIES] {};
    query(table);
    EXPECT_EQ(table[0].InUse, 1);
    EXPECT_NE(table[0].State, DLS_STATE_LINK_UP);
    step(1000);
    query(table);
    EXPECT_EQ(table[0].State, DLS_STATE_LINK_UP);
    ASSERT_EQ(run_wlansim({ "dls-down", "02:30:00:00:00:01" }), 0);
    for (int i = 0; i < 100 && table[0].InUse; ++i) {
        step(10);
        query(table);
    }
    EXPECT_EQ(table[0].InUse, 0);
}

// A test run's messages reach the program's window from the library's thread; a stop ends it.
TEST_F(LibraryTest, DiagnosticRunsPostToTheProgramsWindow)
{
    WNDCLASS wc {};
    wc.lpfnWndProc = record_ccx;
    wc.lpszClassName = "VxWlapiCcxWindow";
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "VxWlapiCcxWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    start(hwnd);
    step(1000);
    g_ccx_messages.clear();
    auto s64 = bind<PFN_VXWL_WlanSendS64Start>("VXWL_WlanSendS64Start");
    EXPECT_EQ(s64(u"Diagnostic Channel"), VXWL_ERROR_SUCCESS);
    for (int i = 0; i < 4; ++i)
        step(500);
    using M = std::vector<std::pair<UINT, LPARAM>>;
    EXPECT_EQ(g_ccx_messages, (M { { 0x404, 1 }, { 0x406, 1 }, { 0x406, 2 }, { 0x406, 3 } }));

    char text[256];
    std::memset(text, 'x', sizeof text);
    bind<PFN_VXWL_WlanBuildIHVMessage>("VXWL_WlanBuildIHVMessage")(2, text);
    EXPECT_LT(std::strlen(text), 256u);
    EXPECT_GT(std::strlen(text), 0u);

    g_ccx_messages.clear();
    ASSERT_EQ(run_wlansim({ "world-set", "ccx_dc=fail-second" }), 0);
    step(0);
    s64(u"Home");
    step(500);
    bind<PFN_VXWL_WlanSendClientAbort>("VXWL_WlanSendClientAbort")();
    step(2000);
    EXPECT_EQ(g_ccx_messages, (M { { 0x404, 0 } }));

    // A profile activated through the library is in the system's store.
    auto exists = bind<PFN_VXWL_WlanIsWindowsProfileExist>("VXWL_WlanIsWindowsProfileExist");
    EXPECT_EQ(exists("Mine"), 0);
    WLANPROFILE p {};
    std::snprintf(p.strProfileName, sizeof p.strProfileName, "Mine");
    bind<PFN_VXWL_SetWLANProfile>("VXWL_SetWLANProfile")(&p);
    EXPECT_EQ(exists("Mine"), 1);
    DestroyWindow(hwnd);
}
