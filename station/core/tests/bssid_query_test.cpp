// Fetching the scan list through the library slot, the scan-finished flags, and digest texts.
#include "station/core/BssidQuery.h"
#include "station/core/tests/CoreTestSupport.h"

#include <cstring>
#include <memory>

using station::testing::TraceAt;

namespace {

// A library that answers each call from a script, and records the sizes it was offered.
struct ScriptedQuery {
    struct Answer {
        int result;
        VXWL_U32 size_out;
        std::uint8_t fill; // written over the first 8 bytes when nonzero
    };
    static inline std::vector<Answer> answers;
    static inline std::vector<VXWL_U32> offered;

    static int query(void* list, VXWL_U32* size)
    {
        offered.push_back(*size);
        Answer const a = answers.at(offered.size() - 1);
        *size = a.size_out;
        if (a.fill)
            std::memset(list, a.fill, 8);
        return a.result;
    }
};

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedQuery::offered.clear();
        G_VxWlLib.VXWL_SiteSurveyQuery.bind(&ScriptedQuery::query);
        std::memset(list.get(), 0x5A, BSSID_LIST_BUFFER_SIZE);
    }
    void TearDown() override { G_VxWlLib.VXWL_SiteSurveyQuery.bind(nullptr); }

    std::unique_ptr<std::uint8_t[]> list { std::make_unique<std::uint8_t[]>(BSSID_LIST_BUFFER_SIZE) };
};

}

TEST_F(QueryTest, OffersTheFirstSizeAndRetriesOnceWithTheReportedSizeCutToTheBuffer)
{
    struct Case {
        const char* name;
        std::vector<ScriptedQuery::Answer> answers;
        std::vector<VXWL_U32> offered;
        int result;
        bool traced;
    } const cases[] = {
        { "success at once", { { 1, 900, 0 } }, { 15364 }, 1, false },
        { "too small, then success", { { -10, 20000, 0 }, { 1, 20000, 0 } }, { 15364, 20000 }, 1, false },
        { "wants more than the buffer", { { -10, 40000, 0 }, { 1, 0x8000, 0 } }, { 15364, 0x8000 }, 1, false },
        { "too small twice", { { -10, 40000, 0 }, { -10, 40000, 0 } }, { 15364, 0x8000 }, -10, true },
        { "failure", { { 0, 15364, 0 } }, { 15364 }, 0, true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedQuery::offered.clear();
        ScriptedQuery::answers = c.answers;
        TraceAt trace(1);
        EXPECT_EQ(QueryBssidList(list.get()), c.result);
        EXPECT_EQ(ScriptedQuery::offered, c.offered);
        std::string const line = "[Kivra] VXWL_SiteSurveyQuery() fail, return value = " + std::to_string(c.result);
        EXPECT_EQ(trace.contains(line), c.traced);
    }
}

TEST_F(QueryTest, AFailureLeavesTheBufferAsTheLibraryLeftIt)
{
    ScriptedQuery::answers = { { 0, 15364, 0x11 } };
    QueryBssidList(list.get());
    EXPECT_EQ(list[0], 0x11);
    EXPECT_EQ(list[7], 0x11);
    EXPECT_EQ(list[8], 0x5A);
}

TEST(DigestText, ReadsWithinItsField)
{
    IE_INFO_WPA info {};
    std::memcpy(info.ConfigMethods, "0x0084", 7);
    std::memset(info.DevicePasswordId, 'A', sizeof info.DevicePasswordId); // full: no terminator
    std::memset(info.SelectedRegistrar, 'Z', sizeof info.SelectedRegistrar);
    EXPECT_EQ(DigestText(info.ConfigMethods), "0x0084");
    EXPECT_EQ(DigestText(info.DevicePasswordId), std::string(8, 'A'));
    EXPECT_EQ(DigestText(info.UuidE), "");
    EXPECT_EQ(DigestText(nullptr, 4), "");
}

TEST(ScanFinished, RaisesBothFlagsUnlessAWapiConnectionRuns)
{
    static int wapi = 0;
    G_VxWlLib.VXWL_IsWAPIConnecting.bind([] { return wapi; });
    for (int connecting : { 1, 0 }) {
        SCOPED_TRACE(connecting);
        wapi = connecting;
        m_bSurveyComplete = 0;
        G_bScanComplete = 0;
        FuncScanFinished();
        EXPECT_EQ(m_bSurveyComplete.load(), 1 - connecting);
        EXPECT_EQ(G_bScanComplete.load(), 1 - connecting);
    }
    G_VxWlLib.VXWL_IsWAPIConnecting.bind(nullptr);
}
