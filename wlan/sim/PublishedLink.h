// The link as the station library publishes it in the store ("link"), for the programs that
// stand in for the system's own tools and for the diagnostics library: whether the station is
// connected with an address, the address, the gateway, the access point's MAC, and the world's
// settings of those stand-ins. The library writes it whenever it changes, so that the ping
// command, the diagnostics library and the station library tell one story.
#pragma once

#include "wlan/sim/Store.h"

#include <cstdint>
#include <optional>

namespace wlan::sim {

class World;

struct PublishedLink {
    std::uint8_t connected;   // 1 while connected with an address
    std::uint8_t address[4];
    std::uint8_t gateway[4];
    std::uint8_t ap_mac[6];
    std::uint8_t pranto_open; // 1 when the diagnostics library opens the adapter
    std::int8_t pranto_forced; // -1: the link decides; else the diagnostics library's answer
    std::uint8_t reserved;     // keeps the record free of padding, which is compared
    std::uint16_t ping_min_ms;
    std::uint16_t ping_max_ms;
};

inline constexpr char kPublishedLinkKey[] = "link";

PublishedLink published_link_of(World const& world, std::uint64_t now);
// What the store holds; nullopt when nothing was published.
std::optional<PublishedLink> read_published_link(Store const& store);

// Writes the record when it differs from the last one written.
class LinkPublisher {
public:
    void update(World const& world, Store& store, std::uint64_t now);

private:
    std::optional<PublishedLink> m_last;
};

}
