// What the WMM page works out from its fields: the power-save status text, the direct-link
// rows of the library's table, the set-up form's checks, and whether a change of WMM, direct
// links or power save makes the station join its network again (and the re-join itself).
#pragma once

#include "wlan/api/Wmm.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The power-save categories as the page's boxes hold them.
struct WMM_CATEGORIES {
    int nBE {};
    int nBK {};
    int nVI {};
    int nVO {};
};

// `enabled` followed by ":AC_BE", ":AC_BK", ":AC_VI" and ":AC_VO" for the categories that are on,
// in that order.
std::string PowerSaveStatusText(std::string const& enabled, WMM_CATEGORIES const& categories);

// One live direct link as the list shows it.
struct DLS_ROW {
    std::string strMac;   // "%02X-%02X-%02X-%02X-%02X-%02X"
    int nTimeout {};
};

std::string FormatDlsMac(std::uint8_t const (&mac)[6]);
// The links in use whose state is link-up, in table order.
std::vector<DLS_ROW> DlsRows(DLS_ENTRY const (&table)[DLS_TABLE_ENTRIES]);

// The set-up form's verdict, in the order the checks run.
enum class DlsFormResult { Ok, InvalidMac, GroupAddress, InvalidTimeout };

struct DlsFormCheck {
    DlsFormResult result { DlsFormResult::Ok };
    // The entry to send, the 12 digits to store, and whether an empty timeout became 60 (the
    // page says so and goes on).
    DLS_ENTRY entry {};
    std::string strMacDigits;
    bool bTimeoutDefaulted { false };
};

// Checks the six MAC fields (exactly two hexadecimal digits each; not all 0, not all FF, not
// the adapter's own address, not a group address) and the timeout (all digits; 0 or 21-65535;
// empty gives 60).
DlsFormCheck CheckDlsForm(std::array<std::string, 6> const& mac_texts, std::string const& timeout_text,
    std::uint8_t const (&own_mac)[6]);

// The encryption values of the status record under which a WMM change re-joins: 4, 5, 6, 7, 10
// and 11.
bool WmmChangeRejoins(std::uint32_t encryption);

// Joins the connected network again when its encryption asks for it: on newer systems by
// disconnecting and connecting the status record's profile, on older ones by disassociating,
// setting the SSID again and handing the CCX word to the driver.
void RejoinAfterWmmChange();
