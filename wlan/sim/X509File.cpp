#include "wlan/sim/X509File.h"

#include "platform/system/ReadFile.h"
#include "wlan/sim/Crypto.h"

#include <cstdio>
#include <ctime>
#include <memory>

namespace wlan::sim {

namespace {

struct X509Free {
    void operator()(X509* x) const { crypto().x509_free(x); }
};
struct BioFree {
    void operator()(BIO* b) const { crypto().bio_free(b); }
};

std::string name_text(X509_NAME* name)
{
    if (!name)
        return {};
    char common[256] = {};
    int const n = crypto().x509_name_get_text_by_nid(name, NID_commonName, common, sizeof common);
    if (n > 0)
        return std::string(common, std::size_t(n));
    char line[256] = {};
    crypto().x509_name_oneline(name, line, sizeof line);
    return line;
}

std::string time_text(ASN1_TIME const* t)
{
    if (!t)
        return {};
    auto const& c = crypto();
    return std::string(reinterpret_cast<char const*>(c.asn1_string_get0_data(t)), std::size_t(c.asn1_string_length(t)));
}

std::unique_ptr<X509, X509Free> parse(std::span<std::uint8_t const> bytes)
{
    if (bytes.empty() || bytes.size() > kMaxX509Bytes)
        return nullptr;
    std::unique_ptr<BIO, BioFree> bio(crypto().bio_new_mem_buf(bytes.data(), int(bytes.size())));
    if (!bio)
        return nullptr;
    std::unique_ptr<X509, X509Free> cert(crypto().pem_read_bio_x509(bio.get(), nullptr, nullptr, nullptr));
    if (cert)
        return cert;
    unsigned char const* p = bytes.data();
    cert.reset(crypto().d2i_x509(nullptr, &p, long(bytes.size())));
    // DER must fill the file exactly: trailing bytes mean it is something else.
    if (cert && p != bytes.data() + bytes.size())
        cert.reset();
    return cert;
}

}

std::array<std::uint8_t, 20> sha1_of(std::span<std::uint8_t const> bytes)
{
    std::array<std::uint8_t, 20> out {};
    crypto().sha1(bytes.data(), bytes.size(), out.data());
    return out;
}

std::optional<X509Facts> read_x509(std::span<std::uint8_t const> bytes)
{
    auto cert = parse(bytes);
    if (!cert)
        return std::nullopt;
    X509Facts facts;
    facts.subject = name_text(crypto().x509_get_subject_name(cert.get()));
    facts.issuer = name_text(crypto().x509_get_issuer_name(cert.get()));
    facts.not_before = time_text(crypto().x509_get0_not_before(cert.get()));
    facts.not_after = time_text(crypto().x509_get0_not_after(cert.get()));
    std::tm end {};
    if (crypto().asn1_time_to_tm(crypto().x509_get0_not_after(cert.get()), &end) != 1)
        return std::nullopt;
    char date[64];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d", end.tm_year + 1900, end.tm_mon + 1, end.tm_mday);
    facts.expiry_date = date;
    std::snprintf(date, sizeof date, "%04d/%02d/%02d %02d:%02d:%02d", end.tm_year + 1900, end.tm_mon + 1, end.tm_mday,
        end.tm_hour, end.tm_min, end.tm_sec);
    facts.expiry_time = date;
    if (ASN1_INTEGER const* serial = crypto().x509_get0_serial_number(cert.get())) {
        auto const* data = crypto().asn1_string_get0_data(serial);
        facts.serial.assign(data, data + crypto().asn1_string_length(serial));
    }
    int const length = crypto().i2d_x509(cert.get(), nullptr);
    if (length <= 0)
        return std::nullopt;
    facts.der.resize(std::size_t(length));
    unsigned char* out = facts.der.data();
    crypto().i2d_x509(cert.get(), &out);
    facts.thumbprint = sha1_of(facts.der);
    return facts;
}

std::optional<X509Facts> read_x509_file(std::string const& path)
{
    std::string text;
    if (platform::system::read_regular_file(path, text, kMaxX509Bytes) != platform::system::ReadFileError::None)
        return std::nullopt;
    auto const* p = reinterpret_cast<std::uint8_t const*>(text.data());
    return read_x509(std::span<std::uint8_t const>(p, text.size()));
}

}
