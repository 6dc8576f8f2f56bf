// Live changes of a running world, written by the wlansim tool and read by every program
// that has the same store open through the store's live command log (LiveLog.h).
//
// The commands are one table (LiveCommands.cpp): each entry names its arguments, how many it
// takes and the handler that checks their types and applies them, so wlansim's usage text, its
// argument checks and the replay of the log all come from the same place.
#pragma once

#include "wlan/sim/LiveLog.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wlan::sim {

class Store;
class World;

// Bounds of what a command may carry: an id, one word, a whole line.
constexpr std::size_t kMaxLiveId = 64;
constexpr std::size_t kMaxLiveWord = 256;
constexpr std::size_t kMaxLiveLine = 1024;

// The topic of the letter (platform/system/ProcessLetters.h) that tells running programs the
// log has grown, so that they apply it at once instead of looking for changes.
constexpr std::uint32_t live_log_topic = 0x564c4f47; // "VLOG"

// Applies one command; returns an error text, empty on success. An empty line is an error.
std::string apply_live_command(World& world, std::string const& line, std::uint64_t now);

// Handlers of the commands of the access point side and of the machine (LiveSoftAp.cpp), as
// the command table calls them with the words after the command's name: stations, the soft
// access point, block-ack agreements, world keys, power and the driver's mode.
namespace live {
using Args = std::span<std::string const>;
std::string sta_add(World& world, Args args, std::uint64_t now);
std::string sta_set(World& world, Args args, std::uint64_t now);
std::string sta_remove(World& world, Args args, std::uint64_t now);
std::string sta_join(World& world, Args args, std::uint64_t now);
std::string sta_leave(World& world, Args args, std::uint64_t now);
std::string softap(World& world, Args args, std::uint64_t now);
std::string ba(World& world, Args args, std::uint64_t now);
std::string ba_peer(World& world, Args args, std::uint64_t now);
std::string world_set(World& world, Args args, std::uint64_t now);
std::string power(World& world, Args args, std::uint64_t now);
std::string mode(World& world, Args args, std::uint64_t now);
// The peer of a direct link ends it (WorldWmm.cpp).
std::string dls_down(World& world, Args args, std::uint64_t now);
}

// Checks command-line words before they are joined into one line: not empty, no white space
// or control characters (a newline would smuggle in a second command), within the bounds.
std::string check_live_words(std::vector<std::string> const& words);

// One "<command> <arguments>" line per command, for a usage text.
std::vector<std::string> live_command_usage();

}
