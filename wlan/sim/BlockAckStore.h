// The adapter's live block-acknowledgement agreements: per peer and direction, the TIDs with an
// agreement and each one's window size. Both library stand-ins answer their table queries from
// here, and wlansim adds and removes agreements. Peers keep the order in which their first
// agreement came; a table half holds at most 32 peers.
#pragma once

#include "wlan/api/BlockAck.h"
#include "wlan/sim/Scenario.h"

#include <array>
#include <cstdint>
#include <vector>

namespace wlan::sim {

enum class BaDirection : std::uint8_t { Originator = 0, Recipient = 1 };

class BlockAckStore {
public:
    // False for a TID above 7 or a full half.
    bool add(BaDirection direction, Mac const& peer, int tid, std::uint8_t window);
    // True when something was removed.
    bool remove_tid(BaDirection direction, Mac const& peer, int tid);
    bool remove_peer(BaDirection direction, Mac const& peer);
    bool remove_peer_everywhere(Mac const& peer);
    void clear() { m_peers[0].clear(); m_peers[1].clear(); }

    BA_TABLE table() const;
    // The window of an agreement, 0 when there is none.
    std::uint8_t window(BaDirection direction, Mac const& peer, int tid) const;
    std::size_t peer_count(BaDirection direction) const { return m_peers[index(direction)].size(); }

private:
    struct Peer {
        Mac mac {};
        std::array<std::uint8_t, BA_TID_COUNT> window {}; // 0: no agreement on that TID
    };
    static std::size_t index(BaDirection direction) { return direction == BaDirection::Originator ? 0 : 1; }
    Peer* find(BaDirection direction, Mac const& peer);
    Peer const* find(BaDirection direction, Mac const& peer) const;
    static void fill(BA_ENTRY* entries, std::uint8_t& count, std::vector<Peer> const& peers);

    std::array<std::vector<Peer>, 2> m_peers;
};

}
