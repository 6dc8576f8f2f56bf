// The system's ping command as the simulated world has it: "ping a.b.c.d" prints at once, with
// no real waiting, four replies and the statistics when the station is connected and the
// address is its gateway, four time-outs otherwise. The reply times run from the world's
// ping_ms range; the link comes from the store, as the station library published it.
#include "wlan/sim/PublishedLink.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace wlan::sim;

namespace {

std::string dotted(std::uint8_t const (&a)[4])
{
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." + std::to_string(a[3]);
}

void print_replies(std::string const& target, PublishedLink const& link)
{
    // The smallest and the largest of the range, and its middle twice.
    int const middle = (link.ping_min_ms + link.ping_max_ms) / 2;
    int const times[4] = { middle, link.ping_min_ms, link.ping_max_ms, middle };
    int sum = 0;
    for (int t : times) {
        std::printf("Reply from %s: bytes=32 time=%dms TTL=64\r\n", target.c_str(), t);
        sum += t;
    }
    std::printf("\r\nPing statistics for %s:\r\n", target.c_str());
    std::printf("    Packets: Sent = 4, Received = 4, Lost = 0 (0%% loss),\r\n");
    std::printf("Approximate round trip times in milli-seconds:\r\n");
    std::printf("    Minimum = %dms, Maximum = %dms, Average = %dms\r\n", link.ping_min_ms, link.ping_max_ms, sum / 4);
}

void print_timeouts(std::string const& target)
{
    for (int i = 0; i < 4; ++i)
        std::printf("Request timed out.\r\n");
    std::printf("\r\nPing statistics for %s:\r\n", target.c_str());
    std::printf("    Packets: Sent = 4, Received = 0, Lost = 4 (100%% loss),\r\n");
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ping a.b.c.d\n");
        return 1;
    }
    std::string const target = argv[1];
    Store const store(Store::default_folder());
    PublishedLink const link = read_published_link(store).value_or(PublishedLink {});
    std::printf("\r\nPinging %s with 32 bytes of data:\r\n", target.c_str());
    if (link.connected && target == dotted(link.gateway)) {
        print_replies(target, link);
        return 0;
    }
    print_timeouts(target);
    return 1;
}
