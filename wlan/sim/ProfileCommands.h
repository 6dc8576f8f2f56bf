// Stored profiles made from the command line (wlansim profile-add / profile-activate), as the
// station utility's profile editor would store them.
//
//   profile-add <name> key=value ...    keys: ssid, bssid (locks the profile to it), network
//                                       (infrastructure, adhoc), auth (open, shared, wpa,
//                                       wpa-psk, wpa-none, wpa2, wpa2-psk, wapi-psk, wapi-cert,
//                                       cckm), cipher (wep, none, tkip, aes, sms4), key (the
//                                       pre-shared key or WEP key 1), key1 to key4, eap (peap,
//                                       tls, ttls, fast, md5, leap), tunnel, identity, password,
//                                       password_mode
//   profile-activate <name>
//   profiles                            one tab-separated line per stored profile ("profile",
//                                       ID, name, SSID, auth/cipher[/eap], "pac <count>"), then
//                                       "active" and the active profile's name
#pragma once

#include "wlan/api/Profile.h"

#include <string>
#include <vector>

namespace wlan::sim {

class Store;

// Builds the profile `name` from `settings` ("key=value"); an error text, empty on success.
std::string make_profile(std::string const& name, std::vector<std::string> const& settings, WLANPROFILE& out);
// Adds the profile, or replaces the stored one of that name (keeping its ID).
std::string add_profile(Store& store, std::string const& name, std::vector<std::string> const& settings);
std::string activate_profile(Store& store, std::string const& name);
// What `wlansim profiles` prints.
std::string list_profiles(Store& store);
// "wpa2-psk/aes", with "/peap" (the EAP method) for an 802.1X profile.
std::string security_text(WLANPROFILE const& p);

}
