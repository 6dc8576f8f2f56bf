// The contract's layout is checked at compile time; these cases pin what a compile-time check
// cannot say: the slot order and spelling of the exports the program binds by name.
#include "wlan/api/Exports.h"
#include "wlan/api/Pranto.h"

#include <gtest/gtest.h>

#include <string>

TEST(ExportNames, KeepSlotOrderAndSpelling)
{
    using wlan::api::kExportNames;
    EXPECT_STREQ(kExportNames[0], "VXWL_AdapterSelect");
    EXPECT_STREQ(kExportNames[214], "VXWL_IsSupportVistaSoftAP");
    int reset = -1, set_wep = -1, set_ht = -1, set_phy = -1, write_wps = -1, read_ext = -1;
    for (std::size_t i = 0; i < wlan::api::kExportCount; ++i) {
        std::string const name = kExportNames[i];
        if (name == "VXWL_ResetToDefaultConnecctionSetting") reset = int(i);
        if (name == "VXWL_SetWEPKey") set_wep = int(i);
        if (name == "VXWL_SetHTPhyMode") set_ht = int(i);
        if (name == "VXWL_SetPhyMode") set_phy = int(i);
        if (name == "VXWL_WriteWPSProfile") write_wps = int(i);
        if (name == "VXWL_ReadExtAPConfig") read_ext = int(i);
    }
    EXPECT_GE(reset, 0);
    EXPECT_EQ(set_wep, set_ht + 1);
    EXPECT_EQ(set_phy, set_wep + 1);
    // The appended names start after the alphabetical run.
    EXPECT_EQ(read_ext, write_wps + 1);
}
