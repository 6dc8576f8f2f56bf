#include "station/core/EapSettingData.h"

#include <cstring>

namespace {

constexpr int kEapMschapV2 = 26;
// The reset clears the first 150 data bytes of each blob, as the editors' resets do; the last
// two are never read while the length is 0.
constexpr std::size_t kResetBlobBytes = 150;

void reset_blob(KT_BLOB_KEY& blob)
{
    blob.BlobLength = 0;
    std::memset(blob.BlobData, 0, kResetBlobBytes);
}

}

void EAP_SETTING_DATA::Reset()
{
    nEapMethod = EAP_PEAP;
    nTunnel = kEapMschapV2;
    nProvisioningTunnel = kEapMschapV2;
    nTtlsTunnel = kEapMschapV2;
    nSessionResumption = 0;
    strIdentity.clear();
    strPassword.clear();
    strText3.clear();
    strText4.clear();
    nPasswordMode = 1;
    bClientCert = 0;
    bServerCert = 0;
    bPAC = 0;
    bProvision = 1;
    strPACFilePath.clear();
    bIntermediateCert = 0;
    strServerName.clear();
    nServerNameRule = 0;
    reset_blob(CACert);
    reset_blob(UserCert);
    bClientCertInSmartCard = 0;
    nIDModeIndex = 0;
    nReserved1 = 0;
    nReserved2 = 0;
    bCacheUserInfo = 1;
}

bool CopyEapBlob(KT_BLOB_KEY& to, KT_BLOB_KEY const& from)
{
    if (from.BlobLength > EAP_SETTING_DATA::kBlobCapacity)
        return false;
    to.BlobLength = from.BlobLength;
    std::memmove(to.BlobData, from.BlobData, from.BlobLength);
    return true;
}
