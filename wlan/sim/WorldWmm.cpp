// The station's direct links, the peer's end of one (wlansim dls-down), and the [world] keys
// of the CCX diagnostics and of WMM.
#include "platform/system/ParseInteger.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/World.h"

#include <algorithm>
#include <cstring>

namespace wlan::sim {

namespace {


bool same_peer(DLS_ENTRY const& e, std::uint8_t const* mac) { return e.InUse && std::memcmp(e.MacAddr, mac, 6) == 0; }

}

// [SECTION] direct links

bool World::dls_set(DLS_ENTRY const& entry, std::uint64_t now)
{
    auto const peer = std::find_if(m_dls.begin(), m_dls.end(), [&](DLS_ENTRY const& e) { return same_peer(e, entry.MacAddr); });
    Mac const mac { entry.MacAddr[0], entry.MacAddr[1], entry.MacAddr[2], entry.MacAddr[3], entry.MacAddr[4], entry.MacAddr[5] };
    // A link set up again, or removed, waits for no earlier step of its peer.
    if (peer != m_dls.end() || entry.InUse)
        std::erase_if(m_steps, [&](Scheduled const& s) { return s.step == Step::DlsUp && parse_mac(s.ap_id) == mac; });
    if (!entry.InUse) {
        if (peer == m_dls.end())
            return false;
        *peer = DLS_ENTRY {};
        return true;
    }
    auto slot = peer != m_dls.end() ? peer : std::find_if(m_dls.begin(), m_dls.end(), [](DLS_ENTRY const& e) { return !e.InUse; });
    if (slot == m_dls.end())
        return false;
    *slot = DLS_ENTRY {};
    slot->TimeOut = entry.TimeOut;
    std::memcpy(slot->MacAddr, entry.MacAddr, 6);
    slot->InUse = 1;
    schedule(now + std::uint64_t(m_spec.dls_ms), Step::DlsUp, 0, format_mac(mac));
    return true;
}

void World::dls_link_up(Scheduled const& s)
{
    auto const mac = parse_mac(s.ap_id);
    if (!mac)
        return;
    for (DLS_ENTRY& e : m_dls)
        if (same_peer(e, mac->data()) && e.State != DLS_STATE_LINK_UP)
            e.State = DLS_STATE_LINK_UP;
}

bool World::dls_peer_down(Mac const& mac)
{
    auto const peer = std::find_if(m_dls.begin(), m_dls.end(), [&](DLS_ENTRY const& e) { return same_peer(e, mac.data()); });
    if (peer == m_dls.end())
        return false;
    *peer = DLS_ENTRY {};
    std::erase_if(m_steps, [&](Scheduled const& s) { return s.step == Step::DlsUp && parse_mac(s.ap_id) == mac; });
    return true;
}

namespace live {

std::string dls_down(World& world, Args args, std::uint64_t)
{
    auto const mac = parse_mac(args[0]);
    if (!mac)
        return "expected a MAC address, got '" + args[0] + "'";
    // wlansim checks a command on a world of its own, which holds none of the program's links:
    // a peer without a link ends nothing.
    world.dls_peer_down(*mac);
    return {};
}

}

// [SECTION] [world] keys

namespace {

std::string assign_ms(int& field, std::string const& value)
{
    auto const v = platform::system::parse_integer<long>(value);
    if (!v || *v < 0 || *v > 60000)
        return "expected a number from 0 to 60000";
    field = int(*v);
    return {};
}

std::string assign_flag(bool& field, std::string const& value)
{
    if (value != "0" && value != "1")
        return "expected 0 or 1";
    field = value == "1";
    return {};
}


}

std::string set_world_wmm_key(WorldSpec& w, std::string const& key, std::string const& value, bool& known)
{
    known = true;
    if (key == "ccx_dc") {
        static constexpr std::pair<char const*, CcxConnect> kChoices[] = { { "ok", CcxConnect::Ok },
            { "fail", CcxConnect::Fail }, { "fail-second", CcxConnect::FailSecond } };
        for (auto const& [name, choice] : kChoices) {
            if (value == name) {
                w.ccx_dc = choice;
                return {};
            }
        }
        return "expected ok, fail or fail-second";
    }
    if (key == "ccx_test") {
        if (value != "ok" && value != "fail")
            return "expected ok or fail";
        w.ccx_test_fails = value == "fail";
        return {};
    }
    if (key == "ccx_step_ms") return assign_ms(w.ccx_step_ms, value);
    if (key == "wmm") return assign_flag(w.wmm, value);
    if (key == "apsd") return assign_flag(w.apsd, value);
    if (key == "dls_ms") return assign_ms(w.dls_ms, value);
    known = false;
    return {};
}

}
