// What the profile editor and the security editor take from the 802.1X tab when their OK
// collects the 802.1X settings: the method, its inner methods and session resumption from the
// tab, and the identity, certificate and EAP-FAST values from its sub-tabs. One function for
// both editors, so that a network joined from the site survey gets the same block a stored
// profile would.
#pragma once

#include "station/core/EapSettingData.h"

class CPage8021XDlg;

// Fills the fields of `block` that the 802.1X tab decides; the domain name and the fields the
// tab leaves alone keep their values.
void Collect8021XBlock(CPage8021XDlg const& tab, EAP_SETTING_DATA& block);
