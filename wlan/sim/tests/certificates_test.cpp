// The certificate stores of a world: [cert:] sections and their files, the store's changes on
// top, the server-name rules of the 802.1X check; and the WAPI certificate reader of both kinds.
#include "wlan/sim/Certificates.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/WapiCertificate.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace wlan::sim;

namespace {

std::string const kCerts = std::string(ZORVEL_SOURCE_DIR) + "/resources/scenarios/certs";

struct TempStore {
    TempStore()
    {
        char templ[] = "/tmp/cert-store-XXXXXX";
        folder = ::mkdtemp(templ);
    }
    ~TempStore() { std::filesystem::remove_all(folder); }
    std::string folder;
};

std::span<std::uint8_t const> bytes_of(std::string const& text)
{
    return std::span(reinterpret_cast<std::uint8_t const*>(text.data()), text.size());
}

}

TEST(Certificates, SectionsReadTheirKeysAndFilesRelativeToTheScenario)
{
    TempStore dir;
    std::filesystem::create_directory(dir.folder + "/certs");
    std::filesystem::copy_file(kCerts + "/carol-old.pem", dir.folder + "/certs/old.pem");
    std::ofstream(dir.folder + "/world.ini") << "[cert:a]\nstore = ROOT\nissued_to = A\nexpires = 2030/01/02\ndata = 0A0B\n"
                                                "[cert:b]\nfile = certs/old.pem\nfriendly = Old\n"
                                                "[cert:c]\nfile = certs/none.pem\nissued_to = C\n";
    auto const r = load_scenario(dir.folder + "/world.ini");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.warnings.size(), 1u); // the missing file
    ASSERT_EQ(r.world.certs.size(), 3u);
    EXPECT_EQ(r.world.certs[0].store, "ROOT");
    EXPECT_EQ(r.world.certs[0].data, (std::vector<std::uint8_t> { 0x0A, 0x0B }));
    // A file is read when the stores are listed, not while the world loads.
    EXPECT_TRUE(r.world.certs[1].issued_to.empty());
    auto const current = current_certs(r.world, nullptr);
    CertEntry const& b = current[1];
    EXPECT_EQ(b.store, "MY");
    EXPECT_EQ(b.issued_to, "carol");
    EXPECT_EQ(b.issued_by, "Corp Root CA");
    EXPECT_EQ(b.expires, "2020/01/01");
    EXPECT_EQ(b.friendly, "Old");
    EXPECT_EQ(b.data.size(), 20u);
    // Without data or a readable file, 20 bytes derived from the id, the same each time.
    EXPECT_EQ(current[2].data.size(), 20u);
    EXPECT_EQ(current[2].data, default_cert_data("c"));
    EXPECT_NE(default_cert_data("c"), default_cert_data("d"));
}

TEST(Certificates, WrongValuesAreErrors)
{
    struct Case {
        char const* name;
        char const* line;
    } const cases[] = {
        { "store", "store = CA" },
        { "date form", "expires = 2030-01-01" },
        { "data too long", nullptr },
        { "data not hex", "data = XYZ" },
        { "empty data", "data = " },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        std::string const line = c.line ? c.line : "data = " + std::string(2 * (kMaxCertData + 1), 'A');
        EXPECT_FALSE(parse_scenario("[cert:x]\n" + line + "\n").ok());
    }
    EXPECT_TRUE(parse_scenario("[cert:x]\ndata = " + std::string(2 * kMaxCertData, 'A') + "\n").ok());
}

TEST(Certificates, StoredChangesAddReplaceAndRemove)
{
    TempStore dir;
    Store store(dir.folder);
    auto world = parse_scenario("[cert:a]\nissued_to = A\n[cert:b]\nissued_to = B\n").world;
    CertEntry added;
    added.id = "n";
    added.issued_to = "New One";
    added.store = "ROOT";
    EXPECT_EQ(store_cert_added(store, added), "");
    added.id = "a";
    added.issued_to = "A again";
    EXPECT_EQ(store_cert_added(store, added), "");
    EXPECT_EQ(store_cert_removed(store, world, "b"), "");
    EXPECT_NE(store_cert_removed(store, world, "b"), "");
    auto const now = current_certs(world, &store);
    ASSERT_EQ(now.size(), 2u);
    EXPECT_EQ(now[0].issued_to, "New One");
    EXPECT_EQ(now[1].issued_to, "A again");
    EXPECT_EQ(now[1].store, "ROOT");
}

