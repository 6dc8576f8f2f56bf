// Small scan lists built from the contract's entry layout, for the merge tests: entries with a
// chosen address, channel and element length, in heap buffers of exactly 0x8000 bytes, so that
// the address sanitizer sees any read past a list.
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/Records.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

namespace station::testing {

inline std::uint32_t channel_khz(int channel)
{
    return channel >= 36 ? std::uint32_t(5000 + 5 * channel) * 1000 : std::uint32_t(2407 + 5 * channel) * 1000;
}

inline int khz_to_channel(std::uint32_t khz)
{
    if (khz >= 5000000)
        return int(khz / 1000 - 5000) / 5;
    return int(khz / 1000 - 2407) / 5;
}

// One entry: the fixed part, then `ie_length` element bytes.
inline std::vector<std::uint8_t> scan_entry(std::uint8_t mac_last, int channel, std::uint32_t ie_length = 8)
{
    std::vector<std::uint8_t> bytes(NDIS_WLAN_BSSID_EX_FIXED + ie_length, 0);
    NDIS_WLAN_BSSID_EX fixed {};
    fixed.Length = std::uint32_t(bytes.size());
    std::uint8_t const mac[6] = { 0x02, 0, 0, 0, 0, mac_last };
    std::memcpy(fixed.MacAddress, mac, 6);
    fixed.DSConfig = channel_khz(channel);
    fixed.IELength = ie_length;
    std::memcpy(bytes.data(), &fixed, sizeof(fixed));
    for (std::uint32_t i = 0; i < ie_length; ++i)
        bytes[NDIS_WLAN_BSSID_EX_FIXED + i] = std::uint8_t(mac_last + i);
    return bytes;
}

class ScanListBuffer {
public:
    ScanListBuffer()
        : m_bytes(std::make_unique<std::uint8_t[]>(BSSID_LIST_BUFFER_SIZE))
    {
        std::memset(m_bytes.get(), 0, BSSID_LIST_BUFFER_SIZE);
    }

    ScanListBuffer& add(std::vector<std::uint8_t> const& entry)
    {
        std::memcpy(m_bytes.get() + m_end, entry.data(), entry.size());
        m_end += entry.size();
        set_count(count() + 1);
        return *this;
    }
    void set_count(std::uint32_t count) { std::memcpy(m_bytes.get(), &count, 4); }
    std::uint32_t count() const
    {
        std::uint32_t value;
        std::memcpy(&value, m_bytes.get(), 4);
        return value;
    }
    std::uint8_t* data() { return m_bytes.get(); }
    std::span<std::uint8_t, BSSID_LIST_BUFFER_SIZE> span() { return std::span<std::uint8_t, BSSID_LIST_BUFFER_SIZE>(m_bytes.get(), BSSID_LIST_BUFFER_SIZE); }
    std::size_t end() const { return m_end; }

    // The last byte of each entry's address, in list order, as far as the list is sound.
    std::vector<int> macs() const;

private:
    std::unique_ptr<std::uint8_t[]> m_bytes;
    std::size_t m_end { 4 };
};

}
