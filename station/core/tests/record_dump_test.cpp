// The record dumps, line by line.
#include "station/core/RecordDump.h"
#include "station/core/tests/CoreTestSupport.h"

#include <algorithm>
#include <cstring>

using station::testing::TraceAt;
using Lines = std::vector<std::string>;

namespace {

Lines ccx_block(const char* tab)
{
    std::string const t(tab);
    Lines l { "[Kivra] --> DumpCCX2Ctrl", "[Kivra] struct CCX2_CONTROL:" };
    for (auto f : { "Enable = 1", "CCKMEnable = 0", "RMEnable = 1", "DCRMEnable = 0", "CACEnable = 0", "FastRoamEnable = 0",
             "NetworkEAP = 0", "RotateProfile = 0", "dBmToRoam = 70", "TuLimit = 1000", "MFP = 1", "RFRoamEnable = 0",
             "VoiceRate = 1" })
        l.push_back("[Kivra] " + t + f);
    l.push_back("[Kivra] <-- DumpCCX2Ctrl");
    return l;
}

constexpr DWORD kCcxWord = 1u | (1u << 2) | (70u << 8) | (1000u << 16) | (1u << 26) | (1u << 28);

void append(Lines& to, Lines const& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

std::size_t count_prefix(Lines const& lines, std::string const& prefix)
{
    return std::size_t(std::count_if(lines.begin(), lines.end(), [&](auto const& l) { return l.rfind(prefix, 0) == 0; }));
}

}

TEST(RecordDump, CCX2ControlBits)
{
    TraceAt trace(4);
    DumpCCX2Ctrl(&kCcxWord);
    EXPECT_EQ(trace.lines(), ccx_block("\t"));
}

TEST(RecordDump, NothingBelowLevelFour)
{
    TraceAt trace(3);
    DumpCCX2Ctrl(&kCcxWord);
    EXPECT_TRUE(trace.lines().empty());
}

TEST(RecordDump, AdvanceOid)
{
    ADVANCE_OID oid { 9, 2, 1, 0, 15, 1, 1, 1, 0, 2, 1, 5, 7, 9, 11 };
    TraceAt trace(4);
    DumpAdvanceOID(&oid);
    EXPECT_EQ(trace.lines(), (Lines { "[Kivra] --> DumpAdvanceOID", "[Kivra] struct ADVANCE_OID:",
        "[Kivra] \tOID_SET_HT_PHYMODE phyMode:", "[Kivra] \t\tPhyMode = 9", "[Kivra] \t\tTransmitNo = 2",
        "[Kivra] \t\tHtMode = 1", "[Kivra] \t\tExtOffset = 0", "[Kivra] \t\tMCS = 15", "[Kivra] \t\tBW = 1",
        "[Kivra] \t\tSTBC = 1", "[Kivra] \t\tSHORTGI = 1", "[Kivra] \tnBGProtection = 2", "[Kivra] \tbTXBurst = 1",
        "[Kivra] \tCountryRegIndex11BG = 5", "[Kivra] \tCountryRegIndex11A = 7", "[Kivra] \tKTphyMode = 9",
        "[Kivra] \tnTXRate = 11", "[Kivra] <-- DumpAdvanceOID" }));
}

TEST(RecordDump, AdvanceConfig)
{
    // PhyMode 2, MCS 7, BW 1, ShortGI 1, STBC 0, TRANSNO 2, HTMODE 1, EXTCHA 3, LEGACYMODE 1.
    DWORD const transmit = 2u | (7u << 4) | (1u << 11) | (1u << 12) | (2u << 14) | (1u << 16) | (3u << 17) | (1u << 19);
    ADVANCE_CONFIG_DATA config { 1, kCcxWord, 5, 7, 1, transmit, 108, 1, 9, 0 };
    TraceAt trace(4);
    DumpAdvanceCfg(&config);
    Lines expected { "[Kivra] --> DumpAdvanceCfg", "[Kivra] struct ADVANCE_CONFIG_DATA:", "[Kivra] \tBGProtection = 1" };
    append(expected, ccx_block("\t"));
    append(expected, { "[Kivra] \tCountryRegion = 5", "[Kivra] \tCountryRegionABand = 7", "[Kivra] \tShowAuthStatus = 1",
        "[Kivra] \tTRANSMIT_SETTING TransmitSetting:", "[Kivra] \t\tPhyMode = 2", "[Kivra] \t\tMCS = 7", "[Kivra] \t\tBW = 1",
        "[Kivra] \t\tShortGI = 1", "[Kivra] \t\tSTBC = 0", "[Kivra] \t\tTRANSNO = 2", "[Kivra] \t\tHTMODE = 1",
        "[Kivra] \t\tEXTCHA = 3", "[Kivra] \t\tLEGACYMODE = 1", "[Kivra] \tTransRate = 108", "[Kivra] \tTXBurst = 1",
        "[Kivra] \tWirelessMode = 9", "[Kivra] \tEnableTcpWindowSize = 0", "[Kivra] <-- DumpAdvanceCfg" });
    EXPECT_EQ(trace.lines(), expected);
}

TEST(RecordDump, WpsModeReadsTextsWithinTheirFields)
{
    WPS_MODE mode {};
    mode.WpsMode = 1;
    std::memcpy(mode.PIN, "12345670", 8); // full field, no terminator
    mode.WpsSSID.SsidLength = 200;
    std::memset(mode.WpsSSID.Ssid, 'S', 32);
    std::uint8_t const bssid[6] = { 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E };
    std::memcpy(mode.Bssid, bssid, 6);
    mode.Channel = 6;
    mode.ConfigMode = 1;
    TraceAt trace(4);
    DumpWPSMode(&mode);
    EXPECT_EQ(trace.lines(), (Lines { "[Kivra] --> DumpWPSMode", "[Kivra] struct WPS_MODE:", "[Kivra] \tWpsMode = 1",
        "[Kivra] \tPIN = 12345670", "[Kivra] \tWpsSSID = " + std::string(32, 'S'), "[Kivra] \tBssid = 00:1A:2B:3C:4D:5E",
        "[Kivra] \tChannel = 6", "[Kivra] \tConfigMode = 1", "[Kivra] <-- DumpWPSMode" }));
}

TEST(RecordDump, WpsProfileClampsItsCounts)
{
    WPS_PROFILE profile {};
    profile.ProfileCnt = 2;
    auto& c = profile.Profile[0];
    c.SsidLength = 4;
    std::memcpy(c.Ssid, "HomeXYZ", 7);
    c.AuthType = 32;
    c.EncrType = 8;
    c.KeyIndex = 1;
    c.KeyLength = 2;
    c.Key[0] = 0xAB;
    c.Key[1] = 0x01;
    std::uint8_t const mac[6] = { 2, 0, 0, 0, 0, 1 };
    std::memcpy(c.MacAddr, mac, 6);
    {
        TraceAt trace(4);
        DumpWPSProfile(&profile);
        Lines const one { "[Kivra] --> DumpOneWPSProfile", "[Kivra] struct WPS_CREDENTIAL:", "[Kivra] \tSSID = Home",
            "[Kivra] \tAuthType = 32", "[Kivra] \tEncrType = 8", "[Kivra] \tKeyIndex = 1", "[Kivra] \tKeyLength = 2",
            "[Kivra] \tKey[0] = 0xAB", "[Kivra] \tKey[1] = 0x1", "[Kivra] \tMacAddr = 02:00:00:00:00:01",
            "[Kivra] <-- DumpOneWPSProfile" };
        Lines expected { "[Kivra] --> DumpWPSProfile", "[Kivra] struct WPS_PROFILE:", "[Kivra] \tProfileCnt = 2",
            "[Kivra] \tstruct WPS_CREDENTIAL:", "[Kivra] \t\tProfile[0]:" };
        append(expected, one);
        expected.push_back("[Kivra] \t\tProfile[1]:");
        auto const lines = trace.lines();
        ASSERT_GE(lines.size(), expected.size());
        EXPECT_EQ(Lines(lines.begin(), lines.begin() + std::ptrdiff_t(expected.size())), expected);
        EXPECT_EQ(lines.back(), "[Kivra] <-- DumpWPSProfile");
    }
    profile.ProfileCnt = 1000;
    c.KeyLength = 5000;
    TraceAt trace(4);
    DumpWPSProfile(&profile);
    EXPECT_EQ(count_prefix(trace.lines(), "[Kivra] \t\tProfile["), WPS_MAX_CREDENTIALS);
    EXPECT_EQ(count_prefix(trace.lines(), "[Kivra] \tKey["), 64u);
}

TEST(RecordDump, WlanProfileLineByLine)
{
    WLANPROFILE p {};
    p.bBssid = 1;
    p.SSID.SsidLength = 4;
    std::memcpy(p.SSID.Ssid, "CorpNet", 7);
    std::uint8_t const bssid[6] = { 0x02, 0x00, 0x00, 0x00, 0x00, 0x02 };
    std::memcpy(p.BSSID, bssid, 6);
    p.enumNetworkType = 1;
    p.lRtsThre = 2347;
    p.lFragThre = 2346;
    p.enumAuthenMode = AUTH_WPA2;
    p.enumEncryStatus = ENC_AES;
    p.lTxPower = 100;
    std::memset(p.WEPKey1, 'k', sizeof(p.WEPKey1)); // full, unterminated
    p.wepDefaultKey = 1;
    p.aryRates[0] = 0x82;
    p.arySupDesRates.SupRateLen = 2;
    p.arySupDesRates.SupRate[0] = 2;
    p.arySupDesRates.SupRate[1] = 4;
    p.configSta.AdhocMode = 3;
    p.configSta.Unnamed = 99;
    p.CCX2Control = kCcxWord;
    p.b8021X = 1;
    std::strcpy(p.chID, "alice");
    std::strcpy(p.chPassword, "wonderland");
    std::strcpy(p.chPskKey, "secretkey");
    p.nPskKeyLen = 6;
    p.CA_cert.BlobLength = 1;
    p.CA_cert.BlobData[0] = 0x30;
    p.dwLenEapFastConfigBlob = 1;
    p.pEapFastConfigBlob[0] = 0x7F;
    p.ssoInfo = 5;
    std::strcpy(p.chASCertPath, "/certs/as.cer");
    std::strcpy(p.strProfileName, "Office");
    p.nProfileID = 3;
    TraceAt trace(4);
    DumpWlanProfile(&p);
    Lines expected { "[Kivra] --> DumpWlanProfile", "[Kivra] struct WLANPROFILE:", "[Kivra] \tbBssid = 1",
        "[Kivra] \tSSID = Corp", "[Kivra] \tBSSID = 02:00:00:00:00:02", "[Kivra] \tenumNetworkType = 1",
        "[Kivra] \tenumPreamType = 0", "[Kivra] \tlRtsThre = 2347", "[Kivra] \tlFragThre = 2346",
        "[Kivra] \tenumAuthenMode = 6", "[Kivra] \tenumEncryStatus = 6", "[Kivra] \tlTxPower = 100",
        "[Kivra] \tWEPKey1 = " + std::string(64, 'k'), "[Kivra] \tWEPKey1Type = 0", "[Kivra] \tWEPKey2 = ",
        "[Kivra] \tWEPKey2Type = 0", "[Kivra] \tWEPKey3 = ", "[Kivra] \tWEPKey3Type = 0", "[Kivra] \tWEPKey4 = ",
        "[Kivra] \tWEPKey4Type = 0", "[Kivra] \twepDefaultKey = 1", "[Kivra] \tenumPSMode = 0", "[Kivra] \tbACCam = 0",
        "[Kivra] \tlFreq = 0", "[Kivra] \tbDisassociate = 0", "[Kivra] \tbUseDiagnostic = 0", "[Kivra] \tbSetAdvance = 0",
        "[Kivra] \tbSetOidFromProfilePageSetting = 0", "[Kivra] \taryRates = 82:00:00:00:00:00:00:00",
        "[Kivra] \tKT_802_11_TX_RATES arySupDesRates:", "[Kivra] \t\tSupRateLen = 2", "[Kivra] \t\tSupRate[0] = 2",
        "[Kivra] \t\tSupRate[1] = 4", "[Kivra] \tKT_802_11_STA_CONFIG configSta:", "[Kivra] \t\tEnableTxBurst = 0",
        "[Kivra] \t\tEnableTurboRate = 0", "[Kivra] \t\tUseBGProtection = 0", "[Kivra] \t\tUseShortSlotTime = 0",
        "[Kivra] \t\tAdhocMode = 3", "[Kivra] \t\tHwRadioStatus = 0", "[Kivra] \t\tSystemErrorBitmap = 0" };
    append(expected, ccx_block("\t"));
    append(expected, { "[Kivra] \tnCountryRegion = 0", "[Kivra] \tb8021X = 1", "[Kivra] \tenumAuthenProtocol = 0",
        "[Kivra] \tenumTunnel = 0", "[Kivra] \tenumProvisioningTunnel = 0", "[Kivra] \tnSessionResumption = 0",
        "[Kivra] \tbClientCert = 0", "[Kivra] \tbClientCertInSmartCard = 0", "[Kivra] \tbServerCert = 0",
        "[Kivra] \tbPAC = 0", "[Kivra] \tbProvision = 0", "[Kivra] \tchPACfilepath = ", "[Kivra] \tbIntermediateCert = 0",
        "[Kivra] \tnServerNameRule = 0", "[Kivra] \tchID = alice", "[Kivra] \tchPassword = wonderland",
        "[Kivra] \tchServerName = ", "[Kivra] \tchDomainName = ", "[Kivra] \tchPskKey = secret",
        "[Kivra] \tnIDModeIndex = 0", "[Kivra] \tnPskKeyLen = 6", "[Kivra] \tnPskKeyType = 0", "[Kivra] \tnPasswordMode = 0",
        "[Kivra] \tKT_BLOB_KEY CA_cert:", "[Kivra] \t\tBlobLength = 1", "[Kivra] \t\tBlobData[0] = 0x30",
        "[Kivra] \tKT_BLOB_KEY user_cert:", "[Kivra] \t\tBlobLength = 0", "[Kivra] \t\tpEapFastConfigBlob[0] = 0x7F",
        "[Kivra] \tdwLenEapFastConfigBlob = 1", "[Kivra] \tPROF_SSO ssoInfo:", "[Kivra] \t\tbUseSSO = 1",
        "[Kivra] \t\tbAllowMachine = 0", "[Kivra] \t\tnLogon = 1", "[Kivra] \tchUserCertPath = ",
        "[Kivra] \tchASCertPath= /certs/as.cer", "[Kivra] \tchPin = ", "[Kivra] \tbIsWPS = 0", "[Kivra] \tbUseFragThre = 0",
        "[Kivra] \tbUseRTSThre = 0", "[Kivra] \tstrProfileName= Office", "[Kivra] \tnProfileID = 3",
        "[Kivra] \tbCacheUserInfo = 0", "[Kivra] <-- DumpWlanProfile" });
    EXPECT_EQ(trace.lines(), expected);
}

TEST(RecordDump, WlanProfileClampsEveryLength)
{
    WLANPROFILE p {};
    p.SSID.SsidLength = 0xFFFFFFFF;
    std::memset(p.SSID.Ssid, 'x', sizeof(p.SSID.Ssid));
    p.arySupDesRates.SupRateLen = 255;
    p.CA_cert.BlobLength = 100000;
    p.user_cert.BlobLength = 153;
    p.dwLenEapFastConfigBlob = 0xFFFFFFFF;
    p.nPskKeyLen = 1000;
    std::memset(p.chPskKey, 'p', sizeof(p.chPskKey));
    TraceAt trace(4);
    DumpWlanProfile(&p);
    auto const lines = trace.lines();
    EXPECT_EQ(count_prefix(lines, "[Kivra] \t\tSupRate["), 27u);
    EXPECT_EQ(count_prefix(lines, "[Kivra] \t\tBlobData["), 2u * 152u);
    EXPECT_EQ(count_prefix(lines, "[Kivra] \t\tpEapFastConfigBlob["), 3000u);
    EXPECT_TRUE(trace.contains("[Kivra] \tSSID = " + std::string(32, 'x')));
    EXPECT_TRUE(trace.contains("[Kivra] \tchPskKey = " + std::string(64, 'p')));
    EXPECT_TRUE(trace.contains("[Kivra] \tdwLenEapFastConfigBlob = -1"));
}
