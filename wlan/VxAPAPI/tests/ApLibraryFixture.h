// The built access point library, loaded by file name and bound slot by slot by export name as
// the access point utility binds it, against a scripted world of its own, on the manual clock.
// Live commands go through the store's command log, as wlansim writes them.
#pragma once

#include "platform/system/Module.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "wlan/api/ApExports.h"
#include "wlan/sim/LiveLog.h"
#include "wlan/sim/Store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace aptest {

// Every slot, bound by name like the utility's binding.
struct Api {
#define APTEST_SLOT(name, result, params) PFN_VXAP_##name name { nullptr };
    VXAP_EXPORTS(APTEST_SLOT)
#undef APTEST_SLOT
    void (*Settle)() { nullptr };
    int (*CallCount)() { nullptr };
    int (*Call)(int, char*, int, void*, int) { nullptr };
};

inline std::vector<UINT>& window_messages()
{
    static std::vector<UINT> messages;
    return messages;
}

inline LRESULT record_messages(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if ((message >= 0x0400 && message <= 0x040E) || message == WM_DEVICECHANGE || message == WM_POWERBROADCAST)
        window_messages().push_back(message == WM_POWERBROADCAST ? UINT(0x10000 | wparam) : message);
    return DefWindowProc(hwnd, message, wparam, lparam);
}

class ApLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_clock = &platform::testing::use_manual_clock();
        char templ[] = "/tmp/vxapapi-test-XXXXXX";
        m_folder = ::mkdtemp(templ);
        ::setenv("VXSIM_STORE", (m_folder + "/store").c_str(), 1);
        window_messages().clear();
    }
    void TearDown() override
    {
        unload();
        platform::testing::reset_windows();
        std::filesystem::remove_all(m_folder);
        ::unsetenv("VXSIM_SCENARIO");
    }

    // Writes the world and loads the library on it.
    void load(std::string const& scenario)
    {
        std::ofstream(m_folder + "/world.ini") << scenario;
        ::setenv("VXSIM_SCENARIO", (m_folder + "/world.ini").c_str(), 1);
        reload();
    }
    void reload()
    {
        m_module = LoadLibrary(VXAPAPI_FOLDER "/VxAPAPI.dll");
        ASSERT_NE(m_module, nullptr) << "LoadLibrary failed: " << GetLastError();
        m_api = Api {};
#define APTEST_BIND(name, result, params) m_api.name = reinterpret_cast<PFN_VXAP_##name>(GetProcAddress(m_module, "VXAP_" #name));
        VXAP_EXPORTS(APTEST_BIND)
#undef APTEST_BIND
        m_api.Settle = reinterpret_cast<void (*)()>(GetProcAddress(m_module, "VXSIM_Settle"));
        m_api.CallCount = reinterpret_cast<int (*)()>(GetProcAddress(m_module, "VXSIM_ApCallCount"));
        m_api.Call = reinterpret_cast<int (*)(int, char*, int, void*, int)>(GetProcAddress(m_module, "VXSIM_ApCall"));
    }
    void unload()
    {
        if (!m_module)
            return;
        m_api.DeInitial();
        FreeLibrary(m_module);
        m_module = nullptr;
    }

    void live(std::string const& line)
    {
        wlan::sim::Store store(m_folder + "/store");
        ASSERT_TRUE(wlan::sim::append_live_command(store, line)) << line;
    }
    void step(std::uint64_t ms)
    {
        m_clock->advance(ms);
        m_api.Settle();
        platform::testing::pump_until_idle();
    }

    HWND make_window()
    {
        WNDCLASS wc {};
        wc.lpfnWndProc = record_messages;
        wc.lpszClassName = "VxApapiTestWindow";
        RegisterClass(&wc);
        return CreateWindowEx(0, "VxApapiTestWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }

    // Initialises the library, selects the first adapter and serves with the stored
    // configuration in access point mode, as the utility's start does.
    void serve(HWND hwnd = nullptr)
    {
        m_api.Initial("Vexlor", hwnd);
        std::vector<std::uint8_t> list(4 + 3 * sizeof(AdapterEntry));
        ASSERT_EQ(m_api.GetAvailableAdapters(list.data(), 3), 1);
        ASSERT_EQ(m_api.AdapterSelect(reinterpret_cast<AdapterEntry*>(list.data() + 4), 0, hwnd), 1);
        ASSERT_EQ(m_api.SetOPMode(1), 1);
        ApConfigData config {};
        m_api.ReadConfigData(&config);
        ApOptionData options {};
        ASSERT_EQ(m_api.SetConfigData(&config, &options), 1);
    }

    struct Event {
        std::string mac;
        int code;
        bool operator==(Event const&) const = default;
    };
    // Reads the event table until it is empty.
    std::vector<Event> events()
    {
        std::vector<Event> out;
        for (int guard = 0; guard < 100; ++guard) {
            EventTable table {};
            if (!m_api.QueryEventTable(&table))
                break;
            for (std::uint32_t i = 0; i < table.Count; ++i) {
                char mac[18];
                auto const* m = table.Event[i].Mac;
                std::snprintf(mac, sizeof mac, "%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
                out.push_back({ mac, table.Event[i].Code });
            }
        }
        return out;
    }

    std::vector<std::string> table_macs()
    {
        KT_802_11_MAC_TABLE table {};
        EXPECT_EQ(m_api.QueryMacTable(&table), 1);
        std::vector<std::string> out;
        for (std::uint32_t i = 0; i < table.Count; ++i) {
            char mac[18];
            auto const* m = table.Entry[i].Mac;
            std::snprintf(mac, sizeof mac, "%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
            out.push_back(mac);
        }
        return out;
    }

    platform::ManualClock* m_clock { nullptr };
    std::string m_folder;
    HMODULE m_module { nullptr };
    Api m_api;
};

}
