// The 802.11n (HT) rate table: channel width, guard interval and MCS index to the PHY data
// rate in Mbit/s. Both programs hold one of these (the station utility's link status, access
// point detail and advanced pages, the access point utility's station table and
// configuration), so it depends on the standard library only. An owner builds it before the
// first lookup; rates are found by a text key "<width>,<guard ns>,<mcs>", e.g. "40,400,15".
#pragma once

#include <map>
#include <string>

class CHTTable {
public:
    CHTTable() = default;
    virtual ~CHTTable() = default;

    // Fills the table: MCS 0-31 at 20 MHz and 0-33 at 40 MHz, each with both guard
    // intervals (132 entries). Building a filled table again changes nothing.
    void Build();

    // `bw40` nonzero is 40 MHz; `guard` 1 is the short (400 ns) guard interval, any other
    // value the long one. True with `*out` set when the table has the rate; false with `*out`
    // untouched otherwise (20 MHz has no MCS 32 or 33, and nothing is above 33).
    bool Lookup(int bw40, int guard, int mcs, double* out) const;

    std::size_t size() const { return m_rates.size(); }

private:
    std::map<std::string, double> m_rates;
};
