// The 802.1X part of the simulated link: which account the profile's identity and password
// open, the change of an expired password (event 20, answered by the program), EAP-FAST's PAC
// provisioning and loading, and the events of a successful authentication, in their order.
#include "wlan/sim/World.h"

#include "wlan/api/Callback.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace wlan::sim {

namespace {

template<std::size_t N>
std::string field_text(char const (&field)[N])
{
    return std::string(field, ::strnlen(field, N));
}

std::vector<std::uint8_t> text_bytes(std::string const& text)
{
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// The PAC the server provisions: a block of its own layout, naming the authority and the
// identity it was made for.
std::vector<std::uint8_t> pac_block(std::string const& aid, std::string const& identity)
{
    std::vector<std::uint8_t> block(sizeof(PAC_BLOCK), 0);
    std::snprintf(reinterpret_cast<char*>(block.data()), block.size(), "PAC\n%s\n%s\n", aid.c_str(), identity.c_str());
    return block;
}

}

// The account the profile's method and identity name, when its password matches (certificate
// methods prove themselves without one); -1 when none does.
int World::matching_account(ApSpec const& ap) const
{
    WLANPROFILE const& p = m_link.profile;
    std::string const id = field_text(p.chID);
    std::string const password = field_text(p.chPassword);
    for (std::size_t i = 0; i < ap.accounts.size(); ++i) {
        EapAccount const& a = ap.accounts[i];
        if (a.method != int(p.enumAuthenProtocol) || a.identity != id)
            continue;
        if (a.method == int(EAP_TLS) || a.password == password)
            return int(i);
    }
    return -1;
}

// A callback step whose data points to `data`; after every step due at the same time.
void World::schedule_callback(std::uint64_t at, unsigned code, std::vector<std::uint8_t> data)
{
    schedule(at, Step::Callback, code);
    auto pos = std::upper_bound(m_steps.begin(), m_steps.end(), at, [](std::uint64_t t, Scheduled const& s) { return t < s.at; });
    std::prev(pos)->data = std::move(data);
}

void World::plan_eap(ApSpec const& ap, std::uint64_t at)
{
    int const account = matching_account(ap);
    if (account < 0) {
        schedule(at, Step::Callback, RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED);
        schedule(at, Step::Failed, LINK_AUTH_FAIL);
        return;
    }
    bool const fast = m_link.profile.enumAuthenProtocol == EAP_FAST && !ap.eap_fast_aid.empty();
    if (fast && m_link.profile.bPAC) {
        m_link.waiting_for_pac = true;
        schedule(at, Step::Callback, RS_CBS_FAST_LOAD_PAC);
        return;
    }
    if (fast) {
        plan_fast_provisioning(ap, at);
        return;
    }
    if (ap.accounts[std::size_t(account)].expired) {
        m_link.expired_account = account;
        schedule(at, Step::Callback, RS_CBS_CHANGE_PASSWORD_REQUEST);
        return;
    }
    plan_eap_success(at);
}

void World::plan_fast_provisioning(ApSpec const& ap, std::uint64_t at)
{
    schedule_callback(at, RS_CBS_FAST_PAC_AID_INFO, text_bytes(ap.eap_fast_aid));
    schedule(at + 100, Step::Callback, RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS);
    schedule_callback(at + 100, RS_CBS_FAST_SAVE_PAC, pac_block(ap.eap_fast_aid, field_text(m_link.profile.chID)));
    plan_eap_success(at + 200);
}

// Authenticated, the keys agreed, and the media connected.
void World::plan_eap_success(std::uint64_t at)
{
    schedule(at, Step::Callback, RS_CBS_AU_STATUS_AUTHENTICATED);
    schedule(at + 100, Step::Callback, RS_CBS_PORT_SECURED);
    schedule(at + 200, Step::Connected);
}

void World::callback_answered(unsigned event, std::string const& answer, std::uint64_t now)
{
    ApSpec* const ap = find_ap(m_link.ap_id);
    if (!ap || m_link.phase != LinkPhase::Associating)
        return;
    if (event == RS_CBS_CHANGE_PASSWORD_REQUEST && m_link.expired_account >= 0) {
        EapAccount& account = ap->accounts[std::size_t(m_link.expired_account)];
        m_link.expired_account = -1;
        if (answer.empty()) {
            schedule(now, Step::Callback, RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED);
            schedule(now, Step::Failed, LINK_AUTH_FAIL);
            return;
        }
        account.password = answer;
        account.expired = false;
        std::snprintf(m_link.profile.chPassword, sizeof m_link.profile.chPassword, "%s", answer.c_str());
        schedule(now, Step::Callback, RS_CBS_CHANGE_PASSWORD_SUCCESS);
        plan_eap_success(now);
    } else if (event == RS_CBS_FAST_LOAD_PAC && m_link.waiting_for_pac) {
        m_link.waiting_for_pac = false;
        if (answer.empty()) {
            plan_fast_provisioning(*ap, now);
            return;
        }
        std::snprintf(m_link.profile.chPACfilepath, sizeof m_link.profile.chPACfilepath, "%s", answer.c_str());
        plan_eap_success(now);
    }
}

void World::renew_address(std::uint64_t now) { m_link.address_from = now; }

std::string World::address_text(std::uint64_t now) const
{
    if (!address_assigned(now))
        return {};
    auto const& a = m_spec.address;
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", a[0], a[1], a[2], a[3]);
    return text;
}

bool World::open_eap_config_ui(bool for_connection, std::uint64_t now)
{
    bool const cancelled = m_spec.eap_ui_cancel;
    schedule(now + std::uint64_t(m_spec.eap_ui_ms), Step::EapUiClosed, for_connection && !cancelled ? 1u : 0u);
    return !cancelled;
}

}
