// The dumps of the advanced-settings, CCX and WPS records.
#include "station/core/DumpSupport.h"
#include "station/core/RecordDump.h"
#include "station/core/Trace.h"

using station::core::bits;
using station::core::clamp_count;
using station::core::counted_text;
using station::core::field_text;

namespace {

void field(const char* tabs, const char* name, std::uint32_t value)
{
    TraceMsg(TRACE_DUMP, "[Kivra] %s%s = %d\n", tabs, name, int(value));
}

void mac_line(const char* name, std::uint8_t const* m)
{
    TraceMsg(TRACE_DUMP, "[Kivra] \t%s = %02X:%02X:%02X:%02X:%02X:%02X\n", name, m[0], m[1], m[2], m[3], m[4], m[5]);
}

}

void DumpAdvanceOID(ADVANCE_OID const* oid)
{
    TraceMsg(TRACE_DUMP, "[Kivra] --> DumpAdvanceOID\n");
    if (oid) {
        TraceMsg(TRACE_DUMP, "[Kivra] struct ADVANCE_OID:\n");
        TraceMsg(TRACE_DUMP, "[Kivra] \tOID_SET_HT_PHYMODE phyMode:\n");
        field("\t\t", "PhyMode", oid->PhyMode);
        field("\t\t", "TransmitNo", oid->TransmitNo);
        field("\t\t", "HtMode", oid->HtMode);
        field("\t\t", "ExtOffset", oid->ExtOffset);
        field("\t\t", "MCS", oid->MCS);
        field("\t\t", "BW", oid->BW);
        field("\t\t", "STBC", oid->STBC);
        field("\t\t", "SHORTGI", oid->SHORTGI);
        field("\t", "nBGProtection", oid->nBGProtection);
        field("\t", "bTXBurst", oid->bTXBurst);
        field("\t", "CountryRegIndex11BG", oid->CountryRegIndex11BG);
        field("\t", "CountryRegIndex11A", oid->CountryRegIndex11A);
        field("\t", "KTphyMode", oid->KTphyMode);
        field("\t", "nTXRate", oid->nTXRate);
    }
    TraceMsg(TRACE_DUMP, "[Kivra] <-- DumpAdvanceOID\n");
}

void DumpCCX2Ctrl(DWORD const* ccx2_control)
{
    TraceMsg(TRACE_DUMP, "[Kivra] --> DumpCCX2Ctrl\n");
    if (ccx2_control) {
        std::uint32_t const w = *ccx2_control;
        TraceMsg(TRACE_DUMP, "[Kivra] struct CCX2_CONTROL:\n");
        field("\t", "Enable", bits(w, 0, 0));
        field("\t", "CCKMEnable", bits(w, 1, 1));
        field("\t", "RMEnable", bits(w, 2, 2));
        field("\t", "DCRMEnable", bits(w, 3, 3));
        field("\t", "CACEnable", bits(w, 4, 4));
        field("\t", "FastRoamEnable", bits(w, 5, 5));
        field("\t", "NetworkEAP", bits(w, 6, 6));
        field("\t", "RotateProfile", bits(w, 7, 7));
        field("\t", "dBmToRoam", bits(w, 8, 15));
        field("\t", "TuLimit", bits(w, 16, 25));
        field("\t", "MFP", bits(w, 26, 26));
        field("\t", "RFRoamEnable", bits(w, 27, 27));
        field("\t", "VoiceRate", bits(w, 28, 28));
    }
    TraceMsg(TRACE_DUMP, "[Kivra] <-- DumpCCX2Ctrl\n");
}

