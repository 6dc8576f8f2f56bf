// The add and delete requests byte for byte, the peer list of a MAC table and the MAC text
// reader.
#include "station/features/blockack/BlockAckRequest.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<int>;

Bytes bytes_of(BA_REQUEST const& r)
{
    std::uint8_t raw[sizeof r];
    std::memcpy(raw, &r, sizeof r);
    return Bytes(raw, raw + sizeof r);
}

constexpr BlockAckMac kPeer { 0x02, 0x10, 0x00, 0x00, 0x00, 0x05 };

KT_802_11_MAC_TABLE table_of(std::vector<BlockAckMac> const& macs, std::uint32_t count)
{
    KT_802_11_MAC_TABLE t {};
    t.Count = count;
    for (std::size_t i = 0; i < macs.size() && i < 32; ++i)
        std::memcpy(t.Entry[i].Mac, macs[i].data(), 6);
    return t;
}

BlockAckMac mac(std::uint8_t last) { return { 0x02, 0x20, 0, 0, 0, last }; }

}

TEST(BlockAckRequest, AddAndDeleteBytes)
{
    struct Case {
        char const* name;
        BA_REQUEST request;
        Bytes bytes;
    };
    Case const cases[] = {
        { "originator add", BlockAckAddRequest(BlockAckDirectionByte(1), kPeer, 5, 64),
            { 0, 2, 0x10, 0, 0, 0, 5, 5, 64, 0, 0, 0, 0, 0 } },
        { "recipient add, window 300 sent as 44", BlockAckAddRequest(BlockAckDirectionByte(0), kPeer, 7, 300),
            { 1, 2, 0x10, 0, 0, 0, 5, 7, 44, 0, 0, 0, 0, 0 } },
        { "delete one", BlockAckDeleteRequest(BlockAckDirectionByte(1), kPeer, 3, 0),
            { 0, 2, 0x10, 0, 0, 0, 5, 3, 0, 0, 0, 0, 0, 0 } },
        { "delete all keeps the TID list's value", BlockAckDeleteRequest(BlockAckDirectionByte(0), kPeer, 6, 1),
            { 1, 2, 0x10, 0, 0, 0, 5, 6, 0, 0, 0, 0, 1, 0 } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bytes_of(c.request), c.bytes);
    }
}

TEST(BlockAckPeerList, OrderClampAndZeroAddresses)
{
    std::vector<BlockAckMac> forty;
    for (std::uint8_t i = 1; i <= 40; ++i)
        forty.push_back(mac(i));
    struct Case {
        char const* name;
        KT_802_11_MAC_TABLE table;
        std::optional<BlockAckMac> first;
        std::vector<BlockAckMac> expected;
    };
    Case const cases[] = {
        { "table order", table_of({ mac(1), mac(2), mac(3) }, 3), std::nullopt, { mac(1), mac(2), mac(3) } },
        { "the given peer first", table_of({ mac(1), mac(2), mac(3) }, 3), mac(3), { mac(3), mac(1), mac(2) } },
        { "a given peer not listed", table_of({ mac(1), mac(2) }, 2), mac(9), { mac(1), mac(2) } },
        { "zero addresses skipped", table_of({ mac(1), BlockAckMac {}, mac(3) }, 3), BlockAckMac {}, { mac(1), mac(3) } },
        { "count below the entries", table_of({ mac(1), mac(2), mac(3) }, 1), mac(3), { mac(1) } },
        { "empty", table_of({}, 0), mac(1), {} },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BlockAckPeerList(c.table, c.first), c.expected);
    }
    auto const clamped = BlockAckPeerList(table_of(forty, 40));
    ASSERT_EQ(clamped.size(), 32u);
    EXPECT_EQ(clamped.back(), mac(32));
    EXPECT_EQ(BlockAckPeerList(table_of(forty, 0xFFFFFFFF)).size(), 32u);
}

TEST(ParseDashedMac, TwelveHexDigitsWithDashesAnywhere)
{
    EXPECT_EQ(ParseDashedMac("02-10-00-00-00-05"), kPeer);
    EXPECT_EQ(ParseDashedMac("021000000005"), kPeer);
    EXPECT_EQ(ParseDashedMac("aB-cD-eF-00-11-22"), (BlockAckMac { 0xAB, 0xCD, 0xEF, 0, 0x11, 0x22 }));
    for (char const* bad : { "", "02-10-00-00-00", "02-10-00-00-00-05-06", "02-10-00-00-00-0G", "02:10:00:00:00:05" }) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseDashedMac(bad));
    }
}
