// The access point library's slots: the binding looks each one up by name, in this order, so
// the order and the spelling are part of the contract (sizes and offsets are checked at
// compile time in the headers).
#include "wlan/api/ApExports.h"

#include <gtest/gtest.h>

#include <string>

TEST(ApExportNames, FollowTheBindingOrderWordForWord)
{
    // The binding's order, as the utility's option block lists it.
    static char const* const expected[] = { "Initial", "DeInitial", "GetWinOS", "IsFileExist", "FrequencyToChannel",
        "ChannelToFrequency", "StrToIPData", "IPDataToStr", "GetAvailableAdapters", "AdapterSelect", "IsDeviceExist",
        "GetDriverPath", "OIDQueryInfo", "OIDSetInfo", "ReadRegValue", "WriteRegValue", "GetNetConfig", "GetMacAddrs",
        "GetEEPROMVer", "GetFirmwareVer", "IsWow64", "DetectUserAdmin", "DetectMoreThanOneProcess", "Is80211ASupport",
        "Is80211NSupport", "QueryOPMode", "SetOPMode", "CheckIEEE80211H", "IsZeroConfig", "StopXpZeroConfig",
        "GetCurrentDeviceModel", "QueryHTStatus", "ResetStatisticsCounter", "QueryMacTableNOT_11N", "QueryMacTable",
        "ReadAccessPolicy", "ReadAccessList", "WriteAccessPolicy", "WriteAccessList", "Set80211ACL", "QueryApWLANStatus",
        "QuerySTAConfig", "QueryCountryRegion", "GetCountryChannel", "ReadConfigData", "WriteandSetConfigData",
        "GetSideBandParaFromE2PROM_BG", "Query80211CONFIGURATION", "QueryInitialState", "SetConfigData", "QueryAuthMode",
        "ReadAuthMode", "QuerySignalStrength", "ConvertRssiToSignalQuality", "QueryEventTable", "RestoreStationSetting",
        "QueryAIRONETIP", "SetAuthSecuKey", "QueryHWReg", "SetHWReg", "QueryRxAgcVgcTuning", "SetRxAgcVgcTuning",
        "SetGENMICERROR", "ConvertMACStrToByte", "SetIMMEBA", "WriteBACap", "ReadBACap", "QueryBACap", "SetBACap",
        "QueryBATable", "GetAPDefault", "InitAPSettings", "ReadExtAPConfig", "HostedNetworkSetup", "CheckAllowBW40ForBand",
        "WriteExtAPConfig", "QueryAntennaNumber", "SetVistaWindowsProfile", "DeleteVistaWindowsProfile",
        "QuerySWRadioState", "EnableDhcpServer", "DisableDhcpServer" };
    ASSERT_EQ(std::size(expected), wlan::api::kApExportCount);
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(wlan::api::kApExportNames[i], "VXAP_" + std::string(expected[i])) << "slot " << i;
}
