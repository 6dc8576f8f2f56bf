// [SECTION] index: time and steps, adapters, radio and mode, scans, status record.
#include "wlan/sim/World.h"

#include "wlan/api/Callback.h"
#include "wlan/sim/Channels.h"
#include "wlan/sim/LinkModel.h"
#include "wlan/sim/ScanList.h"
#include "wlan/sim/Store.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace wlan::sim {

namespace {

// Window messages of the system that the libraries raise in their program.
constexpr unsigned kWmPowerBroadcast = 0x0218;
constexpr unsigned kWmDeviceChange = 0x0219;
constexpr std::uintptr_t kPowerSuspend = 4;
constexpr std::uintptr_t kPowerResumeAutomatic = 18;
constexpr std::uintptr_t kDeviceArrival = 0x8000;
constexpr std::uintptr_t kDeviceRemoveComplete = 0x8004;

}

char const* to_string(LinkPhase phase)
{
    switch (phase) {
    case LinkPhase::Idle: return "idle";
    case LinkPhase::Associating: return "associating";
    case LinkPhase::Authenticating: return "authenticating";
    case LinkPhase::Handshake: return "handshake";
    case LinkPhase::Connected: return "connected";
    case LinkPhase::Failed: return "failed";
    }
    return "?";
}

World::World(WorldSpec spec, Store* store, std::uint64_t now)
    : m_spec(std::move(spec))
    , m_store(store)
{
    // The radio and the operating mode belong to the adapter, so every program that opens the
    // same store sees what another one set.
    if (m_store) {
        if (auto sw = m_store->read_u32("radio_sw"))
            m_spec.sw_radio = *sw != 0;
        if (auto mode = m_store->read_u32("op_mode"); mode && *mode <= 2)
            m_spec.op_mode = int(*mode);
        if (auto hosted = m_store->read_u32("hosted_running"))
            m_hosted_network = *hosted != 0;
    }
    load_advance();
    m_driver_mode = m_spec.op_mode;
    for (auto const& a : m_spec.adapters)
        m_ready_at.push_back(now + std::uint64_t(a.init_delay_ms));
}

// [SECTION] time and steps

void World::schedule(std::uint64_t at, Step step, unsigned code, std::string ap_id)
{
    // Stable order: a step goes after every step due at the same time.
    auto pos = std::upper_bound(m_steps.begin(), m_steps.end(), at, [](std::uint64_t t, Scheduled const& s) { return t < s.at; });
    m_steps.insert(pos, Scheduled { at, step, code, std::move(ap_id) });
}

void World::advance(std::uint64_t now)
{
    while (!m_steps.empty() && m_steps.front().at <= now) {
        Scheduled const s = m_steps.front();
        m_steps.erase(m_steps.begin());
        run(s, now);
    }
    watch_link(now);
    // A driver that became ready, or any other change, may let the access point start.
    reconcile_softap(now);
}

std::vector<Outgoing> World::take_outgoing()
{
    std::vector<Outgoing> out;
    out.swap(m_outbox);
    return out;
}

std::optional<std::uint64_t> World::next_due() const
{
    if (m_steps.empty())
        return std::nullopt;
    return m_steps.front().at;
}

LivePending World::pending(std::uint64_t now) const
{
    LivePending out;
    for (auto const& s : m_steps)
        if (s.step == Step::WpsButtonOff && std::find(out.wps_pressed.begin(), out.wps_pressed.end(), s.ap_id) == out.wps_pressed.end())
            out.wps_pressed.push_back(s.ap_id);
    out.fail_next_scan = m_fail_next_scan;
    out.driver_delay = m_next_driver_delay;
    for (auto at : m_ready_at)
        out.ready_in.push_back(at > now ? at - now : 0);
    return out;
}

void World::post(unsigned message, std::uintptr_t wparam) { m_outbox.push_back({ Outgoing::Kind::Post, message, wparam, {} }); }

void World::callback(unsigned event, std::vector<std::uint8_t> data)
{
    m_outbox.push_back({ Outgoing::Kind::Callback, event, 0, std::move(data) });
}

