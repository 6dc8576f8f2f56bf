// What both programs' add and delete dialogs send and list: the 14-byte request, the peers of a
// MAC table as the dialogs offer them, and the reader of the "XX-XX-XX-XX-XX-XX" text an item
// shows.
#pragma once

#include "wlan/api/BlockAck.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

using BlockAckMac = std::array<std::uint8_t, 6>;

// The request's direction byte for a dialog whose flag is 1 when this side is the originator:
// 0 then, else 1.
std::uint8_t BlockAckDirectionByte(int originator_flag);

// An add: direction, peer, TID, the low 8 bits of the window size; zero at offsets 10 and 12.
BA_REQUEST BlockAckAddRequest(std::uint8_t direction, BlockAckMac const& peer, int tid, int window_size);
// A delete: direction, peer, TID and the scope at byte 12 (1 every agreement with the peer, 0 the
// one TID); the other bytes zero.
BA_REQUEST BlockAckDeleteRequest(std::uint8_t direction, BlockAckMac const& peer, int tid, int delete_all);

// The peers of the table in table order: at most 32 whatever its count says, an all-zero MAC
// never listed, and `first` moved to the front when it is among them.
std::vector<BlockAckMac> BlockAckPeerList(KT_802_11_MAC_TABLE const& table, std::optional<BlockAckMac> first = std::nullopt);

// The text with every "-" removed must be 12 hexadecimal digits; nullopt otherwise.
std::optional<BlockAckMac> ParseDashedMac(std::string_view text);
