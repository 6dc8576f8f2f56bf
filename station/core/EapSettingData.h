// The 802.1X settings block: one set of EAP choices (method, inner methods, identity and
// password, certificates with their blobs, EAP-FAST's PAC options) that the security editor,
// the profile editor and the site survey page each embed by value and copy field by field into
// and out of a connection profile. It is never exchanged with the library as a whole.
//
// A certificate blob is a length and 152 data bytes, the layout of the profile's KT_BLOB_KEY;
// a blob whose length passes 152 is invalid and is never copied.
#pragma once

#include "wlan/api/Profile.h"

#include <cstdint>
#include <string>

struct EAP_SETTING_DATA {
    static constexpr std::uint32_t kBlobCapacity = sizeof(KT_BLOB_KEY::BlobData);

    // The values every owner starts from and goes back to (the site survey's
    // ResetSecuritySettings): PEAP with EAP-MSCHAP v2 inside, provisioning allowed, user
    // information cached, password mode 1, no certificates. The domain name keeps its value.
    void Reset();

    int nEapMethod {};          // enumAuthenProtocol: 0 PEAP ... 5 LEAP
    int nTunnel {};             // PEAP and EAP-FAST inner method (26, 13, 6)
    int nProvisioningTunnel {}; // enumProvisioningTunnel
    int nTtlsTunnel {};         // TTLS inner method (72, 71, 26, 73, 4)
    int nSessionResumption {};
    std::string strIdentity;
    std::string strPassword;
    std::string strText3; // no profile field: the editors' own
    std::string strText4;
    std::string strDomainName;
    int nPasswordMode {};
    int bClientCert {};
    int bServerCert {};
    int bPAC {};
    int bProvision {};
    std::string strPACFilePath;
    int bIntermediateCert {};
    std::string strServerName;
    int nServerNameRule {};
    KT_BLOB_KEY CACert {};
    KT_BLOB_KEY UserCert {};
    int bClientCertInSmartCard {};
    int nIDModeIndex {};
    int nReserved1 {};
    int nReserved2 {};
    int bCacheUserInfo {};
};

// Copies a blob by its length: the length, then exactly that many data bytes; the bytes of `to`
// past them stay as they were. False, with `to` untouched, when the length passes 152.
bool CopyEapBlob(KT_BLOB_KEY& to, KT_BLOB_KEY const& from);