TEST(Certificates, ServerNamesMatchByRule)
{
    struct Case {
        char const* server;
        char const* given;
        std::uint32_t rule;
        bool matches;
    } const cases[] = {
        { "radius.corp.example", "RADIUS.Corp.Example", 0, true },
        { "radius.corp.example", "corp.example", 0, false },
        { "radius.corp.example", "corp.example", 1, true },
        { "radius.corp.example", "radius.corp.example", 1, true },
        { "radius.corp.example", "rp.example", 1, false },
        { "radius.corp.example", "example", 1, true },
        { "corp.example", "radius.corp.example", 1, false },
        { "radius.corp.example", "", 0, true },
        { "", "corp.example", 1, false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.server) + " / " + c.given);
        EXPECT_EQ(server_name_matches(c.server, c.given, c.rule), c.matches);
    }
}

TEST(WapiCertificates, NationalTextIsReadStrictly)
{
    std::string const good = "; comment\nkind = national\nsubject = S\nissuer = I\nvalid_from = 250101000000Z\n"
                             "valid_to = 67A4C6FF\nserial = 0102\n";
    auto const r = parse_wapi_cert(bytes_of(good));
    ASSERT_EQ(r.error, WapiError::None);
    EXPECT_EQ(r.cert->kind, WapiKind::National);
    EXPECT_EQ(r.cert->subject, "S");
    EXPECT_EQ(r.cert->valid_to, (std::vector<std::uint8_t> { 0x67, 0xA4, 0xC6, 0xFF }));
    EXPECT_EQ(r.cert->expiry, "2025/02/06 14:28:15"); // date -u -d @1738852095
    EXPECT_EQ(r.cert->serial, (std::vector<std::uint8_t> { 1, 2 }));
    struct Case {
        char const* name;
        std::string from;
        std::string to;
    } const broken[] = {
        { "missing serial", "serial = 0102\n", "" },
        { "twice", "subject = S\n", "subject = S\nsubject = T\n" },
        { "bad time", "valid_to = 67A4C6FF", "valid_to = 2025-01-01" },
        { "short hex", "valid_to = 67A4C6FF", "valid_to = 67A4C6" },
        { "unknown key", "serial = 0102\n", "serial = 0102\ncolour = red\n" },
        { "no equals", "serial = 0102\n", "serial = 0102\nbroken line\n" },
        { "other kind", "kind = national", "kind = nationalx" },
    };
    for (auto const& c : broken) {
        SCOPED_TRACE(c.name);
        std::string text = good;
        text.replace(text.find(c.from), c.from.size(), c.to);
        auto const bad = parse_wapi_cert(bytes_of(text));
        EXPECT_EQ(bad.error, WapiError::Malformed);
        EXPECT_FALSE(bad.cert);
    }
    EXPECT_EQ(parse_wapi_cert(bytes_of(std::string(kMaxWapiCertBytes + 1, ' '))).error, WapiError::TooLarge);
    EXPECT_EQ(parse_wapi_cert({}).error, WapiError::NotACertificate);
}

TEST(WapiCertificates, X509FilesAndTheirEntriesRoundTrip)
{
    auto const as = read_wapi_cert_file(kCerts + "/wapi-as.cer");
    ASSERT_TRUE(as.cert);
    EXPECT_EQ(as.cert->kind, WapiKind::X509);
    EXPECT_EQ(as.cert->subject, "WAPI Office AS");
    EXPECT_EQ(std::string(as.cert->valid_to.begin(), as.cert->valid_to.end()), "350131235959Z");
    EXPECT_EQ(as.cert->expiry, "2035/01/31 23:59:59");
    EXPECT_EQ(read_wapi_cert_file(kCerts + "/wapi-malformed.cer").error, WapiError::NotACertificate);
    EXPECT_EQ(read_wapi_cert_file(kCerts + "/none.cer").error, WapiError::Unreadable);

    auto const entry = make_entry(*as.cert, 2);
    auto const back = describe_descriptor(entry.data() + SYSTEM_CERT_DESCRIPTOR_OFFSET, entry.size() - SYSTEM_CERT_DESCRIPTOR_OFFSET);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->subject, as.cert->subject);
    EXPECT_EQ(back->issuer, as.cert->issuer);
    EXPECT_EQ(back->valid_to, as.cert->valid_to);
    EXPECT_EQ(back->serial, as.cert->serial);
    // A descriptor cut inside a field is refused.
    EXPECT_FALSE(describe_descriptor(entry.data() + SYSTEM_CERT_DESCRIPTOR_OFFSET, 10));
}
