#include "wlan/sim/BlockAckStore.h"

#include <algorithm>
#include <cstring>

namespace wlan::sim {

BlockAckStore::Peer* BlockAckStore::find(BaDirection direction, Mac const& peer)
{
    auto& peers = m_peers[index(direction)];
    auto it = std::find_if(peers.begin(), peers.end(), [&](Peer const& p) { return p.mac == peer; });
    return it == peers.end() ? nullptr : &*it;
}

BlockAckStore::Peer const* BlockAckStore::find(BaDirection direction, Mac const& peer) const
{
    return const_cast<BlockAckStore*>(this)->find(direction, peer);
}

bool BlockAckStore::add(BaDirection direction, Mac const& peer, int tid, std::uint8_t window)
{
    if (tid < 0 || tid >= int(BA_TID_COUNT) || window == 0)
        return false;
    Peer* p = find(direction, peer);
    if (!p) {
        auto& peers = m_peers[index(direction)];
        if (peers.size() >= BA_TABLE_ENTRIES)
            return false;
        peers.push_back(Peer { peer, {} });
        p = &peers.back();
    }
    p->window[std::size_t(tid)] = window;
    return true;
}

bool BlockAckStore::remove_tid(BaDirection direction, Mac const& peer, int tid)
{
    Peer* p = find(direction, peer);
    if (!p || tid < 0 || tid >= int(BA_TID_COUNT) || p->window[std::size_t(tid)] == 0)
        return false;
    p->window[std::size_t(tid)] = 0;
    // A peer without agreements leaves the table.
    if (std::all_of(p->window.begin(), p->window.end(), [](std::uint8_t w) { return w == 0; }))
        remove_peer(direction, peer);
    return true;
}

bool BlockAckStore::remove_peer(BaDirection direction, Mac const& peer)
{
    return std::erase_if(m_peers[index(direction)], [&](Peer const& p) { return p.mac == peer; }) > 0;
}

bool BlockAckStore::remove_peer_everywhere(Mac const& peer)
{
    bool const a = remove_peer(BaDirection::Originator, peer);
    bool const b = remove_peer(BaDirection::Recipient, peer);
    return a || b;
}

std::uint8_t BlockAckStore::window(BaDirection direction, Mac const& peer, int tid) const
{
    Peer const* p = find(direction, peer);
    if (!p || tid < 0 || tid >= int(BA_TID_COUNT))
        return 0;
    return p->window[std::size_t(tid)];
}

void BlockAckStore::fill(BA_ENTRY* entries, std::uint8_t& count, std::vector<Peer> const& peers)
{
    std::size_t n = 0;
    for (auto const& p : peers) {
        if (n == BA_TABLE_ENTRIES)
            break;
        BA_ENTRY& e = entries[n++];
        std::memcpy(e.Mac, p.mac.data(), 6);
        for (std::size_t tid = 0; tid < BA_TID_COUNT; ++tid) {
            if (p.window[tid] == 0)
                continue;
            e.TidBitmap = std::uint8_t(e.TidBitmap | (1u << tid));
            e.WindowSize[tid] = p.window[tid];
        }
    }
    count = std::uint8_t(n);
}

BA_TABLE BlockAckStore::table() const
{
    BA_TABLE t {};
    fill(t.Originator, t.OriginatorCount, m_peers[0]);
    fill(t.Recipient, t.RecipientCount, m_peers[1]);
    return t;
}

}
