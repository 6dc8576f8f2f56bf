// The running program on the default world (ad hoc WPA2-AES on, WAPI offered) for the security
// matrix: the library's callback events recorded on their way to the program, the link's
// status, the waits on the manual clock, and what a connection and a wrong secret show. Each row
// of a matrix prints its wall time ("row\t<name>\t<ms>"), which bench/security_matrix.sh
// collects from a release build.
#pragma once

#include "config_window_harness.h"

#include "platform/display/Snapshots.h"
#include "platform/system/Module.h"
#include "station/app/HideDlg.h"
#include "station/app/StatusCallback.h"
#include "station/core/HideDlgIds.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "wlan/profile/ProfileFields.h"
#include "wlan/sim/KeyMaterial.h"
#include "wlan/sim/Store.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <regex>
#include <sstream>

namespace station::testing {

inline std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string default_world(int os)
{
    std::string const text = read_file(std::string(VXWLAPI_FOLDER) + "/scenarios/default.ini");
    return std::regex_replace(text, std::regex("\nos = 12\n"), "\nos = " + std::to_string(os) + "\nadhoc_wpa2_aes = 1\n");
}

inline std::string cert(char const* name) { return std::string(VXWLAPI_FOLDER) + "/scenarios/certs/" + name; }

// [SECTION] The library's callback events, recorded on their way to the program

inline std::mutex g_events_lock;
inline std::vector<unsigned> g_events;

inline void recording_callback(unsigned event, void* data, char* out)
{
    {
        std::lock_guard lock(g_events_lock);
        g_events.push_back(event & 0xFF);
    }
    station::core::rsCallBackFunc(event, data, out);
}

inline std::vector<unsigned> events()
{
    std::lock_guard lock(g_events_lock);
    return g_events;
}

inline void clear_events()
{
    std::lock_guard lock(g_events_lock);
    g_events.clear();
}

// The events `wanted` happened in this order, others between them.
inline bool in_order(std::vector<unsigned> const& wanted)
{
    auto const all = events();
    auto at = all.begin();
    for (unsigned e : wanted) {
        at = std::find(at, all.end(), e);
        if (at == all.end())
            return false;
        ++at;
    }
    return true;
}

inline bool has_event(unsigned event)
{
    auto const all = events();
    return std::find(all.begin(), all.end(), event) != all.end();
}

// How a wrong secret shows.
enum class Failure { None, Icv, AssocFail, NoMedia, IdentityRejected, AuthTimeout };

class SecurityMatrixTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        world(default_world(12));
        options("0,1,2,3,6,9,10", { { "SupportWAPI", "1" } });
    }

    static WLAN_STATUS status()
    {
        WLAN_STATUS s {};
        WLAN_STATUS_REQUEST request {};
        request.Switch[1] = 1;
        G_VxWlLib.VXWL_QueryWLANStatus(&s, request);
        return s;
    }
    static std::string ssid_of(WLAN_STATUS const& s)
    {
        return std::string(reinterpret_cast<char const*>(s.Ssid.Ssid), std::min<std::uint32_t>(s.Ssid.SsidLength, 32));
    }
    static bool connected_to(std::string const& ssid)
    {
        WLAN_STATUS const s = status();
        return s.Status == VxStatus_Connected && ssid_of(s) == ssid;
    }
    static bool signal_icon(UINT icon) { return icon == IDI_SIGNAL_GOOD || icon == IDI_SIGNAL_NORMAL || icon == IDI_SIGNAL_WEAK; }
    static void click(CWnd* button)
    {
        ASSERT_NE(button, nullptr);
        button->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
    }
    static void activate(CPageProfileDlg& page, std::string const& name)
    {
        page.RefreshProfileList(TRUE);
        page.m_listProfile.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row = 0; row < page.RowCount(); ++row)
            if (page.Row(row).strName == name.c_str())
                page.m_listProfile.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        click(page.GetDlgItem(CPageProfileDlg::IDC_ACTIVATE));
    }
    // Takes the library's callback through the recorder (the adapter selected again, as after
    // a resume).
    static void record_events(CHideDlg& dialog)
    {
        ASSERT_EQ(G_VxWlLib.VXWL_AdapterSelect(&G_VxWlLib.adapter, &recording_callback, dialog.m_hWnd), VXWL_ERROR_SUCCESS);
        clear_events();
    }

    void store(std::vector<WLANPROFILE> const& profiles)
    {
        wlan::sim::Store s(folder() + "/store");
        ASSERT_TRUE(s.save_profiles(profiles));
    }

    // The right secret connects: the media connects, the link reports the profile's SSID,
    // authentication and cipher, the tray shows a signal.
    static void expect_connects(CHideDlg& dialog, WLANPROFILE const& p)
    {
        std::string const ssid = wlan::profile::read_ssid(p);
        ASSERT_TRUE(run_until([&] { return connected_to(ssid) && signal_icon(dialog.tray_icon_id()); }, 30000))
            << "state " << status().Status << " icon " << dialog.tray_icon_id();
        WLAN_STATUS const s = status();
        EXPECT_EQ(s.AuthMode, p.enumAuthenMode);
        EXPECT_EQ(s.EncryptionStatus, p.enumEncryStatus);
        bool const eap = p.b8021X || p.enumAuthenMode == AUTH_WPA2 || p.enumAuthenMode == AUTH_WPA || p.enumAuthenMode == AUTH_CCKM;
        if (eap) {
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING,
                RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_AU_STATUS_MEDIA_CONNECT }));
        } else {
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_MEDIA_CONNECT }));
        }
    }
    // The wrong secret: no link to the network, and its own sign.
    static void expect_fails(CHideDlg& dialog, WLANPROFILE const& p, Failure failure)
    {
        std::string const ssid = wlan::profile::read_ssid(p);
        run_for(12000);
        // A wrong WEP key still associates; only its frames fail.
        if (failure != Failure::Icv) {
            EXPECT_FALSE(connected_to(ssid));
        }
        EXPECT_FALSE(signal_icon(dialog.tray_icon_id())) << dialog.tray_icon_id();
        // SECURITY_MATRIX_EVENTS=1 prints the events of each wrong attempt, for a new row's expectations.
        if (::getenv("SECURITY_MATRIX_EVENTS")) {
            for (unsigned e : events())
                std::printf("%u ", e);
            std::printf("\n");
        }
        switch (failure) {
        case Failure::Icv:
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_MEDIA_CONNECT, RS_CBS_ICV_ERROR }));
            EXPECT_EQ(dialog.tray_icon_id(), IDI_WEP_ERROR);
            break;
        case Failure::AssocFail:
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_DOWN }));
            EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_LINK_UP));
            break;
        case Failure::NoMedia:
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_LINK_DOWN }));
            EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_MEDIA_CONNECT));
            break;
        case Failure::IdentityRejected:
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_AUTHENTICATING, RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED }));
            EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_MEDIA_CONNECT));
            EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_AUTHENTICATED));
            break;
        case Failure::AuthTimeout: EXPECT_TRUE(has_event(RS_CBS_AU_STATUS_AUTH_TIMEOUT)); break;
        case Failure::None: break;
        }
    }
};

inline void print_row(std::string const& what, std::chrono::steady_clock::time_point start)
{
    auto const ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("row\t%s\t%lld\n", what.c_str(), static_cast<long long>(ms));
}

}
