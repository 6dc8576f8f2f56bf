#include "station/core/Trace.h"
#include "station/core/tests/CoreTestSupport.h"

using station::testing::TraceAt;

TEST(TraceMsg, WritesOnlyLevelsAtOrBelowTheDebugMode)
{
    struct Case {
        int debug_mode;
        std::vector<int> written;
    };
    Case const cases[] = { { 0, {} }, { 3, { 1, 2, 3 } }, { 5, { 1, 2, 3, 4, 5 } } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.debug_mode);
        TraceAt trace(c.debug_mode);
        for (int level = 1; level <= 5; ++level)
            TraceMsg(level, "[Kivra] level %d\n", level);
        std::vector<std::string> expected;
        for (int level : c.written)
            expected.push_back("[Kivra] level " + std::to_string(level));
        EXPECT_EQ(trace.lines(), expected);
    }
}

TEST(TraceMsg, CutsALongLineAt511Characters)
{
    TraceAt trace(1);
    std::string const long_text(2000, 'x');
    TraceMsg(1, "[Kivra] %s\n", long_text.c_str());
    auto lines = trace.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), 511u);
    EXPECT_EQ(lines[0].substr(0, 8), "[Kivra] ");
}

TEST(TraceMsg, AcceptsNarrowTextConversions)
{
    TraceAt trace(3);
    TraceMsg(3, "[Kivra] --> %hs\n", "CHideDlg::OnTimer");
    EXPECT_TRUE(trace.contains("[Kivra] --> CHideDlg::OnTimer"));
}
