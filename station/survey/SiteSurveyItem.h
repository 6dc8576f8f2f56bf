// One row of the site survey page's network list: what the list shows of one scan entry.
#pragma once

#include <string>

struct SITESURVEY_ITEM {
    int nNetworkType {};  // InfrastructureMode: 0 ad hoc, 1 infrastructure; -1 on placeholder rows
    int nRadioType {};    // NetworkTypeInUse: 0 FH, 1 DS, 2 OFDM5, 3 OFDM24; -1 on placeholder rows
    int nSignal {};       // dBm; -1 means none
    std::string strSsid;
    std::string strChannel;
    int bConnected {};
    int bSecured {};
    int bWps {};
    int bHt {};
    int bGOnly {};
    int nWapiType {};
    // Where the row's scan entry lies in the page's list (byte offset and Length); -1 on rows
    // that show no entry.
    int nEntryOffset { -1 };
    int nEntryLength {};
};

// The SSID that marks the placeholder row shown while a scan is awaited.
inline constexpr char kScanWaitSsid[] = "ScanWait";
