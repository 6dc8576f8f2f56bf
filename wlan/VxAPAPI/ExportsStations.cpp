// Exports of what the access point sees while it serves: its station tables, counters, signal
// and event table, and its block-acknowledgement capability and agreements.
#include "wlan/VxAPAPI/Export.h"

#include "platform/user/User.h"

#include <cctype>
#include <cstring>

using wlan::sim::World;
using wlan::vxap::host;
using wlan::vxap::log_call;

namespace {

// The capability the driver applies until told otherwise: automatic set-up, aggregation on,
// density 0, A-MSDU on at 3839 bytes, power save off, windows 32 and 32.
BA_CAP_SETTING g_applied_cap { 32, 32, 1, 0, 1, 0, 3, 1 };

bool has_11n_table(int model) { return model >= 4; }

// Fills the station table of the layout that suits the adapter's device model (2 and 3 without
// 802.11n, 4 and up with it); the other layout's query fails, so a wrong choice shows. While
// the access point does not serve, the table is empty.
template<typename Table, typename Fill>
int query_table(Table* table, bool wants_11n, Fill fill)
{
    if (!table)
        return 0;
    return host().with_world([&](World& w, std::uint64_t) {
        auto const* a = w.selected_adapter();
        if (!a || !a->present || has_11n_table(a->device_model) != wants_11n)
            return 0;
        Table t {};
        for (auto const& [station, link] : w.associated_stations()) {
            if (t.Count == AP_ACL_ENTRIES)
                break;
            auto& e = t.Entry[t.Count++];
            std::memcpy(e.Mac, station->mac.data(), 6);
            e.Aid = std::uint8_t(link->aid);
            e.PowerSave = station->power_save ? 1 : 0;
            fill(e, *station);
        }
        *table = t;
        return 1;
    });
}

std::uint64_t to_filetime_units(FILETIME const& t) { return (std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// The world counts events in its own milliseconds; the table gives the system's time of day.
FILETIME event_time(std::uint64_t at, std::uint64_t now)
{
    FILETIME current {};
    GetSystemTimeAsFileTime(&current);
    std::uint64_t const units = to_filetime_units(current) - (now > at ? now - at : 0) * 10000;
    return FILETIME { DWORD(units & 0xFFFFFFFF), DWORD(units >> 32) };
}

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}

// [SECTION] station tables

VXAP_API int VXAP_QueryMacTableNOT_11N(KT_802_11_MAC_TABLE_NOT_11N* table)
{
    return query_table(table, false, [](auto&, auto const&) {});
}

VXAP_API int VXAP_QueryMacTable(KT_802_11_MAC_TABLE* table)
{
    return query_table(table, true, [](auto& e, auto const& s) { e.TxRate = wlan::sim::station_rate_word(s); });
}

// [SECTION] counters, signal, events

VXAP_API int VXAP_QueryApWLANStatus(AP_WLAN_STATUS* status)
{
    if (!status)
        return 0;
    return host().with_world([&](World& w, std::uint64_t now) {
        if (!w.adapter_present())
            return 0;
        auto const c = w.softap_counters(now);
        AP_WLAN_STATUS s {};
        auto set = [&](std::uint32_t offset, std::uint64_t v) { s.Counters[offset / 8] = v; };
        set(COUNTER_TX_OK, c.tx_ok);
        set(COUNTER_TX_FAILED_ACK, c.tx_failed_ack);
        set(COUNTER_TX_OK_RETRIED, c.tx_retried);
        set(COUNTER_RTS_OK, c.rts_ok);
        set(COUNTER_RTS_FAILED, c.rts_failed);
        set(COUNTER_RX_DUPLICATE, c.rx_duplicate);
        set(COUNTER_RX_CRC, c.rx_crc);
        s.RxOk = c.rx_ok;
        s.RxOkLegacy = std::uint32_t(c.rx_ok);
        s.RxDropped = std::uint32_t(c.rx_dropped);
        *status = s;
        return 1;
    });
}

VXAP_API int VXAP_ResetStatisticsCounter(void)
{
    log_call("ResetStatisticsCounter");
    host().with_world([](World& w, std::uint64_t now) { w.reset_softap_counters(now); });
    return 1;
}

VXAP_API int VXAP_QuerySignalStrength(int* dbm)
{
    if (!dbm)
        return 0;
    *dbm = host().with_world([](World& w, std::uint64_t) { return w.softap_signal_dbm(); });
    return 1;
}

// At most the ten oldest unread events; answers 0 when there are none.
VXAP_API int VXAP_QueryEventTable(EventTable* table)
{
    if (!table)
        return 0;
    return host().with_world([&](World& w, std::uint64_t now) {
        auto const events = w.take_softap_events(AP_EVENT_TABLE_ENTRIES);
        EventTable t {};
        for (auto const& e : events) {
            auto& out = t.Event[t.Count++];
            out.Time = event_time(e.at, now);
            std::memcpy(out.Mac, e.mac.data(), 6);
            out.Code = e.code;
        }
        *table = t;
        return t.Count > 0 ? 1 : 0;
    });
}

// "XX-XX-XX-XX-XX-XX" (or with ':'); the six bytes are written only for a whole address.
VXAP_API int VXAP_ConvertMACStrToByte(const char* text, std::uint8_t* mac)
{
    if (!text || !mac)
        return 0;
    std::uint8_t bytes[6];
    for (int i = 0; i < 6; ++i) {
        char const* p = text + i * 3;
        int const high = hex_value(p[0]);
        int const low = high < 0 ? -1 : hex_value(p[1]);
        char const end = low < 0 ? 'x' : p[2];
        if (low < 0 || (i < 5 ? (end != '-' && end != ':') : end != '\0'))
            return 0;
        bytes[i] = std::uint8_t(high << 4 | low);
    }
    std::memcpy(mac, bytes, 6);
    return 1;
}

// [SECTION] block acknowledgement

VXAP_API int VXAP_QueryBACap(BA_CAP_SETTING* setting)
{
    if (!setting)
        return 0;
    *setting = host().with_world([](World&, std::uint64_t) { return g_applied_cap; });
    return 1;
}

VXAP_API int VXAP_SetBACap(BA_CAP_SETTING setting)
{
    log_call("SetBACap", &setting, sizeof setting);
    host().with_world([&](World&, std::uint64_t) { g_applied_cap = setting; });
    return 1;
}

VXAP_API int VXAP_WriteBACap(VXAP_U32 packed)
{
    log_call("WriteBACap", &packed, sizeof packed);
    return host().store().write_u32("ap_ba_cap", packed) ? 1 : 0;
}

// Fails until a capability was written.
VXAP_API int VXAP_ReadBACap(VXAP_U32* packed)
{
    if (!packed)
        return 0;
    auto stored = host().store().read_u32("ap_ba_cap");
    if (!stored)
        return 0;
    *packed = *stored;
    return 1;
}

VXAP_API int VXAP_QueryBATable(BA_TABLE* table)
{
    if (!table)
        return 0;
    *table = host().with_world([](World& w, std::uint64_t) { return w.block_acks().table(); });
    return 1;
}

// Byte 12 = 1 removes every agreement with the peer in that direction; byte 12 = 0 with a window
// of 0 removes the one TID; anything else adds the TID with its window, for an associated
// 802.11n station only.
VXAP_API int VXAP_SetIMMEBA(BA_REQUEST request)
{
    log_call("SetIMMEBA", &request, sizeof request);
    if (request.Direction > 1 || request.Tid > 7)
        return 0;
    wlan::sim::Mac mac;
    std::memcpy(mac.data(), request.Mac, 6);
    auto const direction = request.Direction == 0 ? wlan::sim::BaDirection::Originator : wlan::sim::BaDirection::Recipient;
    return host().with_world([&](World& w, std::uint64_t) {
        auto& agreements = w.block_acks();
        if (request.DeleteAll == 1)
            return agreements.remove_peer(direction, mac) ? 1 : 0;
        if (request.WindowSize == 0)
            return agreements.remove_tid(direction, mac, request.Tid) ? 1 : 0;
        for (auto const& [station, link] : w.associated_stations())
            if (station->mac == mac && station->phy == 'n' && w.spec().supports_11n)
                return agreements.add(direction, mac, request.Tid, request.WindowSize) ? 1 : 0;
        return 0;
    });
}

VXAP_CHECK_TYPE(QueryMacTableNOT_11N);
VXAP_CHECK_TYPE(QueryMacTable);
VXAP_CHECK_TYPE(QueryApWLANStatus);
VXAP_CHECK_TYPE(ResetStatisticsCounter);
VXAP_CHECK_TYPE(QuerySignalStrength);
VXAP_CHECK_TYPE(QueryEventTable);
VXAP_CHECK_TYPE(ConvertMACStrToByte);
VXAP_CHECK_TYPE(QueryBACap);
VXAP_CHECK_TYPE(SetBACap);
VXAP_CHECK_TYPE(WriteBACap);
VXAP_CHECK_TYPE(ReadBACap);
VXAP_CHECK_TYPE(QueryBATable);
VXAP_CHECK_TYPE(SetIMMEBA);
