// The site survey's list without its window: the walk and the rows over fixture lists, the
// sort by each key, and the row of one entry. Lists are heap buffers of exactly 0x8000 bytes,
// so the address sanitizer sees any read past one.
#include "station/survey/SurveyList.h"
#include "station/core/tests/ScanFixtures.h"
#include "station/survey/tests/FakeWlan.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace station::survey;
using station::testing::khz_to_channel;
using station::testing::named_entry;
using station::testing::scan_entry;
using station::testing::ScanListBuffer;

namespace {

ListLibrary const kLibrary {
    [](std::uint32_t khz) { return khz == 0 ? -1 : khz_to_channel(khz); },
    [](NDIS_WLAN_BSSID_EX const*, IE_INFO_WPA*) {},
};

std::vector<std::string> ssids(SurveyRows const& rows)
{
    std::vector<std::string> out;
    for (auto const& r : rows.rows)
        out.push_back(r.strSsid);
    return out;
}

void put_u32(ScanListBuffer& list, std::size_t at, std::uint32_t value)
{
    std::memcpy(list.data() + at, &value, 4);
}

// Byte offsets of the second and third entries of a list of 124-byte fixture entries.
constexpr std::size_t kSecond = 4 + 124;
constexpr std::size_t kThird = 4 + 2 * 124;

}

