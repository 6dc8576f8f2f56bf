// The contract of the diagnostics library "Pranto.dll": its five exports, looked up by name,
// and the 18-byte result record of its ping test. Multi-byte counts in the record are written
// high byte first; the address is the gateway's, first octet first.
#pragma once

#include "wlan/api/Layout.h"
#include "wlan/api/Records.h"

#include <cstddef>
#include <cstdint>

extern "C" {

// The ping test's result: the library writes it into the caller's buffer.
struct PRANTO_PING_RESULT {
    std::uint8_t IpVersion;    // 0: 4 or 6
    std::uint8_t Ipv4[4];      // 1
    std::uint8_t Mac[6];       // 5: the access point's
    std::uint8_t Sent;         // 11
    std::uint8_t Received[2];  // 12
    std::uint8_t MinimumMs[2]; // 14
    std::uint8_t MaximumMs[2]; // 16
};

// Answers of PrantoAction; any other value is an error the caller shows no line for.
enum : int { PRANTO_OK = 0, PRANTO_FAILED = 1, PRANTO_BUFFER_TOO_SMALL = 10 };
// The action that pings the gateway.
constexpr int PRANTO_ACTION_PING = 2;
// The size the caller offers for the result.
constexpr std::uint32_t PRANTO_RESULT_BUFFER = 1024;
constexpr int PRANTO_INVALID_HANDLE = -1;

// Opens the adapter named at byte 520 of its adapter record; a handle, or -1.
using PRANTO_raOpenAdapter_t = int (*)(char const* adapter_name);
using PRANTO_raCloseAdapter_t = int (*)(int handle);
// Runs `action` on the opened adapter; `size` gives the buffer's size and receives the result's.
using PrantoAction_t = int (*)(int handle, AdapterEntry const* adapter, int action, std::uint8_t* result,
    std::uint32_t* size, int flags);
using ClientRptAction_t = int (*)(void);
using PRANTO_GetWinOS_t = int (*)(void);

}

// Where PRANTO_raOpenAdapter's argument starts in the adapter record.
constexpr std::size_t PRANTO_ADAPTER_NAME_OFFSET = 520;

WLAN_ASSERT_SIZE(PRANTO_PING_RESULT, 18);
WLAN_ASSERT_OFFSET(PRANTO_PING_RESULT, Ipv4, 1);
WLAN_ASSERT_OFFSET(PRANTO_PING_RESULT, Mac, 5);
WLAN_ASSERT_OFFSET(PRANTO_PING_RESULT, Sent, 11);
WLAN_ASSERT_OFFSET(PRANTO_PING_RESULT, Received, 12);
WLAN_ASSERT_OFFSET(PRANTO_PING_RESULT, MinimumMs, 14);
WLAN_ASSERT_OFFSET(PRANTO_PING_RESULT, MaximumMs, 16);
