// The 802.1X part of the simulated link: whether the profile trusts the server (its
// certificate's authority and name), which account the profile's identity and password or
// certificate open, the change of an expired password (event 20, answered by the program),
// EAP-FAST's PAC provisioning and loading, and the events of a successful authentication, in
// their order. A server the profile does not trust ends in event 17 with no answer from the
// server; credentials the server refuses in event 16.
#include "wlan/sim/World.h"

#include "wlan/api/Callback.h"
#include "wlan/sim/Certificates.h"
#include "wlan/sim/PacFiles.h"
#include "wlan/sim/ProfileStore.h"
#include "wlan/sim/Store.h"

#include <algorithm>
#include <cctype>
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

bool tunnelled(WLANPROFILE const& p)
{
    return p.enumAuthenProtocol == EAP_PEAP || p.enumAuthenProtocol == EAP_TTLS || p.enumAuthenProtocol == EAP_FAST;
}

// TLS, and PEAP or EAP-FAST with EAP-TLS inside, prove the client by its certificate.
bool certificate_method(WLANPROFILE const& p)
{
    return p.enumAuthenProtocol == EAP_TLS
        || ((p.enumAuthenProtocol == EAP_PEAP || p.enumAuthenProtocol == EAP_FAST) && p.enumTunnel == EAP_INNER_TLS);
}

bool same_bytes(KT_BLOB_KEY const& blob, std::vector<std::uint8_t> const& data)
{
    return blob.BlobLength == data.size() && blob.BlobLength <= sizeof blob.BlobData
        && std::equal(data.begin(), data.end(), blob.BlobData);
}

std::string folded(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}

// Rule 0: the names are equal without regard to case; rule 1: the server's name ends with the
// given one at a label boundary ("radius.corp.example" ends with "corp.example", not with
// "rp.example"). No given name: any server name.
bool server_name_matches(std::string const& server, std::string const& given, std::uint32_t rule)
{
    if (given.empty())
        return true;
    std::string const s = folded(server);
    std::string const g = folded(given);
    if (rule != 1 || s == g)
        return s == g;
    return s.size() > g.size() && s.compare(s.size() - g.size(), g.size(), g) == 0 && s[s.size() - g.size() - 1] == '.';
}

// Whether the profile accepts the server's certificate. Only methods that run TLS to the
// server check it, and only when the profile asks them to: an empty CA blob trusts any
// authority of the ROOT store, else the blob must be the authority's own data.
bool World::server_trusted(ApSpec const& ap) const
{
    WLANPROFILE const& p = m_link.profile;
    bool const uses_tls = tunnelled(p) || p.enumAuthenProtocol == EAP_TLS;
    if (!p.bServerCert || !uses_tls)
        return true;
    auto const ca = ap.server_ca.empty() ? std::nullopt : find_cert(m_spec, m_store, ap.server_ca);
    if (!ca)
        return false;
    bool const ca_ok = p.CA_cert.BlobLength == 0 ? ca->store == "ROOT" : same_bytes(p.CA_cert, ca->data);
    return ca_ok && server_name_matches(ap.server_name, field_text(p.chServerName), p.nServerNameRule);
}

// The account the profile's method and identity name, when its inner method fits and its
// password matches; certificate methods prove themselves by the account's certificate (the
// identity alone when the account names none). -1 when none does.
int World::matching_account(ApSpec const& ap) const
{
    WLANPROFILE const& p = m_link.profile;
    std::string const id = field_text(p.chID);
    std::string const password = field_text(p.chPassword);
    for (std::size_t i = 0; i < ap.accounts.size(); ++i) {
        EapAccount const& a = ap.accounts[i];
        if (a.method != int(p.enumAuthenProtocol) || a.identity != id)
            continue;
        if (a.inner >= 0 && (!tunnelled(p) || p.enumTunnel != std::uint32_t(a.inner)))
            continue;
        // MD5-Challenge over dynamic WEP also needs the network's static key.
        if (a.method == int(EAP_MD5) && !m_link.wep_key_ok)
            continue;
        if (certificate_method(p)) {
            if (a.cert.empty())
                return int(i);
            auto const cert = find_cert(m_spec, m_store, a.cert);
            if (p.bClientCert && cert && same_bytes(p.user_cert, cert->data))
                return int(i);
            continue;
        }
        if (a.password == password)
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
    if (!server_trusted(ap)) {
        schedule(at, Step::Callback, RS_CBS_AU_STATUS_AUTH_TIMEOUT);
        schedule(at, Step::Failed, LINK_AUTH_FAIL);
        return;
    }
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
        for (auto const& path : pac_candidates(answer)) {
            if (!pac_holds_aid(path, ap->eap_fast_aid))
                continue;
            std::snprintf(m_link.profile.chPACfilepath, sizeof m_link.profile.chPACfilepath, "%s", path.c_str());
            plan_eap_success(now);
            return;
        }
        if (m_link.profile.bProvision) {
            plan_fast_provisioning(*ap, now);
            return;
        }
        schedule(now, Step::Callback, RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED);
        schedule(now, Step::Failed, LINK_AUTH_FAIL);
    }
}

// The PACs an EAP-FAST profile may use, in order: the selected entries of its PAC list, the
// one the program answered, the library's own for the identity.
std::vector<std::string> World::pac_candidates(std::string const& answer) const
{
    std::vector<std::string> paths;
    WLANPROFILE const& p = m_link.profile;
    if (m_store) {
        for (auto const& entry : ProfileStore(*m_store).pac_list(field_text(p.strProfileName)))
            if (entry.Value == 1)
                paths.push_back(field_text(entry.Path));
    }
    paths.push_back(answer);
    if (m_store)
        paths.push_back(pac_file_path(m_store->folder(), field_text(p.chID)));
    return paths;
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
