// Whether the retry timer reconnects: the current profile against the link the driver reports.
// A driver that reports an enabled cipher's "key absent" state for the profile's cipher still
// runs the profile's network, so those pairs count as equal.
#pragma once

#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"

struct RetryInputs {
    WLANPROFILE const& profile;
    WLAN_STATUS const& status;
    // The element digest of the connected access point's scan entry; zero when none matched.
    IE_INFO_WPA const& digest;
    bool wpa_capable;
};

// True when the link is not the profile's and the profile is to be connected again.
bool DecideRetry(RetryInputs const& in);
