// DumpWlanProfile: the profile as it is handed to the library, field by field.
#include "station/core/DumpSupport.h"
#include "station/core/RecordDump.h"
#include "station/core/Trace.h"

using station::core::bits;
using station::core::clamp_count;
using station::core::counted_text;
using station::core::field_text;

namespace {

// Numbers print as the 32-bit signed values the fields hold.
void number(const char* name, std::uint32_t value)
{
    TraceMsg(TRACE_DUMP, "[Kivra] \t%s = %d\n", name, int(value));
}

void text(const char* name, std::string const& value)
{
    TraceMsg(TRACE_DUMP, "[Kivra] \t%s = %s\n", name, value.c_str());
}

void blob(const char* title, KT_BLOB_KEY const& key)
{
    TraceMsg(TRACE_DUMP, "[Kivra] \tKT_BLOB_KEY %s:\n", title);
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tBlobLength = %d\n", int(key.BlobLength));
    std::size_t const n = clamp_count(key.BlobLength, sizeof(key.BlobData));
    for (std::size_t i = 0; i < n; ++i)
        TraceMsg(TRACE_DUMP, "[Kivra] \t\tBlobData[%d] = 0x%X\n", int(i), unsigned(key.BlobData[i]));
}

void addresses_and_radio(WLANPROFILE const& p)
{
    number("bBssid", p.bBssid);
    text("SSID", counted_text(p.SSID.Ssid, sizeof(p.SSID.Ssid), p.SSID.SsidLength));
    TraceMsg(TRACE_DUMP, "[Kivra] \tBSSID = %02X:%02X:%02X:%02X:%02X:%02X\n", p.BSSID[0], p.BSSID[1], p.BSSID[2],
        p.BSSID[3], p.BSSID[4], p.BSSID[5]);
    number("enumNetworkType", p.enumNetworkType);
    number("enumPreamType", p.enumPreamType);
    number("lRtsThre", p.lRtsThre);
    number("lFragThre", p.lFragThre);
    number("enumAuthenMode", p.enumAuthenMode);
    number("enumEncryStatus", p.enumEncryStatus);
    number("lTxPower", p.lTxPower);
    text("WEPKey1", field_text(p.WEPKey1));
    number("WEPKey1Type", p.WEPKey1Type);
    text("WEPKey2", field_text(p.WEPKey2));
    number("WEPKey2Type", p.WEPKey2Type);
    text("WEPKey3", field_text(p.WEPKey3));
    number("WEPKey3Type", p.WEPKey3Type);
    text("WEPKey4", field_text(p.WEPKey4));
    number("WEPKey4Type", p.WEPKey4Type);
    number("wepDefaultKey", p.wepDefaultKey);
    number("enumPSMode", p.enumPSMode);
    number("bACCam", p.bACCam);
    number("lFreq", p.lFreq);
    number("bDisassociate", p.bDisassociate);
    number("bUseDiagnostic", p.bUseDiagnostic);
    number("bSetAdvance", p.bSetAdvance);
    number("bSetOidFromProfilePageSetting", p.bSetOidFromProfilePageSetting);
}

void rates_and_config(WLANPROFILE const& p)
{
    auto const& r = p.aryRates;
    TraceMsg(TRACE_DUMP, "[Kivra] \taryRates = %02X:%02X:%02X:%02X:%02X:%02X:%02X:%02X\n", r[0], r[1], r[2], r[3], r[4],
        r[5], r[6], r[7]);
    TraceMsg(TRACE_DUMP, "[Kivra] \tKT_802_11_TX_RATES arySupDesRates:\n");
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tSupRateLen = %d\n", int(p.arySupDesRates.SupRateLen));
    std::size_t const n = clamp_count(p.arySupDesRates.SupRateLen, sizeof(p.arySupDesRates.SupRate));
    for (std::size_t i = 0; i < n; ++i)
        TraceMsg(TRACE_DUMP, "[Kivra] \t\tSupRate[%d] = %d\n", int(i), int(p.arySupDesRates.SupRate[i]));
    auto const& c = p.configSta;
    TraceMsg(TRACE_DUMP, "[Kivra] \tKT_802_11_STA_CONFIG configSta:\n");
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tEnableTxBurst = %d\n", int(c.EnableTxBurst));
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tEnableTurboRate = %d\n", int(c.EnableTurboRate));
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tUseBGProtection = %d\n", int(c.UseBGProtection));
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tUseShortSlotTime = %d\n", int(c.UseShortSlotTime));
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tAdhocMode = %d\n", int(c.AdhocMode));
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tHwRadioStatus = %d\n", int(c.HwRadioStatus));
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tSystemErrorBitmap = %d\n", int(c.SystemErrorBitmap));
    DumpCCX2Ctrl(&p.CCX2Control);
}

void security(WLANPROFILE const& p)
{
    number("nCountryRegion", p.nCountryRegion);
    number("b8021X", p.b8021X);
    number("enumAuthenProtocol", p.enumAuthenProtocol);
    number("enumTunnel", p.enumTunnel);
    number("enumProvisioningTunnel", p.enumProvisioningTunnel);
    number("nSessionResumption", p.nSessionResumption);
    number("bClientCert", p.bClientCert);
    number("bClientCertInSmartCard", p.bClientCertInSmartCard);
    number("bServerCert", p.bServerCert);
    number("bPAC", p.bPAC);
    number("bProvision", p.bProvision);
    text("chPACfilepath", field_text(p.chPACfilepath));
    number("bIntermediateCert", p.bIntermediateCert);
    number("nServerNameRule", p.nServerNameRule);
    text("chID", field_text(p.chID));
    text("chPassword", field_text(p.chPassword));
    text("chServerName", field_text(p.chServerName));
    text("chDomainName", field_text(p.chDomainName));
    text("chPskKey", counted_text(p.chPskKey, sizeof(p.chPskKey), p.nPskKeyLen));
    number("nIDModeIndex", p.nIDModeIndex);
    number("nPskKeyLen", p.nPskKeyLen);
    number("nPskKeyType", p.nPskKeyType);
    number("nPasswordMode", p.nPasswordMode);
    blob("CA_cert", p.CA_cert);
    blob("user_cert", p.user_cert);
    std::size_t const n = clamp_count(p.dwLenEapFastConfigBlob, sizeof(p.pEapFastConfigBlob));
    for (std::size_t i = 0; i < n; ++i)
        TraceMsg(TRACE_DUMP, "[Kivra] \t\tpEapFastConfigBlob[%d] = 0x%X\n", int(i), unsigned(p.pEapFastConfigBlob[i]));
    number("dwLenEapFastConfigBlob", p.dwLenEapFastConfigBlob);
}

void sign_on_and_names(WLANPROFILE const& p)
{
    TraceMsg(TRACE_DUMP, "[Kivra] \tPROF_SSO ssoInfo:\n");
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tbUseSSO = %d\n", bits(p.ssoInfo, 0, 0));
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tbAllowMachine = %d\n", bits(p.ssoInfo, 1, 1));
    TraceMsg(TRACE_DUMP, "[Kivra] \t\tnLogon = %d\n", bits(p.ssoInfo, 2, 2));
    text("chUserCertPath", field_text(p.chUserCertPath));
    TraceMsg(TRACE_DUMP, "[Kivra] \tchASCertPath= %s\n", field_text(p.chASCertPath).c_str());
    text("chPin", field_text(p.chPin));
    number("bIsWPS", p.bIsWPS);
    number("bUseFragThre", p.bUseFragThre);
    number("bUseRTSThre", p.bUseRTSThre);
    TraceMsg(TRACE_DUMP, "[Kivra] \tstrProfileName= %s\n", field_text(p.strProfileName).c_str());
    number("nProfileID", p.nProfileID);
    number("bCacheUserInfo", p.bCacheUserInfo);
}

}

void DumpWlanProfile(WLANPROFILE const* profile)
{
    TraceMsg(TRACE_DUMP, "[Kivra] --> DumpWlanProfile\n");
    if (profile) {
        TraceMsg(TRACE_DUMP, "[Kivra] struct WLANPROFILE:\n");
        addresses_and_radio(*profile);
        rates_and_config(*profile);
        security(*profile);
        sign_on_and_names(*profile);
    }
    TraceMsg(TRACE_DUMP, "[Kivra] <-- DumpWlanProfile\n");
}
