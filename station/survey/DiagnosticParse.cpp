#include "station/survey/DiagnosticParse.h"

#include "wlan/api/Pranto.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace station::survey {

namespace {

// The leading decimal number, as atoi reads it (blanks, a sign, digits), held within int.
int leading_number(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
    return static_cast<int>(negative ? -value : value);
}

// The reply time of one line: "time=3ms" gives 3, "time<1ms" 0; false for other lines.
bool reply_time(std::string_view line, int& ms)
{
    std::size_t const first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line.substr(first).rfind("Reply from", 0) != 0)
        return false;
    std::string rest(line);
    std::string value;
    if (!ExtractBetween(rest, "time", "ms", value) || value.empty())
        return false;
    if (value[0] == '<') {
        ms = 0;
        return true;
    }
    if (value[0] != '=')
        return false;
    ms = leading_number(std::string_view(value).substr(1));
    return true;
}

std::vector<int> reply_times(std::string_view text)
{
    std::vector<int> times;
    while (!text.empty()) {
        std::size_t const end = text.find('\n');
        int ms = 0;
        if (reply_time(text.substr(0, end), ms))
            times.push_back(ms);
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
    }
    return times;
}

// "Sent = 4," and "Received = 4,": the number between the "=" after the key and the next ",".
bool packet_count(std::string_view text, std::string_view key, int& count)
{
    std::size_t const at = text.find(key);
    if (at == std::string_view::npos)
        return false;
    std::string rest(text.substr(at + key.size()));
    std::string value;
    if (ExtractBetween(rest, "=", ",", value))
        count = leading_number(value);
    return true;
}

std::string format(char const* pattern, auto... args)
{
    char line[96];
    std::snprintf(line, sizeof line, pattern, args...);
    return line;
}

int big_endian(std::uint8_t const (&bytes)[2])
{
    return (bytes[0] << 8) | bytes[1];
}

}

bool ExtractBetween(std::string& text, std::string_view start, std::string_view end, std::string& value)
{
    std::size_t const at = text.find(start);
    if (at == std::string::npos)
        return false;
    std::size_t const after = at + start.size();
    std::size_t const stop = text.find(end, after);
    if (stop == std::string::npos)
        return false;
    value = text.substr(after, stop - after);
    text.erase(0, after);
    return true;
}

bool ParsePingResult(std::string_view text, PingFigures& out)
{
    std::vector<int> times = reply_times(text);
    if (times.empty())
        return false;
    std::sort(times.begin(), times.end());
    PingFigures figures { 0, 0, times.front(), times.back() };
    if (!packet_count(text, "Sent", figures.sent) || !packet_count(text, "Received", figures.received))
        return false;
    out = figures;
    return true;
}

std::vector<std::string> SuccessLines(PingReport const& r)
{
    std::vector<std::string> lines { "Successful!!!" };
    if (r.ip_version == 4 || r.ip_version == 6)
        lines.push_back(r.ip_version == 4 ? "IP Version: IPv4" : "IP Version: IPv6");
    lines.push_back(format("IP Address:%d.%d.%d.%d", r.ip[0], r.ip[1], r.ip[2], r.ip[3]));
    lines.push_back(format("MAC Address:%02X:%02X:%02X:%02X:%02X:%02X", r.mac[0], r.mac[1], r.mac[2], r.mac[3],
        r.mac[4], r.mac[5]));
    lines.push_back(format("Packet Sent:%d", r.figures.sent));
    lines.push_back(format("Packet Received:%d", r.figures.received));
    lines.push_back(format("Minimum Reply Time:%d ms", r.figures.minimum));
    // The program's own spelling.
    lines.push_back(format("Maxmum Reply Time:%d ms", r.figures.maximum));
    return lines;
}

std::vector<std::string> PrantoResultLines(int result, std::span<std::uint8_t const> record)
{
    switch (result) {
    case PRANTO_OK: {
        if (record.size() < sizeof(PRANTO_PING_RESULT))
            return {};
        PRANTO_PING_RESULT r;
        std::memcpy(&r, record.data(), sizeof r);
        PingReport report;
        report.ip_version = r.IpVersion;
        std::memcpy(report.ip, r.Ipv4, 4);
        std::memcpy(report.mac, r.Mac, 6);
        report.figures = { r.Sent, big_endian(r.Received), big_endian(r.MinimumMs), big_endian(r.MaximumMs) };
        return SuccessLines(report);
    }
    case PRANTO_FAILED: return { "Diagnostic Test Failed!!!" };
    case PRANTO_BUFFER_TOO_SMALL: return { "Error: Buffer Overflow!!!" };
    default: return {};
    }
}

}
