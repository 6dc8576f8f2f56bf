#include "CoreFixture.h"

#include <atomic>
#include <thread>

TEST_F(CoreTest, FileTimeConversions)
{
    struct Case {
        char const* name;
        SYSTEMTIME time;
        ULONGLONG filetime;
    };
    // FILETIME counts 100 ns since 1601-01-01 UTC.
    Case const cases[] = {
        { "start of the Unix epoch", { 1970, 1, 4, 1, 0, 0, 0, 0 }, 116444736000000000ULL },
        { "start of FILETIME", { 1601, 1, 1, 1, 0, 0, 0, 0 }, 0 },
        { "leap day with milliseconds", { 2024, 2, 4, 29, 13, 14, 15, 16 }, 133536860550160000ULL },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        FILETIME ft;
        ASSERT_TRUE(SystemTimeToFileTime(&c.time, &ft));
        EXPECT_EQ((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime, c.filetime);
        SYSTEMTIME back;
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
        EXPECT_EQ(back.wYear, c.time.wYear);
        EXPECT_EQ(back.wDay, c.time.wDay);
        EXPECT_EQ(back.wDayOfWeek, c.time.wDayOfWeek);
        EXPECT_EQ(back.wMilliseconds, c.time.wMilliseconds);
    }
    SYSTEMTIME april31 { 2024, 4, 0, 31, 0, 0, 0, 0 };
    FILETIME ft;
    EXPECT_FALSE(SystemTimeToFileTime(&april31, &ft));
}

TEST_F(CoreTest, TimeOfDayAndTicksFollowTheManualClock)
{
    clock->set_local_offset_minutes(120);
    SYSTEMTIME utc, local;
    GetSystemTime(&utc);
    GetLocalTime(&local);
    EXPECT_EQ((local.wHour + 24 - utc.wHour) % 24, 2);
    DWORD ticks = GetTickCount();
    clock->advance(61'000);
    EXPECT_EQ(GetTickCount() - ticks, 61'000u);
    SYSTEMTIME later;
    GetSystemTime(&later);
    EXPECT_EQ((later.wMinute + 60 - utc.wMinute) % 60, 1);
}

TEST_F(CoreTest, SleepOnAnotherThreadReturnsWhenTheClockPassesItsDeadline)
{
    std::atomic<bool> woke { false };
    // The deadline is fixed before the thread starts, so the clock moving first cannot
    // stretch it.
    std::uint64_t deadline = clock->now_ms() + 5000;
    std::thread sleeper([&] {
        platform::clock().sleep_until(deadline);
        woke = true;
    });
    clock->advance(4999);
    EXPECT_FALSE(woke.load());
    clock->advance(1);
    sleeper.join();
    EXPECT_TRUE(woke.load());
}

TEST_F(CoreTest, ThreadHandlesAreWaitable)
{
    DWORD input = 41;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, [](LPVOID p) -> DWORD { return *static_cast<DWORD*>(p) + 1; }, &input, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_FALSE(CloseHandle(thread));
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);
}
