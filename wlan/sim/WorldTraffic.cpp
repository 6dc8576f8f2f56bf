// The traffic of the simulated link: byte counters that follow the world's traffic pattern,
// frame counters in proportion, a reset of both, and live changes of both.
#include "wlan/sim/World.h"

#include "wlan/sim/LinkModel.h"

#include <utility>

namespace wlan::sim {

namespace {

// One frame per kilobyte carried; the error counters are fixed parts of the frames.
constexpr std::uint64_t kBytesPerFrame = 1000;

// The counters by name, in the order of World::frames().
enum Frame : std::size_t { TxOk, TxRetried, TxFailedAck, RtsOk, RtsFailed, RxDup, RxCrc, RxOk, RxDropped };
constexpr std::pair<char const*, Frame> kFrameNames[] = {
    { "tx_ok", TxOk }, { "tx_retried", TxRetried }, { "tx_failed_ack", TxFailedAck }, { "rts_ok", RtsOk },
    { "rts_failed", RtsFailed }, { "rx_dup", RxDup }, { "rx_crc", RxCrc }, { "rx_ok", RxOk },
    { "rx_dropped", RxDropped },
};

}

void World::start_traffic(std::uint64_t now)
{
    m_link.traffic_from = now;
    m_link.tx_base = m_link.rx_base = 0;
    m_link.tx_at_reset = m_link.rx_at_reset = 0;
    m_link.frame_offsets = {};
}

std::uint64_t World::bytes_tx(std::uint64_t now) const
{
    return m_link.tx_base + pattern_bytes(m_spec.traffic_tx, now - m_link.traffic_from);
}

std::uint64_t World::bytes_rx(std::uint64_t now) const
{
    return m_link.rx_base + pattern_bytes(m_spec.traffic_rx, now - m_link.traffic_from);
}

std::array<std::uint64_t, World::kFrameCounters> World::frames(std::uint64_t now) const
{
    std::uint64_t const tx = (bytes_tx(now) - m_link.tx_at_reset) / kBytesPerFrame;
    std::uint64_t const rx = (bytes_rx(now) - m_link.rx_at_reset) / kBytesPerFrame;
    std::array<std::uint64_t, kFrameCounters> f { tx, tx / 20, tx / 200, tx / 50, tx / 500, rx / 300, rx / 100, rx,
        rx / 1000 };
    for (std::size_t i = 0; i < f.size(); ++i)
        f[i] += m_link.frame_offsets[i];
    return f;
}

void World::fill_counters(WLAN_STATUS& s, std::uint64_t now) const
{
    s.BytesTx = std::uint32_t(bytes_tx(now));
    s.BytesRx = std::uint32_t(bytes_rx(now));
    auto const f = frames(now);
    auto set = [&](std::uint32_t offset, std::uint64_t v) { s.Counters[offset / 8] = v; };
    set(COUNTER_TX_OK, f[TxOk]);
    set(COUNTER_TX_OK_RETRIED, f[TxRetried]);
    set(COUNTER_TX_FAILED_ACK, f[TxFailedAck]);
    set(COUNTER_RTS_OK, f[RtsOk]);
    set(COUNTER_RTS_FAILED, f[RtsFailed]);
    set(COUNTER_RX_DUPLICATE, f[RxDup]);
    set(COUNTER_RX_CRC, f[RxCrc]);
    s.RxOk = std::uint32_t(f[RxOk]);
    s.RxOkLegacy = std::uint32_t(f[RxOk]);
    s.RxDropped = std::uint32_t(f[RxDropped]);
}

// The byte counters restart with the frame counters, so that a page that measures throughput
// from them sees no traffic rather than a jump.
void World::reset_counters(std::uint64_t now)
{
    start_traffic(now);
    m_link.counters_from = now;
}

void World::set_traffic(std::vector<int> tx, std::vector<int> rx, std::uint64_t now)
{
    m_link.tx_base = bytes_tx(now);
    m_link.rx_base = bytes_rx(now);
    m_link.traffic_from = now;
    m_spec.traffic_tx = std::move(tx);
    m_spec.traffic_rx = std::move(rx);
}

bool World::is_counter(std::string const& name)
{
    if (name == "bytes_tx" || name == "bytes_rx")
        return true;
    for (auto const& [key, index] : kFrameNames) {
        if (name == key)
            return true;
    }
    return false;
}

std::string World::set_counter(std::string const& name, std::uint64_t value, std::uint64_t now)
{
    // Byte counters: the frames counted so far stay as they are.
    if (name == "bytes_tx" || name == "bytes_rx") {
        auto const f = frames(now);
        std::uint64_t& base = name == "bytes_tx" ? m_link.tx_base : m_link.rx_base;
        std::uint64_t& at_reset = name == "bytes_tx" ? m_link.tx_at_reset : m_link.rx_at_reset;
        std::uint64_t const current = name == "bytes_tx" ? bytes_tx(now) : bytes_rx(now);
        base = base - current + value;
        at_reset = at_reset - current + value;
        m_link.frame_offsets = {};
        auto const g = frames(now);
        for (std::size_t i = 0; i < f.size(); ++i)
            m_link.frame_offsets[i] = f[i] - g[i];
        return {};
    }
    for (auto const& [key, index] : kFrameNames) {
        if (name == key) {
            m_link.frame_offsets[index] += value - frames(now)[index];
            return {};
        }
    }
    return "unknown counter '" + name + "'";
}

}
