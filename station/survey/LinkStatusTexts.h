// The text rules of the link status page, as free functions so that they are tested without a
// window: throughput and peak values, security and power texts, the status lines and the
// signal captions built from language texts.
#pragma once

#include "platform/gdi/Gdi.h"
#include "wlan/api/Records.h"

#include <cstdint>
#include <optional>
#include <string>

namespace station::survey {

// A network name cut to `limit` bytes (never inside a UTF-8 character) with ".." when longer.
std::string ShortSsid(std::string const& ssid, std::size_t limit);

// "%.3f Mbps" from 1.0 Mbps up, else "%.3f Kbps" of the value in kbit/s.
std::string ThroughputText(double mbps);
// (current - previous) bytes over the two seconds between refreshes, in Mbps; 0 when the
// counter fell (a driver reset or a wrap).
double ThroughputMbps(std::uint32_t current, std::uint32_t previous);

// The authentication mode of the status record ("WPA2-PSK"); an unknown mode reads "Open".
std::string AuthenticationText(std::uint32_t mode);
// The encryption status ("AES", "TKIP(MFP)"); unknown values read "NONE". `mfp` appends
// "(MFP)" to TKIP and AES (statuses 4 to 7).
std::string EncryptionText(std::uint32_t status, bool mfp);
// "100%", "Lowest" for 6 or less, else "<n>%".
std::string TxPowerText(std::uint32_t percent);

// The network name of a status record: its stated length, at most the 32 bytes of the field.
std::string StatusSsid(WLAN_STATUS const& status);
// "%02X-%02X-%02X-%02X-%02X-%02X".
std::string BssidText(std::uint8_t const (&bssid)[6]);
// "%d.%d.%d.%d".
std::string AddressText(std::uint8_t const (&address)[4]);

struct StatusLines {
    std::string line1;
    std::string line2;
};
// The two status lines: with the access point's address (`ap` given and not 0.0.0.0) the SSID
// is cut to 3 characters, line 1 ends in a blank and line 2 shows the address and the name;
// without it the SSID is cut to 10 characters and line 2 is empty. A cut SSID ends in "..".
StatusLines BuildStatusLines(WLAN_STATUS const& status, AP_ADDRESS_RECORD const* ap);
// "<ssid> <--> <bssid>", the tool tip of the status line.
std::string StatusTip(WLAN_STATUS const& status);

// A language text with its first "%d" replaced by `value`; nothing else of it is read as a
// format.
std::string FormatOneNumber(std::string const& text, int value);
// The same text made safe for a bar caption, whose format turns "%%" into "%".
std::string CaptionLiteral(std::string const& text);

// The first and last gradient colour of a quality bar: red below 35, yellow to 69, green to
// 100; nothing above 100 (the bar keeps its colours).
std::optional<COLORREF> QualityColour(std::uint32_t percent);

}
