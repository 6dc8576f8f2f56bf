#include "wlan/sim/Certificates.h"

#include "wlan/sim/KeyMaterial.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/X509File.h"
#include "platform/system/ReadFile.h"
#include "platform/system/TextSplit.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>

namespace wlan::sim {

namespace {

constexpr char kStoredKey[] = "certs.ini";

// What a certificate file holds, read once for each path and version of the file: every
// listing of the stores and every 802.1X check reads the same few files.
std::optional<X509Facts> cached_x509_file(std::string const& path)
{
    std::error_code error;
    auto const changed = std::filesystem::last_write_time(path, error);
    auto const stamp = error ? 0 : changed.time_since_epoch().count();
    static std::mutex mutex;
    static std::map<std::string, std::pair<std::int64_t, std::optional<X509Facts>>> cache;
    std::lock_guard lock(mutex);
    auto it = cache.find(path);
    if (it == cache.end() || it->second.first != stamp)
        it = cache.insert_or_assign(path, std::pair(std::int64_t(stamp), read_x509_file(path))).first;
    return it->second.second;
}

// Fills the texts and data the section left out from the certificate's file; false when the
// file cannot be read as a certificate.
bool fill_from_file(CertEntry& cert)
{
    if (cert.file.empty())
        return true;
    auto const facts = cached_x509_file(cert.file);
    if (!facts)
        return false;
    if (cert.issued_to.empty())
        cert.issued_to = facts->subject.substr(0, 255);
    if (cert.issued_by.empty())
        cert.issued_by = facts->issuer.substr(0, 255);
    if (cert.expires.empty())
        cert.expires = facts->expiry_date;
    if (cert.data.empty())
        cert.data.assign(facts->thumbprint.begin(), facts->thumbprint.end());
    return true;
}

bool is_date(std::string const& text)
{
    if (text.size() != 10 || text[4] != '/' || text[7] != '/')
        return false;
    for (std::size_t i : { 0, 1, 2, 3, 5, 6, 8, 9 })
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

std::string hex_of(std::vector<std::uint8_t> const& bytes)
{
    std::string out;
    char two[3];
    for (auto b : bytes) {
        std::snprintf(two, sizeof two, "%02X", b);
        out += two;
    }
    return out;
}

std::string trim(std::string const& s)
{
    auto const b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

struct StoredChange {
    CertEntry cert;
    bool removed { false };
};

// The changes kept in the store, in their order; a section that does not read is skipped.
std::vector<StoredChange> stored_changes(Store const& store)
{
    std::vector<StoredChange> out;
    auto const text = store.read_text(kStoredKey);
    if (!text)
        return out;
    platform::system::LineReader lines(*text);
    bool valid = false;
    for (std::string_view raw; lines.next(raw);) {
        std::string const line = trim(std::string(raw));
        if (line.size() > 7 && line.rfind("[cert:", 0) == 0 && line.back() == ']') {
            out.push_back({});
            out.back().cert.id = line.substr(6, line.size() - 7);
            out.back().cert.data.clear();
            valid = true;
            continue;
        }
        auto const eq = line.find('=');
        if (out.empty() || !valid || eq == std::string::npos)
            continue;
        std::string const key = trim(line.substr(0, eq));
        std::string const value = trim(line.substr(eq + 1));
        if (key == "removed") {
            out.back().removed = value == "1";
            continue;
        }
        bool known = true;
        if (!set_cert_key(out.back().cert, key, value, known).empty() || !known) {
            out.pop_back();
            valid = false;
        }
    }
    return out;
}

void apply(std::vector<CertEntry>& certs, StoredChange const& change)
{
    auto const same = [&](CertEntry const& c) { return c.id == change.cert.id; };
    certs.erase(std::remove_if(certs.begin(), certs.end(), same), certs.end());
    if (!change.removed)
        certs.push_back(change.cert);
}

}

std::vector<std::uint8_t> default_cert_data(std::string const& id)
{
    auto const digest = sha1_of(std::span(reinterpret_cast<std::uint8_t const*>(id.data()), id.size()));
    return std::vector<std::uint8_t>(digest.begin(), digest.end());
}

std::string set_cert_key(CertEntry& cert, std::string const& key, std::string const& value, bool& known)
{
    known = true;
    auto text = [&](std::string& field) {
        if (value.size() > 255)
            return std::string("at most 255 characters");
        field = value;
        return std::string();
    };
    if (key == "store") {
        if (value != "MY" && value != "ROOT")
            return "expected MY or ROOT";
        cert.store = value;
        return {};
    }
    if (key == "issued_to") return text(cert.issued_to);
    if (key == "issued_by") return text(cert.issued_by);
    if (key == "friendly") return text(cert.friendly);
    if (key == "file") return text(cert.file);
    if (key == "expires") {
        if (!is_date(value))
            return "expected YYYY/MM/DD";
        cert.expires = value;
        return {};
    }
    if (key == "data") {
        auto const bytes = decode_hex(value);
        if (!bytes || bytes->empty() || bytes->size() > kMaxCertData)
            return "expected 1 to " + std::to_string(kMaxCertData) + " bytes as hexadecimal digits";
        cert.data.assign(bytes->begin(), bytes->end());
        return {};
    }
    known = false;
    return {};
}

std::string locate_cert_file(CertEntry& cert, std::string const& folder)
{
    if (cert.file.empty())
        return {};
    if (cert.file.front() != '/' && !folder.empty())
        cert.file = folder + "/" + cert.file;
    std::string text;
    if (platform::system::read_regular_file(cert.file, text, kMaxX509Bytes) != platform::system::ReadFileError::None)
        return "cannot read a certificate from " + cert.file;
    return {};
}

std::string resolve_cert_file(CertEntry& cert, std::string const& folder)
{
    if (auto error = locate_cert_file(cert, folder); !error.empty())
        return error;
    if (!fill_from_file(cert))
        return "cannot read a certificate from " + cert.file;
    return {};
}


std::string format_cert_section(CertEntry const& cert, bool removed)
{
    std::string out = "[cert:" + cert.id + "]\n";
    if (removed)
        return out + "removed = 1\n";
    out += "store = " + cert.store + "\n";
    auto put = [&](char const* key, std::string const& value) {
        if (!value.empty())
            out += std::string(key) + " = " + value + "\n";
    };
    put("issued_to", cert.issued_to);
    put("issued_by", cert.issued_by);
    put("expires", cert.expires);
    put("friendly", cert.friendly);
    put("data", hex_of(cert.data));
    return out;
}

std::vector<CertEntry> current_certs(WorldSpec const& world, Store const* store)
{
    std::vector<CertEntry> certs = world.certs;
    if (store)
        for (auto const& change : stored_changes(*store))
            apply(certs, change);
    for (auto& c : certs) {
        // A file that cannot be read as a certificate leaves the keys given beside it.
        fill_from_file(c);
        if (c.data.empty())
            c.data = default_cert_data(c.id);
    }
    return certs;
}

std::optional<CertEntry> find_cert(WorldSpec const& world, Store const* store, std::string const& id)
{
    for (auto& c : current_certs(world, store))
        if (c.id == id)
            return c;
    return std::nullopt;
}

std::string store_cert_added(Store& store, CertEntry const& cert)
{
    if (cert.id.empty() || cert.id.find_first_of("[]\n") != std::string::npos)
        return "a certificate id without brackets";
    std::string text = store.read_text(kStoredKey).value_or("");
    text += format_cert_section(cert);
    return store.write_text(kStoredKey, text) ? "" : "cannot write the store";
}

std::string store_cert_removed(Store& store, WorldSpec const& world, std::string const& id)
{
    if (!find_cert(world, &store, id))
        return "no certificate '" + id + "'";
    CertEntry gone;
    gone.id = id;
    std::string text = store.read_text(kStoredKey).value_or("");
    text += format_cert_section(gone, true);
    return store.write_text(kStoredKey, text) ? "" : "cannot write the store";
}

}
