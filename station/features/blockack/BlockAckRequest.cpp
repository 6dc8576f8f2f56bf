#include "station/features/blockack/BlockAckRequest.h"

#include <algorithm>
#include <cstring>

namespace {

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

BA_REQUEST request_for(std::uint8_t direction, BlockAckMac const& peer, int tid)
{
    BA_REQUEST r {};
    r.Direction = direction;
    std::memcpy(r.Mac, peer.data(), peer.size());
    r.Tid = std::uint8_t(tid);
    return r;
}

}

std::uint8_t BlockAckDirectionByte(int originator_flag) { return originator_flag == 1 ? 0 : 1; }

BA_REQUEST BlockAckAddRequest(std::uint8_t direction, BlockAckMac const& peer, int tid, int window_size)
{
    BA_REQUEST r = request_for(direction, peer, tid);
    r.WindowSize = std::uint8_t(window_size & 0xFF);
    return r;
}

BA_REQUEST BlockAckDeleteRequest(std::uint8_t direction, BlockAckMac const& peer, int tid, int delete_all)
{
    BA_REQUEST r = request_for(direction, peer, tid);
    r.DeleteAll = std::uint8_t(delete_all);
    return r;
}

std::vector<BlockAckMac> BlockAckPeerList(KT_802_11_MAC_TABLE const& table, std::optional<BlockAckMac> first)
{
    std::vector<BlockAckMac> peers;
    BlockAckMac const zero {};
    std::uint32_t const count = std::min<std::uint32_t>(table.Count, BA_TABLE_ENTRIES);
    for (std::uint32_t i = 0; i < count; ++i) {
        BlockAckMac mac;
        std::memcpy(mac.data(), table.Entry[i].Mac, mac.size());
        if (mac != zero)
            peers.push_back(mac);
    }
    if (first && *first != zero) {
        auto const it = std::find(peers.begin(), peers.end(), *first);
        if (it != peers.end())
            std::rotate(peers.begin(), it, it + 1);
    }
    return peers;
}

std::optional<BlockAckMac> ParseDashedMac(std::string_view text)
{
    BlockAckMac mac {};
    std::size_t digits = 0;
    for (char c : text) {
        if (c == '-')
            continue;
        int const v = hex_value(c);
        if (v < 0 || digits == 12)
            return std::nullopt;
        mac[digits / 2] = std::uint8_t(mac[digits / 2] << 4 | v);
        ++digits;
    }
    if (digits != 12)
        return std::nullopt;
    return mac;
}
