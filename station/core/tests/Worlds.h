// Simulated worlds shared by the station utility's tests and benchmarks.
#pragma once

#include <string>

namespace station::testing {

// One adapter, ready at once, on the newest system code, nothing connected.
inline std::string const kOneAdapterWorld = R"([world]
os = 12
admin = 1
ap_mode = 1

[adapter:wlan0]
name = Wireless Network Connection
description = Test USB Wireless LAN Card
hardware_id = USB\VID_1A2B&PID_3C4D
location = Port_#0002
mac = 00:1A:2B:3C:4D:5E
kind = 5
device_model = 5
init_delay_ms = 0
)";

}