void World::run(Scheduled const& s, std::uint64_t now)
{
    switch (s.step) {
    case Step::ScanDone: finish_scan(now); break;
    case Step::ScanFailed:
        m_scan_due.reset();
        post(VXWL_MSG_SCAN_FAILED);
        break;
    case Step::Callback: callback(s.code, s.data); break;
    case Step::Connected:
        m_link.phase = LinkPhase::Connected;
        m_link.connected_at = now;
        m_link.address_from = now;
        m_link.counters_from = now;
        start_traffic(now);
        m_link.wapi = false;
        m_lost_ap.clear();
        callback(RS_CBS_AU_STATUS_MEDIA_CONNECT);
        break;
    case Step::Failed:
        m_link.phase = LinkPhase::Failed;
        m_link.fail_state = s.code;
        m_link.wapi = false;
        callback(RS_CBS_AU_STATUS_LINK_DOWN);
        break;
    case Step::IcvError:
        m_link.private_message |= 1;
        m_link.icv = true;
        callback(RS_CBS_ICV_ERROR);
        break;
    case Step::WapiDone: m_link.wapi = false; break;
    // Only wakes the library: watch_link sees the driver ready.
    case Step::DriverReady: break;
    case Step::WpsButtonOff:
        if (auto* ap = find_ap(s.ap_id))
            ap->wps_pbc_active = false;
        break;
    case Step::EapUiClosed:
        post(VXWL_MSG_ENABLE_WINDOW, 1);
        if (s.code)
            post(VXWL_MSG_EAP_CONFIG_DONE);
        break;
    case Step::CcxMessage: run_ccx_message(s); break;
    case Step::DlsUp: dls_link_up(s); break;
    }
}

// [SECTION] adapters

std::vector<AdapterEntry> World::adapter_records() const
{
    std::vector<AdapterEntry> out;
    for (auto const& a : m_spec.adapters) {
        if (!a.present)
            continue;
        AdapterEntry e {};
        std::snprintf(e.FriendlyName, sizeof e.FriendlyName, "%s", a.friendly_name.c_str());
        std::snprintf(e.DeviceDescription, sizeof e.DeviceDescription, "%s", a.description.c_str());
        std::snprintf(e.ServiceName, sizeof e.ServiceName, "{%s}", a.id.c_str());
        std::snprintf(e.DeviceName, sizeof e.DeviceName, "\\DEVICE\\{%s}", a.id.c_str());
        std::snprintf(e.HardwareId, sizeof e.HardwareId, "%s", a.hardware_id.c_str());
        std::snprintf(e.Location, sizeof e.Location, "%s", a.location.c_str());
        e.AdapterKind = a.kind;
        out.push_back(e);
    }
    return out;
}

namespace {

bool same_adapter(AdapterEntry const& e, AdapterSpec const& a)
{
    char name[264];
    std::snprintf(name, sizeof name, "{%s}", a.id.c_str());
    return ::strncmp(e.ServiceName, name, sizeof e.ServiceName) == 0;
}

}

bool World::select_adapter(AdapterEntry const& adapter, std::uint64_t now)
{
    for (std::size_t i = 0; i < m_spec.adapters.size(); ++i) {
        if (m_spec.adapters[i].present && same_adapter(adapter, m_spec.adapters[i])) {
            m_selected = int(i);
            (void)now;
            return true;
        }
    }
    return false;
}

bool World::device_exists(AdapterEntry const& adapter) const
{
    for (auto const& a : m_spec.adapters)
        if (a.present && same_adapter(adapter, a))
            return true;
    return false;
}

AdapterSpec const* World::selected_adapter() const
{
    if (m_selected < 0 || std::size_t(m_selected) >= m_spec.adapters.size())
        return nullptr;
    return &m_spec.adapters[std::size_t(m_selected)];
}

bool World::adapter_present() const
{
    auto const* a = selected_adapter();
    return a && a->present;
}

bool World::driver_ready(std::uint64_t now) const
{
    return adapter_present() && !m_suspended && now >= m_ready_at[std::size_t(m_selected)];
}

std::uint64_t World::driver_start_time(AdapterSpec const& adapter, std::uint64_t now)
{
    int const delay = m_next_driver_delay != -1 ? m_next_driver_delay : adapter.init_delay_ms;
    m_next_driver_delay = -1;
    if (delay == kDriverNever)
        return UINT64_MAX;
    return now + std::uint64_t(delay);
}

void World::set_adapter_present(std::string const& id, bool present, std::uint64_t now)
{
    for (std::size_t i = 0; i < m_spec.adapters.size(); ++i) {
        auto& a = m_spec.adapters[i];
        if (a.id != id || a.present == present)
            continue;
        a.present = present;
        if (present) {
            m_ready_at[i] = driver_start_time(a, now);
        } else if (int(i) == m_selected) {
            drop_link(now);
            m_scan_due.reset();
            stop_softap(now);
            m_ap.config.reset();
        }
        post(kWmDeviceChange, present ? kDeviceArrival : kDeviceRemoveComplete);
    }
}

// [SECTION] radio and mode

