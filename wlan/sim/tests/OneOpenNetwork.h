// The smallest world the live-log tests need: one adapter and one open network.
#pragma once

namespace wlan::sim::test_worlds {

inline constexpr char kOneOpenNetwork[] = R"(
[adapter:a]
name = A
[ap:open]
ssid = Open
bssid = 02:00:00:00:00:01
channel = 1
rssi = -50
)";

}
