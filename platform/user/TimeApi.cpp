// Tick counts, times of day and Sleep, all read from the platform clock.
#include "platform/user/Clock.h"
#include "platform/user/User.h"
#include "platform/user/WindowCore.h"

#include <ctime>

namespace {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr std::int64_t filetime_unix_epoch = 116444736000000000LL;

std::int64_t to_filetime(std::int64_t unix_us)
{
    return unix_us * 10 + filetime_unix_epoch;
}

FILETIME split(std::int64_t value)
{
    return FILETIME { static_cast<DWORD>(value & 0xFFFFFFFF), static_cast<DWORD>(static_cast<std::uint64_t>(value) >> 32) };
}

std::int64_t join(FILETIME const& ft)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

SYSTEMTIME from_unix_us(std::int64_t unix_us)
{
    std::int64_t seconds = unix_us >= 0 ? unix_us / 1'000'000 : -((-unix_us + 999'999) / 1'000'000);
    auto ms = static_cast<WORD>((unix_us - seconds * 1'000'000) / 1000);
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm {};
    gmtime_r(&t, &tm);
    return SYSTEMTIME { static_cast<WORD>(tm.tm_year + 1900), static_cast<WORD>(tm.tm_mon + 1), static_cast<WORD>(tm.tm_wday),
        static_cast<WORD>(tm.tm_mday), static_cast<WORD>(tm.tm_hour), static_cast<WORD>(tm.tm_min),
        static_cast<WORD>(tm.tm_sec), ms };
}

}

extern "C" {

DWORD GetTickCount()
{
    return static_cast<DWORD>(platform::clock().now_ms());
}

ULONGLONG GetTickCount64()
{
    return platform::clock().now_ms();
}

void GetSystemTime(SYSTEMTIME* time)
{
    if (time)
        *time = from_unix_us(platform::clock().unix_time_us());
}

void GetLocalTime(SYSTEMTIME* time)
{
    auto& c = platform::clock();
    if (time)
        *time = from_unix_us(c.unix_time_us() + static_cast<std::int64_t>(c.local_offset_minutes()) * 60'000'000);
}

void GetSystemTimeAsFileTime(FILETIME* time)
{
    if (time)
        *time = split(to_filetime(platform::clock().unix_time_us()));
}

BOOL SystemTimeToFileTime(SYSTEMTIME const* st, FILETIME* ft)
{
    if (!st || !ft || st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 || st->wDay > 31 || st->wHour > 23
        || st->wMinute > 59 || st->wSecond > 59 || st->wMilliseconds > 999 || st->wYear < 1601) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::tm tm {};
    tm.tm_year = st->wYear - 1900;
    tm.tm_mon = st->wMonth - 1;
    tm.tm_mday = st->wDay;
    tm.tm_hour = st->wHour;
    tm.tm_min = st->wMinute;
    tm.tm_sec = st->wSecond;
    std::int64_t seconds = timegm(&tm);
    // timegm normalises 31 April into 1 May: such a date does not exist.
    if (tm.tm_mday != st->wDay) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *ft = split(to_filetime(seconds * 1'000'000 + st->wMilliseconds * 1000));
    return TRUE;
}

BOOL FileTimeToSystemTime(FILETIME const* ft, SYSTEMTIME* st)
{
    if (!ft || !st || join(*ft) < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::int64_t value = join(*ft);
    *st = from_unix_us((value - filetime_unix_epoch) / 10);
    return TRUE;
}

BOOL FileTimeToLocalFileTime(FILETIME const* ft, FILETIME* local)
{
    if (!ft || !local)
        return FALSE;
    std::int64_t offset = static_cast<std::int64_t>(platform::clock().local_offset_minutes()) * 600'000'000;
    *local = split(join(*ft) + offset);
    return TRUE;
}

void Sleep(DWORD ms)
{
    platform::user::before_block();
    auto& c = platform::clock();
    c.sleep_until(c.now_ms() + ms);
}

}