void DumpAdvanceCfg(ADVANCE_CONFIG_DATA const* config)
{
    TraceMsg(TRACE_DUMP, "[Kivra] --> DumpAdvanceCfg\n");
    if (config) {
        TraceMsg(TRACE_DUMP, "[Kivra] struct ADVANCE_CONFIG_DATA:\n");
        field("\t", "BGProtection", config->BGProtection);
        DumpCCX2Ctrl(&config->CCX2Control);
        field("\t", "CountryRegion", config->CountryRegion);
        field("\t", "CountryRegionABand", config->CountryRegionABand);
        field("\t", "ShowAuthStatus", config->ShowAuthStatus);
        std::uint32_t const t = config->TransmitSetting;
        TraceMsg(TRACE_DUMP, "[Kivra] \tTRANSMIT_SETTING TransmitSetting:\n");
        field("\t\t", "PhyMode", bits(t, 0, 3));
        field("\t\t", "MCS", bits(t, 4, 10));
        field("\t\t", "BW", bits(t, 11, 11));
        field("\t\t", "ShortGI", bits(t, 12, 12));
        field("\t\t", "STBC", bits(t, 13, 13));
        field("\t\t", "TRANSNO", bits(t, 14, 15));
        field("\t\t", "HTMODE", bits(t, 16, 16));
        field("\t\t", "EXTCHA", bits(t, 17, 18));
        field("\t\t", "LEGACYMODE", bits(t, 19, 20));
        field("\t", "TransRate", config->TransRate);
        field("\t", "TXBurst", config->TXBurst);
        field("\t", "WirelessMode", config->WirelessMode);
        field("\t", "EnableTcpWindowSize", config->EnableTcpWindowSize);
    }
    TraceMsg(TRACE_DUMP, "[Kivra] <-- DumpAdvanceCfg\n");
}

void DumpWPSMode(WPS_MODE const* mode)
{
    TraceMsg(TRACE_DUMP, "[Kivra] --> DumpWPSMode\n");
    if (mode) {
        TraceMsg(TRACE_DUMP, "[Kivra] struct WPS_MODE:\n");
        field("\t", "WpsMode", mode->WpsMode);
        TraceMsg(TRACE_DUMP, "[Kivra] \tPIN = %s\n", field_text(mode->PIN).c_str());
        TraceMsg(TRACE_DUMP, "[Kivra] \tWpsSSID = %s\n",
            counted_text(mode->WpsSSID.Ssid, sizeof(mode->WpsSSID.Ssid), mode->WpsSSID.SsidLength).c_str());
        mac_line("Bssid", mode->Bssid);
        field("\t", "Channel", mode->Channel);
        field("\t", "ConfigMode", mode->ConfigMode);
    }
    TraceMsg(TRACE_DUMP, "[Kivra] <-- DumpWPSMode\n");
}

void DumpOneWPSProfile(WPS_CREDENTIAL const* credential)
{
    TraceMsg(TRACE_DUMP, "[Kivra] --> DumpOneWPSProfile\n");
    if (credential) {
        auto const& c = *credential;
        TraceMsg(TRACE_DUMP, "[Kivra] struct WPS_CREDENTIAL:\n");
        TraceMsg(TRACE_DUMP, "[Kivra] \tSSID = %s\n", counted_text(c.Ssid, sizeof(c.Ssid), c.SsidLength).c_str());
        field("\t", "AuthType", c.AuthType);
        field("\t", "EncrType", c.EncrType);
        field("\t", "KeyIndex", c.KeyIndex);
        field("\t", "KeyLength", c.KeyLength);
        std::size_t const n = clamp_count(c.KeyLength, sizeof(c.Key));
        for (std::size_t i = 0; i < n; ++i)
            TraceMsg(TRACE_DUMP, "[Kivra] \tKey[%d] = 0x%X\n", int(i), unsigned(c.Key[i]));
        mac_line("MacAddr", c.MacAddr);
    }
    TraceMsg(TRACE_DUMP, "[Kivra] <-- DumpOneWPSProfile\n");
}

void DumpWPSProfile(WPS_PROFILE const* profile)
{
    TraceMsg(TRACE_DUMP, "[Kivra] --> DumpWPSProfile\n");
    if (profile) {
        TraceMsg(TRACE_DUMP, "[Kivra] struct WPS_PROFILE:\n");
        field("\t", "ProfileCnt", profile->ProfileCnt);
        TraceMsg(TRACE_DUMP, "[Kivra] \tstruct WPS_CREDENTIAL:\n");
        std::size_t const n = clamp_count(profile->ProfileCnt, WPS_MAX_CREDENTIALS);
        for (std::size_t i = 0; i < n; ++i) {
            TraceMsg(TRACE_DUMP, "[Kivra] \t\tProfile[%d]:\n", int(i));
            DumpOneWPSProfile(&profile->Profile[i]);
        }
    }
    TraceMsg(TRACE_DUMP, "[Kivra] <-- DumpWPSProfile\n");
}
