// The station utility running in the test's process on a world with networks to connect to:
// stored profiles written into the library's store, the profile handed to the library caught on
// its way, and the waits for the library's and the workers' threads, each bounded.
#pragma once

#include "AppHarness.h"
#include "platform/system/Module.h"
#include "platform/user/Testing.h"
#include "station/app/StatusCallback.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/AuthStatusRing.h"
#include "station/core/tests/LibraryRecorder.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "wlan/sim/Store.h"

#include <atomic>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>

namespace station::testing {

// One open network, one PEAP network whose account henry's password has expired, and the
// domain of the logon component with its controller.
inline std::string connection_world(int os = 12, std::string const& extra_world = {})
{
    return "[world]\nos = " + std::to_string(os) + "\nadmin = 1\nap_mode = 1\ndhcp_ms = 3000\n"
        + "logon_domain = VEXLORCORP\ndomain_controller = dc01\n" + extra_world
        + "\n[adapter:wlan0]\nname = Wireless Network Connection\ndescription = Test Card\n"
          "hardware_id = USB\\VID_1A2B&PID_3C4D\nmac = 00:1A:2B:3C:4D:5E\nkind = 5\ninit_delay_ms = 0\n"
          "\n[ap:cafe]\nssid = Cafe\nbssid = 02:10:00:00:00:01\nchannel = 1\nrssi = -48\n"
          "\n[ap:corp]\nssid = Corp\nbssid = 02:10:00:00:00:08\nchannel = 6\nrssi = -50\nsecurity = wpa2\n"
          "cipher = aes\naccounts = peap:alice:wonderland; peap:henry:winter:expired\n";
}

inline WLANPROFILE make_profile(char const* name, char const* ssid)
{
    WLANPROFILE p {};
    std::snprintf(p.strProfileName, sizeof p.strProfileName, "%s", name);
    p.SSID.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
    p.enumNetworkType = 1;
    p.enumEncryStatus = ENC_NONE;
    return p;
}

inline WLANPROFILE peap_profile(char const* name, char const* identity, char const* password)
{
    WLANPROFILE p = make_profile(name, "Corp");
    p.enumAuthenMode = AUTH_WPA2;
    p.enumEncryStatus = ENC_AES;
    p.b8021X = 1;
    p.enumAuthenProtocol = EAP_PEAP;
    std::snprintf(p.chID, sizeof p.chID, "%s", identity);
    std::snprintf(p.chPassword, sizeof p.chPassword, "%s", password);
    return p;
}

// The records handed to VXWL_SetWLANProfile, caught before the library takes them.
class ProfileCatcher {
public:
    static void install()
    {
        std::lock_guard lock(mutex());
        records().clear();
        original() = G_VxWlLib.VXWL_SetWLANProfile.get();
        G_VxWlLib.VXWL_SetWLANProfile.bind(&catch_profile);
    }
    static std::vector<WLANPROFILE> caught()
    {
        std::lock_guard lock(mutex());
        return records();
    }

private:
    static int catch_profile(WLANPROFILE* profile)
    {
        {
            std::lock_guard lock(mutex());
            records().push_back(*profile);
        }
        return original()(profile);
    }
    static std::mutex& mutex()
    {
        static std::mutex m;
        return m;
    }
    static std::vector<WLANPROFILE>& records()
    {
        static std::vector<WLANPROFILE> r;
        return r;
    }
    static PFN_VXWL_SetWLANProfile& original()
    {
        static PFN_VXWL_SetWLANProfile f = nullptr;
        return f;
    }
};

class ConnectionHarness : public AppHarness {
protected:
    void SetUp() override
    {
        AppHarness::SetUp();
        ::setenv("ZORVEL_DATA_DIR", (folder() + "/data").c_str(), 1);
        world(connection_world());
    }
    void TearDown() override
    {
        AppHarness::TearDown();
        ::unsetenv("ZORVEL_DATA_DIR");
    }

    wlan::sim::Store store() const { return wlan::sim::Store(folder() + "/store"); }
    void store_profiles(std::vector<WLANPROFILE> const& profiles, char const* active)
    {
        auto s = store();
        ASSERT_TRUE(s.save_profiles(profiles));
        ASSERT_TRUE(s.write_text("active_profile", active));
    }

    // Pumps the user-interface thread until `done`, letting the library's and the workers'
    // threads run; fails after a bounded number of rounds.
    static bool pump_until(std::function<bool()> const& done, int rounds = 20000)
    {
        for (int i = 0; i < rounds; ++i) {
            platform::testing::pump_until_idle();
            if (done())
                return true;
            std::this_thread::yield();
        }
        return done();
    }

    // Moves the clock in steps, letting the library deliver what each step brings.
    static void advance_settled(std::uint64_t ms, std::uint64_t step = 100)
    {
        for (std::uint64_t t = 0; t < ms; t += step) {
            platform::testing::advance(step);
            settle();
        }
    }
    static void settle()
    {
        // Looked up each time: every run loads the library anew, maybe at another address.
        using Settle = void (*)();
        Settle const fn = reinterpret_cast<Settle>(GetProcAddress(G_VxWlLib.hModule, "VXSIM_Settle"));
        if (fn)
            fn();
        platform::testing::pump_until_idle();
    }

    // Lets the start-up's reconnection (4 s after the card initialisation) pass.
    static void pass_start_up() { advance_settled(4100); }

    // Sends ACTION_INSERT_EXEC from the profile page with `profile` as its pending action.
    static void connect_from_profile_page(CHideDlg& dialog, WLANPROFILE const& profile)
    {
        CPageProfileDlg* page = dialog.m_pVxUI->m_pPageProfileDlg;
        page->m_nActionType = actionTypeProfile;
        *page->m_pActionProfile = profile;
        dialog.SendMessage(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG, 0);
    }

    static std::vector<std::string> ring_lines()
    {
        std::vector<std::string> out;
        for (int i = 0; i < station::core::AuthStatusRing::kSlots; ++i) {
            std::string const s = station::core::AuthStatusRing::the().slot(i);
            if (!s.empty())
                out.push_back(s);
        }
        return out;
    }
    static bool ring_has(std::string const& line)
    {
        auto const lines = ring_lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

}
