#include "station/rates/CHTTable.h"

#include <array>
#include <span>

namespace {

// The HT PHY data rates of the 802.11n MCS tables (IEEE Std 802.11n-2009, clause 20), in
// Mbit/s, indexed by MCS: one to four spatial streams of eight modulations each, then, at
// 40 MHz only, MCS 32 (duplicate) and MCS 33 (the first unequal modulation). The tables print
// one decimal, except the two-stream short-guard rates at 20 MHz, which are kept to three.
constexpr std::array<double, 32> k20Long {
    6.5, 13.0, 19.5, 26.0, 39.0, 52.0, 58.5, 65.0,
    13.0, 26.0, 39.0, 52.0, 78.0, 104.0, 117.0, 130.0,
    19.5, 39.0, 58.5, 78.0, 117.0, 156.0, 175.5, 195.0,
    26.0, 52.0, 78.0, 104.0, 156.0, 208.0, 234.0, 260.0,
};
constexpr std::array<double, 32> k20Short {
    7.2, 14.4, 21.7, 28.9, 43.3, 57.8, 65.0, 72.2,
    14.444, 28.889, 43.333, 57.778, 86.667, 115.556, 130.0, 144.444,
    21.7, 43.3, 65.0, 86.7, 130.0, 173.3, 195.0, 216.7,
    28.9, 57.8, 86.7, 115.6, 173.3, 231.1, 260.0, 288.9,
};
constexpr std::array<double, 34> k40Long {
    13.5, 27.0, 40.5, 54.0, 81.0, 108.0, 121.5, 135.0,
    27.0, 54.0, 81.0, 108.0, 162.0, 216.0, 243.0, 270.0,
    40.5, 81.0, 121.5, 162.0, 243.0, 324.0, 364.5, 405.0,
    54.0, 108.0, 162.0, 216.0, 324.0, 432.0, 486.0, 540.0,
    6.0, 81.0,
};
constexpr std::array<double, 34> k40Short {
    15.0, 30.0, 45.0, 60.0, 90.0, 120.0, 135.0, 150.0,
    30.0, 60.0, 90.0, 120.0, 180.0, 240.0, 270.0, 300.0,
    45.0, 90.0, 135.0, 180.0, 270.0, 360.0, 405.0, 450.0,
    60.0, 120.0, 180.0, 240.0, 360.0, 480.0, 540.0, 600.0,
    6.7, 90.0,
};

constexpr int kLongGuard = 800;
constexpr int kShortGuard = 400;

std::string key(int width, int guard_ns, int mcs)
{
    return std::to_string(width) + "," + std::to_string(guard_ns) + "," + std::to_string(mcs);
}

}

void CHTTable::Build()
{
    auto const add = [this](int width, int guard_ns, std::span<double const> rates) {
        for (std::size_t mcs = 0; mcs < rates.size(); ++mcs)
            m_rates.emplace(key(width, guard_ns, static_cast<int>(mcs)), rates[mcs]);
    };
    add(20, kLongGuard, k20Long);
    add(20, kShortGuard, k20Short);
    add(40, kLongGuard, k40Long);
    add(40, kShortGuard, k40Short);
}

bool CHTTable::Lookup(int bw40, int guard, int mcs, double* out) const
{
    if (!bw40 && mcs == 32 && (guard == 0 || guard == 1))
        return false;
    auto const found = m_rates.find(key(bw40 ? 40 : 20, guard == 1 ? kShortGuard : kLongGuard, mcs));
    if (found == m_rates.end())
        return false;
    *out = found->second;
    return true;
}