TEST(SurveyRows, WalkAndRebuildOverFixtures)
{
    struct Case {
        char const* name;
        void (*corrupt)(ScanListBuffer&);
        std::vector<std::string> rows;
        int skipped;
    } const cases[] = {
        { "consistent list", [](ScanListBuffer&) {}, { "one", "two", "three" }, 0 },
        { "inconsistent entry in the middle", [](ScanListBuffer& l) { put_u32(l, kSecond + 112, 500); }, { "one", "three" }, 1 },
        { "Length 0 breaks the chain", [](ScanListBuffer& l) { put_u32(l, kSecond, 0); }, { "one" }, 0 },
        { "Length past the buffer", [](ScanListBuffer& l) { put_u32(l, kThird, 0x8000); }, { "one", "two" }, 0 },
        { "count 5 with 3 entries", [](ScanListBuffer& l) { l.set_count(5); }, { "one", "two", "three" }, 0 },
        { "SsidLength 40 reads 32 bytes", [](ScanListBuffer& l) { put_u32(l, kSecond + 12, 40); }, { "one", std::string("two") + std::string(29, '\0'), "three" }, 0 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ScanListBuffer list;
        list.add(named_entry(1, "one", -50)).add(named_entry(2, "two", -60)).add(named_entry(3, "three", -70));
        c.corrupt(list);
        SurveyRows const rows = build_rows(list.span(), kLibrary);
        EXPECT_EQ(ssids(rows), c.rows);
        EXPECT_EQ(rows.skipped, c.skipped);
        for (auto const& r : rows.rows) {
            ASSERT_GE(r.nEntryOffset, 4);
            EXPECT_LE(std::size_t(r.nEntryOffset + r.nEntryLength), BSSID_LIST_BUFFER_SIZE);
        }
    }
}

TEST(SurveyRows, EachRowKeepsItsOwnEntry)
{
    ScanListBuffer list;
    list.add(named_entry(1, "one", -50)).add(named_entry(2, "two", -60)).add(named_entry(3, "three", -70));
    put_u32(list, kSecond + 112, 500);
    SurveyRows const rows = build_rows(list.span(), kLibrary);
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(rows.rows[1].nEntryOffset, int(kThird));
    EXPECT_EQ(list.data()[rows.rows[1].nEntryOffset + 9], 3);
}

TEST(SurveySort, OrdersByEachKeyKeepingTiesInScanOrder)
{
    struct Case {
        char const* name;
        int key;
        std::vector<std::string> order;
    } const cases[] = {
        { "signal: strongest first, equal signals in scan order", SORT_BY_SIGNAL, { "b", "A", "c", "a" } },
        { "SSID without regard to case", SORT_BY_SSID, { "A", "a", "b", "c" } },
        { "channel: an unknown frequency first", SORT_BY_CHANNEL, { "a", "c", "b", "A" } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ScanListBuffer list;
        list.add(named_entry(1, "b", -40, 6)).add(named_entry(2, "A", -60, 11)).add(named_entry(3, "a", -70, 0));
        list.add(named_entry(4, "c", -60, 1));
        sort_bssid_list(list.span(), c.key, kLibrary);
        EXPECT_EQ(list.count(), 4u);
        EXPECT_EQ(ssids(build_rows(list.span(), kLibrary)), c.order);
    }
}

// A full buffer holds more entries than the sort's old bookkeeping (256): none is lost.
TEST(SurveySort, AFullBufferKeepsEveryEntry)
{
    ScanListBuffer list;
    for (int i = 0; i < 282; ++i) {
        auto entry = named_entry(std::uint8_t(i), ("net " + std::to_string(i)).c_str(), -40 - i % 50, 1 + i % 13);
        entry.resize(116); // 282 entries of 116 bytes: 32716 of the 32768 bytes
        NDIS_WLAN_BSSID_EX fixed;
        std::memcpy(&fixed, entry.data(), sizeof fixed);
        fixed.Length = 116;
        fixed.IELength = 0;
        std::memcpy(entry.data(), &fixed, sizeof fixed);
        list.add(entry);
    }
    ASSERT_EQ(list.count(), 282u);
    for (int key : { SORT_BY_SSID, SORT_BY_CHANNEL, SORT_BY_SIGNAL }) {
        SCOPED_TRACE(key);
        sort_bssid_list(list.span(), key, kLibrary);
        EXPECT_EQ(build_rows(list.span(), kLibrary).rows.size(), 282u);
    }
}

TEST(SurveyRows, RowOfAnEntry)
{
    auto bytes = named_entry(1, "net", -101, 0);
    NDIS_WLAN_BSSID_EX entry;
    std::memcpy(&entry, bytes.data(), sizeof entry);
    IE_INFO_WPA digest {};
    SITESURVEY_ITEM row = row_of_entry(entry, digest, kLibrary);
    EXPECT_EQ(row.nSignal, -100) << "held to -100 dBm rather than wrapped to 0";
    EXPECT_EQ(row.strChannel, "") << "no channel for a frequency outside the plan";
    EXPECT_EQ(row.bSecured, 0);
    entry.Rssi = -1;
    EXPECT_EQ(row_of_entry(entry, digest, kLibrary).nSignal, -1) << "-1 still means none";
    entry.Rssi = 12;
    EXPECT_EQ(row_of_entry(entry, digest, kLibrary).nSignal, 0);
    digest.nAuthentication = IE_AUTH_WAPI_CERT;
    row = row_of_entry(entry, digest, kLibrary);
    EXPECT_EQ(row.bSecured, 1);
    EXPECT_EQ(row.nWapiType, 2);
}

TEST(SurveyRows, GOnlyNeedsABasicOfdmRateOnAnOfdm24Network)
{
    struct Case {
        char const* name;
        std::uint32_t radio;
        std::uint8_t rate;
        int g_only;
    } const cases[] = {
        { "6 Mbps basic", 3, 0x8C, 1 }, { "9 Mbps basic", 3, 0x92, 1 }, { "12 Mbps basic", 3, 0x98, 1 },
        { "54 Mbps basic", 3, 0xEC, 1 }, { "11 Mbps basic (b rate)", 3, 0x96, 0 }, { "6 Mbps not basic", 3, 0x0C, 0 },
        { "802.11a network", 2, 0x8C, 0 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto bytes = named_entry(1, "net", -50);
        NDIS_WLAN_BSSID_EX entry;
        std::memcpy(&entry, bytes.data(), sizeof entry);
        entry.NetworkTypeInUse = c.radio;
        std::memset(entry.SupportedRates, 0, 16);
        entry.SupportedRates[15] = c.rate; // after the list's end: every byte is examined
        EXPECT_EQ(row_of_entry(entry, IE_INFO_WPA {}, kLibrary).bGOnly, c.g_only);
    }
}

TEST(SurveyRows, AuthenticationBitsToSecurityMode)
{
    std::pair<std::uint32_t, int> const cases[] = { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 4, 3 }, { 8, 4 }, { 9, 4 },
        { 16, 5 }, { 32, 5 }, { 18, 5 }, { 64, 6 }, { 128, 7 }, { 3, 0 }, { 192, 0 }, { 10, 0 }, { 11, 4 }, { 19, 5 },
        { 24, 0 } };
    for (auto const& [bits, mode] : cases)
        EXPECT_EQ(AuthBitsToWPAMode(bits), mode) << bits;
}