bool World::set_radio_sw(bool on, std::uint64_t now)
{
    if (!adapter_present())
        return false;
    bool const was_on = radio_on();
    m_spec.sw_radio = on;
    persist();
    if (was_on && !radio_on()) {
        radio_went_off(now);
    } else if (!was_on && radio_on()) {
        post(VXWL_MSG_RADIO_ON);
    }
    return true;
}

void World::set_radio_switch(bool on, std::uint64_t now)
{
    if (set_radio_sw(on, now))
        return;
    m_spec.sw_radio = on;
    persist();
}

void World::set_radio_hw(bool on, std::uint64_t now)
{
    bool const was_on = radio_on();
    m_spec.hw_radio = on;
    if (was_on && !radio_on()) {
        radio_went_off(now);
    } else if (!was_on && radio_on()) {
        post(VXWL_MSG_RADIO_ON);
    }
}

// Without the radio the hosted network stops and the driver falls back to station mode; the
// stored mode stays, so the station utility sees that it has to hand the adapter back.
void World::radio_went_off(std::uint64_t now)
{
    drop_link(now);
    if (m_driver_mode == 2) {
        m_driver_mode = 0;
        m_hosted_network = false;
        persist();
    }
    post(VXWL_MSG_RADIO_OFF);
}

void World::set_op_mode(int mode)
{
    m_spec.op_mode = mode;
    m_driver_mode = mode;
    persist();
}

void World::set_driver_mode(int mode, std::uint64_t now)
{
    m_driver_mode = mode;
    // In access point mode the adapter has no station link.
    if (mode == 1)
        drop_link(now);
}

// [SECTION] power

void World::suspend(std::uint64_t now)
{
    if (m_suspended)
        return;
    m_suspended = true;
    drop_link(now);
    m_scan_due.reset();
    stop_softap(now);
    m_ap.config.reset();
    post(kWmPowerBroadcast, kPowerSuspend);
}

void World::resume(std::uint64_t now)
{
    if (!m_suspended)
        return;
    m_suspended = false;
    // Every driver starts again; a delay set for the next start holds for all of them.
    int const next = m_next_driver_delay;
    for (std::size_t i = 0; i < m_spec.adapters.size(); ++i) {
        m_next_driver_delay = next;
        m_ready_at[i] = driver_start_time(m_spec.adapters[i], now);
        if (m_ready_at[i] != UINT64_MAX)
            schedule(m_ready_at[i], Step::DriverReady);
    }
    m_reconnect_after_resume = true;
    post(kWmPowerBroadcast, kPowerResumeAutomatic);
}

void World::persist()
{
    if (!m_store)
        return;
    m_store->write_u32("radio_sw", m_spec.sw_radio ? 1 : 0);
    m_store->write_u32("op_mode", std::uint32_t(m_spec.op_mode));
    m_store->write_u32("hosted_running", m_hosted_network ? 1 : 0);
}

// [SECTION] scans

ApSpec* World::find_ap(std::string const& id)
{
    for (auto& ap : m_spec.aps)
        if (ap.id == id)
            return &ap;
    return nullptr;
}

// The signal swings by `drift` dB as a triangle over 20 seconds.
int World::ap_rssi(ApSpec const& ap, std::uint64_t now) const
{
    if (ap.drift == 0)
        return ap.rssi;
    std::int64_t const phase = std::int64_t(now % 20000);
    std::int64_t const tri = phase < 10000 ? phase : 20000 - phase;
    return ap.rssi + int(ap.drift * (tri - 5000) / 5000);
}

bool World::start_scan(std::uint64_t now)
{
    if (!driver_ready(now) || !radio_on()) {
        post(VXWL_MSG_SCAN_FAILED);
        return false;
    }
    if (m_scan_due)
        return true;
    m_scan_due = now + std::uint64_t(m_spec.scan_ms);
    if (m_fail_next_scan) {
        m_fail_next_scan = false;
        schedule(*m_scan_due, Step::ScanFailed);
    } else {
        schedule(*m_scan_due, Step::ScanDone);
    }
    return true;
}

void World::finish_scan(std::uint64_t now)
{
    m_scan_due.reset();
    if (!driver_ready(now) || !radio_on()) {
        post(VXWL_MSG_SCAN_FAILED);
        return;
    }
    auto const channels = available_channels(m_spec.wireless_mode, m_spec.region24, m_spec.region5);
    std::vector<std::pair<int, ApSpec const*>> seen;
    for (auto const& ap : m_spec.aps) {
        int const rssi = ap_rssi(ap, now);
        bool const on_plan = std::find(channels.begin(), channels.end(), std::uint8_t(ap.channel)) != channels.end();
        if (ap.present && rssi > -95 && on_plan)
            seen.emplace_back(rssi, &ap);
    }
    m_scan_entries.clear();
    for (auto const& [rssi, ap] : seen)
        m_scan_entries.push_back(build_entry(*ap, rssi));
    m_outbox.push_back({ Outgoing::Kind::ScanDone, 0, 0, {} });
}

