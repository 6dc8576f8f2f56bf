// The store's records as another process (or a damaged disk) may have left them: any bytes as
// the radio state, the operating mode, the profiles and the live command log. Opening the
// world over them, replaying the log and reading the records must stay within what was read.
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string const& folder()
{
    static std::string const path = [] {
        char templ[] = "/tmp/store-fuzz-XXXXXX";
        return std::string(::mkdtemp(templ));
    }();
    return path;
}

constexpr char kWorld[] = "[adapter:a]\nname = A\n[ap:open]\nssid = Open\nchannel = 1\n";

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    wlan::sim::Store store(folder());
    for (char const* key : { "radio_sw", "op_mode", "profiles", "active_profile", "live.cmd" }) {
        std::string const bytes = input.ConsumeRandomLengthString(4096);
        std::ofstream(store.path_of(key), std::ios::binary | std::ios::trunc) << bytes;
    }
    wlan::sim::World world(wlan::sim::parse_scenario(kWorld).world, &store, 0);
    wlan::sim::LiveLog(store).apply_new(world, 0);
    if (world.op_mode() < 0 || world.op_mode() > 2)
        __builtin_trap();
    auto const profiles = store.profiles();
    auto const bytes = store.read("profiles");
    if (!profiles.empty() && (!bytes || bytes->size() != profiles.size() * sizeof(WLANPROFILE)))
        __builtin_trap();
    store.read_text("active_profile");
    return 0;
}
