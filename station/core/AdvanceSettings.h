// The advanced settings as the driver takes them: the stored ADVANCE_CONFIG_DATA words packed
// into the ADVANCE_OID record of VXWL_SetAdvanceSetting.
#pragma once

#include "wlan/api/Profile.h"

// Packs the stored words: the PHY fields come from the TransmitSetting bit field (PhyMode bits
// 0-3, MCS 4-10, BW 11, ShortGI 12, STBC 13, TRANSNO 14-15, HTMODE 16, EXTCHA 17-18,
// LEGACYMODE 19-20); a legacy mode of 2 or 3 stands in for the HT mode, and legacy mode 2 has
// no 40 MHz width.
ADVANCE_OID BuildAdvanceOid(ADVANCE_CONFIG_DATA const& config);