void World::press_wps_button(std::string const& id, std::uint64_t now)
{
    if (auto* ap = find_ap(id)) {
        ap->wps = true;
        ap->wps_pbc_active = true;
        schedule(now + 120000, Step::WpsButtonOff, 0, id);
    }
}

// [SECTION] status record

bool World::fill_status(WLAN_STATUS& status, std::uint64_t now) const
{
    if (!driver_ready(now))
        return false;
    WLAN_STATUS s {};
    s.Status = VxStatus_Disconnected;
    s.LinkState = LINK_DOWN;
    s.Ant1Dbm = -200;
    s.Ant2Dbm = -200;
    s.Ant3Dbm = -200;
    s.TxPowerPercent = 100;
    if (!m_spec.hw_radio)
        s.LinkState = LINK_HW_RADIO_OFF;
    else if (!m_spec.sw_radio)
        s.LinkState = LINK_SW_RADIO_OFF;
    else if (m_link.phase == LinkPhase::Failed)
        s.LinkState = m_link.fail_state;
    ApSpec const* ap = linked_ap();
    if (ap && m_link.phase == LinkPhase::Connected && radio_on())
        fill_link_fields(s, *ap, now);
    status = s;
    return true;
}

void World::fill_link_fields(WLAN_STATUS& s, ApSpec const& ap, std::uint64_t now) const
{
    s.Status = VxStatus_Connected;
    s.LinkState = LINK_UP;
    s.Ssid.SsidLength = std::uint32_t(ap.ssid.size());
    std::memcpy(s.Ssid.Ssid, ap.ssid.data(), ap.ssid.size());
    std::memcpy(s.Bssid, ap.bssid.data(), 6);
    s.NetworkType = ap.adhoc ? 0 : 1;
    int const rssi = ap_rssi(ap, now);
    s.Ant1Dbm = rssi;
    s.Ant1Percent = std::uint32_t(rssi_to_percent(rssi));
    int const chains = selected_adapter() ? selected_adapter()->chains : 1;
    if (chains >= 2) {
        s.Ant2Present = 1;
        s.Ant2Dbm = rssi - 3;
        s.Ant2Percent = std::uint32_t(rssi_to_percent(rssi - 3));
        s.Snr2 = rssi - 3 - ap.noise;
    }
    if (chains >= 3) {
        s.Ant3Present = 1;
        s.Ant3Dbm = rssi - 5;
        s.Ant3Percent = std::uint32_t(rssi_to_percent(rssi - 5));
    }
    s.Snr1 = rssi - ap.noise;
    s.NoiseDbm = ap.noise;
    s.FrequencyKHz = channel_to_frequency(ap.channel);
    s.AuthMode = m_link.profile.enumAuthenMode;
    s.EncryptionStatus = m_link.profile.enumEncryStatus;
    s.LinkQuality = std::uint32_t(rssi_to_percent(rssi));
    bool const ht = ap.ht && mode_is_11n(m_spec.wireless_mode) && m_spec.supports_11n;
    LinkRate const rate = applied_rate(ap, ht, rssi);
    s.TxRate = std::uint32_t(rate.mbps * 2);
    s.TxRateMbps = rate.mbps;
    s.RxRateMbps = rate.mbps;
    s.TransmitSetting = rate.transmit_setting;
    s.CentralChannel = std::uint32_t(ap.ht40 ? ap.channel + 2 : ap.channel);
    if (AdapterSpec const* adapter = selected_adapter())
        s.TxPowerPercent = std::uint32_t(adapter->tx_power);
    s.ConnectMode = 0;
    std::size_t const name_len = std::min(::strnlen(m_link.profile.strProfileName, sizeof m_link.profile.strProfileName),
        sizeof s.ProfileName - 1);
    std::memcpy(s.ProfileName, m_link.profile.strProfileName, name_len);
    fill_counters(s, now);
    if (address_assigned(now)) {
        std::memcpy(s.IpAddress, m_spec.address.data(), 4);
        std::memcpy(s.SubnetMask, m_spec.netmask.data(), 4);
        std::memcpy(s.Gateway, m_spec.gateway.data(), 4);
    }
}

}
