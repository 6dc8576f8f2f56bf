// EAP-FAST's protected access credentials as the simulated server makes them: a block of its
// own layout ("PAC", the authority's identity, the identity it was made for, one a line), kept
// by the library in the store's "pac" folder under the identity's name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wlan::sim {

// The block the server provisions (PAC_BLOCK's size).
std::vector<std::uint8_t> pac_block(std::string const& aid, std::string const& identity);
// "<store folder>/pac/<identity>.pac"; separators and dots in the identity become '_'.
std::string pac_file_path(std::string const& store_folder, std::string identity);
// True when the file at `path` is a PAC made by the authority `aid`.
bool pac_holds_aid(std::string const& path, std::string const& aid);

}
