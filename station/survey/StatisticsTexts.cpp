#include "station/survey/StatisticsTexts.h"

#include "platform/framework/Afx.h"
#include "wlan/api/Records.h"

#include <cstdint>

namespace station::survey {

namespace {

// The counter block holds the operating system's signed 64-bit statistics.
std::int64_t counter(WLAN_STATUS const& status, std::uint32_t offset)
{
    return static_cast<std::int64_t>(status.Counters[offset / 8]);
}

std::string signed_text(std::int64_t value)
{
    CString text;
    text.Format("%I64d", value);
    return text.GetString();
}

std::string unsigned_text(std::uint32_t value)
{
    CString text;
    text.Format("%u", value);
    return text.GetString();
}

}

StatisticsTexts FormatStatistics(WLAN_STATUS const& status, int win_os)
{
    std::int64_t const tx_ok = counter(status, COUNTER_TX_OK);
    std::int64_t const tx_retried = counter(status, COUNTER_TX_OK_RETRIED);
    StatisticsTexts texts;
    texts.tx = { signed_text(tx_ok), signed_text(tx_retried), signed_text(counter(status, COUNTER_TX_FAILED_ACK)),
        signed_text(counter(status, COUNTER_RTS_OK)), signed_text(counter(status, COUNTER_RTS_FAILED)),
        // Unsigned arithmetic, read back as signed: the difference of two signed counters
        // without the overflow a signed subtraction could hit.
        signed_text(static_cast<std::int64_t>(static_cast<std::uint64_t>(tx_ok) - static_cast<std::uint64_t>(tx_retried))) };
    texts.rx = { unsigned_text(win_os >= 10 ? status.RxOk : status.RxOkLegacy),
        signed_text(counter(status, COUNTER_RX_CRC)), unsigned_text(status.RxDropped),
        signed_text(counter(status, COUNTER_RX_DUPLICATE)) };
    return texts;
}

}
