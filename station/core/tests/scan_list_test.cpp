// The merge of fresh scan lists into the cache, on fixture lists.
#include "station/core/ScanList.h"
#include "station/core/tests/CoreTestSupport.h"
#include "station/core/tests/ScanFixtures.h"

using namespace station::core;
using station::testing::scan_entry;
using station::testing::ScanListBuffer;
using station::testing::TraceAt;

std::vector<int> station::testing::ScanListBuffer::macs() const
{
    std::vector<int> result;
    auto const walk = walk_bssid_list(std::span<std::uint8_t const>(m_bytes.get(), BSSID_LIST_BUFFER_SIZE));
    for (auto const& e : walk.entries)
        result.push_back(m_bytes[e.offset + 9]);
    return result;
}

namespace {

constexpr std::uint64_t kSecond = 10'000'000;
constexpr std::uint64_t kNow = 133'000'000'000'000'000ULL;
constexpr std::uint8_t kChannels[] = { 1, 6, 11 };

FILETIME stamp(std::uint64_t value)
{
    return FILETIME { DWORD(value), DWORD(value >> 32) };
}

class MergeTest : public ::testing::Test {
protected:
    void merge(bool library_keeps = false)
    {
        BssidMergeContext context;
        context.channels = kChannels;
        context.now = kNow;
        context.library_keeps_entries = library_keeps;
        context.frequency_to_channel = station::testing::khz_to_channel;
        merge_bssid_list(fresh.span(), cache.span(), std::span<FILETIME, kBssidStampCount>(stamps), context);
    }
    // Two cached entries seen `age` ago on listed channels.
    void cache_two(std::uint64_t age)
    {
        cache.add(scan_entry(11, 6)).add(scan_entry(12, 11));
        stamps[0] = stamp(kNow - age);
        stamps[1] = stamp(kNow - age);
    }

    ScanListBuffer fresh;
    ScanListBuffer cache;
    FILETIME stamps[kBssidStampCount] {};
};

}

