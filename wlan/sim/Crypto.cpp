#include "wlan/sim/Crypto.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace wlan::sim {

namespace {

[[noreturn]] void fail(char const* what)
{
    char const* why = dlerror();
    std::fprintf(stderr, "%s: %s\n", what, why ? why : "not found");
    std::_Exit(127);
}

template<typename Function>
void bind(void* library, Function& slot, char const* name)
{
    void* symbol = dlsym(library, name);
    if (!symbol)
        fail(name);
    slot = reinterpret_cast<Function>(symbol);
}

Crypto load()
{
    void* library = dlopen(ZORVEL_CRYPTO_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        fail(ZORVEL_CRYPTO_SONAME);
    Crypto c {};
    bind(library, c.pbkdf2_hmac_sha1, "PKCS5_PBKDF2_HMAC_SHA1");
    bind(library, c.sha1, "SHA1");
    bind(library, c.bio_new_mem_buf, "BIO_new_mem_buf");
    bind(library, c.bio_free, "BIO_free");
    bind(library, c.pem_read_bio_x509, "PEM_read_bio_X509");
    bind(library, c.d2i_x509, "d2i_X509");
    bind(library, c.i2d_x509, "i2d_X509");
    bind(library, c.x509_free, "X509_free");
    bind(library, c.x509_get_subject_name, "X509_get_subject_name");
    bind(library, c.x509_get_issuer_name, "X509_get_issuer_name");
    bind(library, c.x509_get0_not_before, "X509_get0_notBefore");
    bind(library, c.x509_get0_not_after, "X509_get0_notAfter");
    bind(library, c.x509_get0_serial_number, "X509_get0_serialNumber");
    bind(library, c.x509_name_get_text_by_nid, "X509_NAME_get_text_by_NID");
    bind(library, c.x509_name_oneline, "X509_NAME_oneline");
    bind(library, c.asn1_string_get0_data, "ASN1_STRING_get0_data");
    bind(library, c.asn1_string_length, "ASN1_STRING_length");
    bind(library, c.asn1_time_to_tm, "ASN1_TIME_to_tm");
    return c;
}

}

Crypto const& crypto()
{
    // The library stays open for the life of the process, as a linked one would.
    static Crypto const table = load();
    return table;
}

}
