// The single sign-on state the station library keeps in the store ("sso.status", the whole
// 1040-byte record) and what the logon side's calls leave there for inspection. The feature is
// installed when the world says so ([world] sso); then the record reads as present.
#pragma once

#include "wlan/api/Profile.h"

#include <string>

namespace wlan::sim {

class Store;
struct WorldSpec;

// The record as the library reports it: zero (not present) when the feature is not installed,
// else the stored record (or the first-use defaults: off, logon credentials, no persistent
// connection, the world's driver description) with its present word set.
SSO_STATUS read_sso(Store const& store, WorldSpec const& world);
bool write_sso(Store& store, SSO_STATUS const& status);
// Switches the feature on or off, keeping the rest of the record.
bool set_sso_enabled(Store& store, WorldSpec const& world, bool enabled);
// One line for wlansim list.
std::string describe_sso(Store const& store, WorldSpec const& world);

}
