#include "platform/system/DebugOutput.h"

#include "platform/system/WindowsFormat.h"

#include <gtest/gtest.h>
#include <thread>

using platform::system::TraceCapture;
using platform::system::translate_format;

TEST(WindowsFormat, TranslatesTheOriginalConversions)
{
    EXPECT_EQ(translate_format("[Kivra] RegOpenKeyEx '%hs' failed\n"), "[Kivra] RegOpenKeyEx '%s' failed\n");
    EXPECT_EQ(translate_format("%I64d %I64u %-5hc %Id %I32x %%hs %08x"), "%lld %llu %-5c %zd %x %%hs %08x");
}

TEST(WindowsFormat, FormatsBoundedIntoTheBuffer)
{
    char buffer[16];
    EXPECT_EQ(wnsprintf(buffer, sizeof buffer, "%hs=%d", "key", 42), 6);
    EXPECT_STREQ(buffer, "key=42");
    EXPECT_EQ(wnsprintf(buffer, sizeof buffer, "%s", "a text much longer than sixteen"), 15);
    EXPECT_STREQ(buffer, "a text much lon");
    EXPECT_EQ(wnsprintf(buffer, sizeof buffer, "%I64d", static_cast<long long>(-1234567890123)), 14);
    EXPECT_STREQ(buffer, "-1234567890123");
    EXPECT_EQ(wnsprintf(buffer, 0, "%d", 1), 0);
}

TEST(DebugOutput, CapturesWholeLinesFromEveryThread)
{
    TraceCapture capture;
    auto writer = [](char tag) {
        std::string line = std::string("[Kivra] ") + std::string(200, tag) + "\n";
        for (int i = 0; i < 200; ++i)
            OutputDebugString(line.c_str());
    };
    std::thread a(writer, 'a'), b(writer, 'b');
    a.join();
    b.join();
    OutputDebugString("no line feed");
    auto lines = capture.lines();
    ASSERT_EQ(lines.size(), 401u);
    for (size_t i = 0; i < 400; ++i)
        EXPECT_TRUE(lines[i] == "[Kivra] " + std::string(200, 'a') || lines[i] == "[Kivra] " + std::string(200, 'b'));
    EXPECT_EQ(lines.back(), "no line feed");
}

#ifdef ZORVEL_HAS_WINDOW_CORE
#include "platform/user/Trace.h"

TEST(DebugOutput, PlatformTracesGoToTheSameSink)
{
    TraceCapture capture;
    platform::trace("dropped message %d", 7);
    EXPECT_TRUE(capture.contains("dropped message 7"));
}
#endif
