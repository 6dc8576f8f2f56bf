// The fifteen functions that no caller of the access point utility uses: they exist so the
// binding finds every name, and they answer that nothing was done.
#include "wlan/VxAPAPI/Export.h"

VXAP_API int VXAP_StrToIPData(const char*, std::uint8_t*) { return 0; }
VXAP_API int VXAP_IPDataToStr(const std::uint8_t*, char*) { return 0; }
VXAP_API int VXAP_OIDQueryInfo(VXAP_U32, void*, VXAP_U32, VXAP_U32*) { return 0; }
VXAP_API int VXAP_OIDSetInfo(VXAP_U32, const void*, VXAP_U32) { return 0; }
VXAP_API int VXAP_ReadRegValue(const char*, void*, VXAP_U32) { return 0; }
VXAP_API int VXAP_WriteRegValue(const char*, const void*, VXAP_U32) { return 0; }
VXAP_API int VXAP_QueryHTStatus(VXAP_U32*) { return 0; }
VXAP_API int VXAP_QuerySTAConfig(KT_802_11_STA_CONFIG*) { return 0; }
VXAP_API int VXAP_Query80211CONFIGURATION(void*) { return 0; }
VXAP_API int VXAP_QueryAIRONETIP(void*) { return 0; }
VXAP_API int VXAP_QueryHWReg(VXAP_U32, VXAP_U32*) { return 0; }
VXAP_API int VXAP_SetHWReg(VXAP_U32, VXAP_U32) { return 0; }
VXAP_API int VXAP_QueryRxAgcVgcTuning(VXAP_U32*) { return 0; }
VXAP_API int VXAP_SetRxAgcVgcTuning(VXAP_U32) { return 0; }
VXAP_API int VXAP_SetGENMICERROR(int) { return 0; }

VXAP_CHECK_TYPE(StrToIPData);
VXAP_CHECK_TYPE(IPDataToStr);
VXAP_CHECK_TYPE(OIDQueryInfo);
VXAP_CHECK_TYPE(OIDSetInfo);
VXAP_CHECK_TYPE(ReadRegValue);
VXAP_CHECK_TYPE(WriteRegValue);
VXAP_CHECK_TYPE(QueryHTStatus);
VXAP_CHECK_TYPE(QuerySTAConfig);
VXAP_CHECK_TYPE(Query80211CONFIGURATION);
VXAP_CHECK_TYPE(QueryAIRONETIP);
VXAP_CHECK_TYPE(QueryHWReg);
VXAP_CHECK_TYPE(SetHWReg);
VXAP_CHECK_TYPE(QueryRxAgcVgcTuning);
VXAP_CHECK_TYPE(SetRxAgcVgcTuning);
VXAP_CHECK_TYPE(SetGENMICERROR);
