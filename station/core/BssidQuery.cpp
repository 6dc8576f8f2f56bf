#include "station/core/BssidQuery.h"

#include "station/core/ScanList.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"

#include <algorithm>
#include <cstring>
#include <span>

std::atomic<int> m_bSurveyComplete { 0 };
std::atomic<int> G_bScanComplete { 0 };

void FuncScanFinished()
{
    if (G_VxWlLib.VXWL_IsWAPIConnecting())
        return;
    m_bSurveyComplete.store(1);
    G_bScanComplete.store(1);
}

int QueryBssidList(void* list)
{
    VXWL_U32 size = BSSID_LIST_FIRST_OFFER;
    int result = G_VxWlLib.VXWL_SiteSurveyQuery(list, &size);
    if (result == VXWL_ERROR_BUFFER_TOO_SMALL) {
        // The buffer never grows: a library that wants more gets what there is.
        size = std::min<VXWL_U32>(size, BSSID_LIST_BUFFER_SIZE);
        result = G_VxWlLib.VXWL_SiteSurveyQuery(list, &size);
    }
    if (result != VXWL_ERROR_SUCCESS)
        TraceMsg(TRACE_FAIL, "[Kivra] VXWL_SiteSurveyQuery() fail, return value = %d\n", result);
    return result;
}

void TraceBssidList(void const* list)
{
    if (!list)
        return;
    auto const bytes = std::span<std::uint8_t const>(static_cast<std::uint8_t const*>(list), BSSID_LIST_BUFFER_SIZE);
    auto const walk = station::core::walk_bssid_list(bytes);
    TraceMsg(TRACE_FAIL, "[Kivra] NumberOfItems = %u\n", walk.claimed);
    int index = 0;
    for (auto const& entry : walk.entries) {
        std::uint8_t const* mac = bytes.data() + entry.offset + offsetof(NDIS_WLAN_BSSID_EX, MacAddress);
        TraceMsg(TRACE_FAIL, "[Kivra] Bssid[%d] = %02X:%02X:%02X:%02X:%02X:%02X\n", index++, mac[0], mac[1], mac[2],
            mac[3], mac[4], mac[5]);
    }
}

std::string DigestText(char const* field, std::size_t size)
{
    if (!field)
        return {};
    char const* end = std::find(field, field + size, '\0');
    return std::string(field, end);
}
