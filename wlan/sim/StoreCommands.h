// wlansim's commands that change what the library keeps in the store rather than the radio
// world: the certificate stores (cert-add, cert-remove) and the single sign-on switch (sso).
// They take effect at the library's next look into the store; no running program is told.
#pragma once

#include <string>
#include <vector>

namespace wlan::sim {

class Store;
struct WorldSpec;

bool is_store_command(std::string const& name);
// Runs `words` (the command and its arguments); returns an error text, empty on success. A
// certificate's file= is read at once, relative to the current folder.
std::string run_store_command(Store& store, WorldSpec const& world, std::vector<std::string> const& words);
// Usage lines, as live_command_usage gives them.
std::vector<std::string> store_command_usage();
// The certificate stores and the single sign-on state, for wlansim list.
std::string describe_store_state(Store const& store, WorldSpec const& world);

}