TEST_F(MergeTest, FreshEntriesComeFirstThenYoungCachedOnesWithTheirStamps)
{
    fresh.add(scan_entry(1, 1)).add(scan_entry(2, 6)).add(scan_entry(3, 11));
    cache_two(5 * kSecond);
    merge();
    EXPECT_EQ(fresh.macs(), (std::vector<int> { 1, 2, 3, 11, 12 }));
    EXPECT_EQ(cache.macs(), fresh.macs());
    EXPECT_EQ(std::memcmp(fresh.data(), cache.data(), BSSID_LIST_BUFFER_SIZE), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(filetime_value(stamps[i]), kNow);
    EXPECT_EQ(filetime_value(stamps[3]), kNow - 5 * kSecond);
    EXPECT_EQ(filetime_value(stamps[4]), kNow - 5 * kSecond);
}

TEST_F(MergeTest, AFreshEntryStandsForTheCachedOneWithItsAddress)
{
    fresh.add(scan_entry(11, 1));
    cache_two(1 * kSecond);
    merge();
    EXPECT_EQ(fresh.macs(), (std::vector<int> { 11, 12 }));
    EXPECT_EQ(filetime_value(stamps[0]), kNow);
}

TEST_F(MergeTest, AgeingUsesTheWholeStamp)
{
    struct Case {
        const char* name;
        std::int64_t age; // 100 ns units; negative: a stamp in the future
        bool kept;
    } const cases[] = {
        { "seen now", 0, true },
        { "just under 15 s", std::int64_t(kBssidAgeLimit) - 1, true },
        { "15 s", std::int64_t(kBssidAgeLimit), false },
        { "430 s, where the low words alone wrap to a small age", std::int64_t(430 * kSecond), false },
        { "exactly 2^32 units, low words equal", std::int64_t(1) << 32, false },
        { "a stamp after now", -std::int64_t(kSecond), false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ScanListBuffer empty_fresh;
        ScanListBuffer one;
        one.add(scan_entry(20, 6));
        FILETIME s[kBssidStampCount] {};
        s[0] = stamp(kNow - std::uint64_t(c.age));
        BssidMergeContext context { kChannels, false, kNow, station::testing::khz_to_channel };
        merge_bssid_list(empty_fresh.span(), one.span(), std::span<FILETIME, kBssidStampCount>(s), context);
        EXPECT_EQ(one.count(), c.kept ? 1u : 0u);
    }
}

TEST_F(MergeTest, AnEntryOnAChannelNoLongerListedIsDropped)
{
    cache.add(scan_entry(11, 6)).add(scan_entry(12, 36));
    stamps[0] = stamps[1] = stamp(kNow);
    fresh.add(scan_entry(1, 1));
    merge();
    EXPECT_EQ(fresh.macs(), (std::vector<int> { 1, 11 }));
}

TEST_F(MergeTest, AnEmptyFreshListStaysEmptyWhileTheCacheKeepsYoungEntries)
{
    cache_two(2 * kSecond);
    merge();
    EXPECT_EQ(fresh.count(), 0u);
    EXPECT_EQ(cache.macs(), (std::vector<int> { 11, 12 }));
}

TEST_F(MergeTest, WhenTheLibraryKeepsEntriesTheCacheCopiesTheFreshList)
{
    fresh.add(scan_entry(1, 1));
    cache_two(1 * kSecond);
    FILETIME const before = stamps[0];
    merge(true);
    EXPECT_EQ(cache.macs(), (std::vector<int> { 1 }));
    EXPECT_EQ(fresh.macs(), (std::vector<int> { 1 }));
    EXPECT_EQ(filetime_value(stamps[0]), filetime_value(before));
}

TEST_F(MergeTest, ACachedEntryThatDoesNotFitIsDroppedAndTraced)
{
    // Fresh entries that leave less room than a cached entry needs.
    while (fresh.end() + 4000 <= BSSID_LIST_BUFFER_SIZE)
        fresh.add(scan_entry(std::uint8_t(100 + fresh.count()), 1, 4000 - NDIS_WLAN_BSSID_EX_FIXED));
    std::size_t const room = BSSID_LIST_BUFFER_SIZE - fresh.end();
    cache.add(scan_entry(11, 6, std::uint32_t(room - NDIS_WLAN_BSSID_EX_FIXED + 1)));
    cache.add(scan_entry(12, 6, std::uint32_t(room - NDIS_WLAN_BSSID_EX_FIXED)));
    stamps[0] = stamps[1] = stamp(kNow);
    std::uint32_t const fresh_count = fresh.count();
    TraceAt trace(1);
    merge();
    EXPECT_EQ(fresh.count(), fresh_count + 1);
    EXPECT_EQ(fresh.macs().back(), 12);
    EXPECT_EQ(trace.lines(), (std::vector<std::string> {
        "[Kivra] Update Bssid List might reach buffer limit(32768 bytes)! Stop adding new Bssid" }));
}

// The chain breaks where an entry cannot be followed; an entry too short for its own elements
// is still followed, and marked.
TEST(BssidListWalk, StopsWhereTheChainBreaksAndMarksInconsistentEntries)
{
    struct Case {
        const char* name;
        void (*corrupt)(ScanListBuffer&);
        std::size_t walked;
        int inconsistent; // index of the marked entry, -1 for none
    } const cases[] = {
        { "sound list", [](ScanListBuffer&) {}, 3, -1 },
        { "zero Length", [](ScanListBuffer& b) { std::memset(b.data() + 4 + 124, 0, 4); }, 1, -1 },
        { "Length below the fixed part", [](ScanListBuffer& b) { std::uint32_t l = 100; std::memcpy(b.data() + 4 + 124, &l, 4); }, 1, -1 },
        { "Length shorter than its elements", [](ScanListBuffer& b) { std::uint32_t ie = 9; std::memcpy(b.data() + 4 + 112, &ie, 4); }, 3, 0 },
        { "entry past the buffer", [](ScanListBuffer& b) { std::uint32_t l = 0x8000; std::memcpy(b.data() + 4 + 248, &l, 4); }, 2, -1 },
        { "count larger than the entries", [](ScanListBuffer& b) { b.set_count(1000000); }, 3, -1 },
        { "count below the entries", [](ScanListBuffer& b) { b.set_count(2); }, 2, -1 },
        { "huge element length", [](ScanListBuffer& b) { std::uint32_t ie = 0xFFFFFFF0u; std::memcpy(b.data() + 4 + 124 + 112, &ie, 4); }, 3, 1 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ScanListBuffer list;
        list.add(scan_entry(1, 1)).add(scan_entry(2, 6)).add(scan_entry(3, 11));
        c.corrupt(list);
        auto walk = walk_bssid_list(list.span());
        ASSERT_EQ(walk.entries.size(), c.walked);
        for (std::size_t i = 0; i < walk.entries.size(); ++i) {
            EXPECT_LE(walk.entries[i].offset + walk.entries[i].length, BSSID_LIST_BUFFER_SIZE);
            EXPECT_EQ(walk.entries[i].consistent, int(i) != c.inconsistent) << "entry " << i;
        }
    }
}

TEST_F(MergeTest, AnInconsistentEntryKeepsItsPlace)
{
    fresh.add(scan_entry(1, 1)).add(scan_entry(2, 6)).add(scan_entry(3, 11));
    std::uint32_t const ie = 200;
    std::memcpy(fresh.data() + 4 + 124 + 112, &ie, 4); // the second entry claims more elements than it holds
    cache_two(1 * kSecond);
    merge();
    EXPECT_EQ(fresh.macs(), (std::vector<int> { 1, 2, 3, 11, 12 }));
    auto const walk = walk_bssid_list(fresh.span());
    ASSERT_EQ(walk.entries.size(), 5u);
    EXPECT_FALSE(walk.entries[1].consistent);
}

TEST_F(MergeTest, MalformedListsAreMergedAsFarAsTheyAreSound)
{
    fresh.add(scan_entry(1, 1)).add(scan_entry(2, 6));
    fresh.set_count(40);
    cache.add(scan_entry(11, 6)).add(scan_entry(12, 6));
    std::uint32_t const bad = 0x7FFF;
    std::memcpy(cache.data() + 4 + 124, &bad, 4); // second cached entry runs past the buffer
    stamps[0] = stamps[1] = stamp(kNow);
    TraceAt trace(1);
    merge();
    EXPECT_EQ(fresh.macs(), (std::vector<int> { 1, 2, 11 }));
    EXPECT_EQ(fresh.count(), 3u);
    EXPECT_EQ(trace.lines().size(), 2u);
}
