// libcrypto, opened on first use. Most runs of a library stand-in never read a certificate
// or derive a key, and a process that does not map libcrypto starts sooner and stays smaller
// (its relocations and start-up alone are over a megabyte resident). The table holds the
// few functions the world calls, typed from OpenSSL's own declarations.
#pragma once

#include <openssl/asn1.h>
#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/sha.h>
#include <openssl/x509.h>

namespace wlan::sim {

struct Crypto {
    decltype(&::PKCS5_PBKDF2_HMAC_SHA1) pbkdf2_hmac_sha1;
    decltype(&::SHA1) sha1;
    decltype(&::BIO_new_mem_buf) bio_new_mem_buf;
    decltype(&::BIO_free) bio_free;
    decltype(&::PEM_read_bio_X509) pem_read_bio_x509;
    decltype(&::d2i_X509) d2i_x509;
    decltype(&::i2d_X509) i2d_x509;
    decltype(&::X509_free) x509_free;
    decltype(&::X509_get_subject_name) x509_get_subject_name;
    decltype(&::X509_get_issuer_name) x509_get_issuer_name;
    decltype(&::X509_get0_notBefore) x509_get0_not_before;
    decltype(&::X509_get0_notAfter) x509_get0_not_after;
    decltype(&::X509_get0_serialNumber) x509_get0_serial_number;
    decltype(&::X509_NAME_get_text_by_NID) x509_name_get_text_by_nid;
    decltype(&::X509_NAME_oneline) x509_name_oneline;
    decltype(&::ASN1_STRING_get0_data) asn1_string_get0_data;
    decltype(&::ASN1_STRING_length) asn1_string_length;
    decltype(&::ASN1_TIME_to_tm) asn1_time_to_tm;
};

// The table, libcrypto opened by the first call (thread-safe). A machine without the library
// ends the process as the dynamic loader would have, with status 127 and the loader's message.
Crypto const& crypto();

}
