#include "wlan/sim/PublishedLink.h"

#include "wlan/sim/World.h"

#include <algorithm>
#include <cstring>

namespace wlan::sim {

PublishedLink published_link_of(World const& world, std::uint64_t now)
{
    PublishedLink link {};
    WLAN_STATUS status {};
    if (world.fill_status(status, now) && status.Status == VxStatus_Connected && world.address_assigned(now)) {
        link.connected = 1;
        std::memcpy(link.address, status.IpAddress, 4);
        std::memcpy(link.gateway, status.Gateway, 4);
        std::memcpy(link.ap_mac, status.Bssid, 6);
    }
    WorldSpec const& spec = world.spec();
    link.pranto_open = spec.pranto_open ? 1 : 0;
    link.pranto_forced = static_cast<std::int8_t>(spec.pranto_forced);
    link.ping_min_ms = static_cast<std::uint16_t>(std::clamp(spec.ping_min_ms, 0, 10000));
    link.ping_max_ms = static_cast<std::uint16_t>(std::clamp(spec.ping_max_ms, 0, 10000));
    return link;
}

std::optional<PublishedLink> read_published_link(Store const& store)
{
    return store.read_record<PublishedLink>(kPublishedLinkKey);
}

void LinkPublisher::update(World const& world, Store& store, std::uint64_t now)
{
    PublishedLink const link = published_link_of(world, now);
    if (m_last && std::memcmp(&*m_last, &link, sizeof link) == 0)
        return;
    if (store.write_record(kPublishedLinkKey, link))
        m_last = link;
}

}
