// The library's side of the scan list cache: the channels the adapter may use, the time, and
// whether the library keeps its own entries; the merge itself is in ScanList.cpp.
#include "platform/user/User.h"
#include "station/core/ScanList.h"
#include "station/core/VxWlLib.h"

#include <algorithm>
#include <array>

namespace {

struct ChannelList {
    std::array<std::uint8_t, CHANNEL_LIST_MAX> channels {};
    int count { 0 };

    // The library's count is trusted only as far as the array goes.
    std::span<std::uint8_t const> listed() const
    {
        return std::span<std::uint8_t const>(channels.data(), std::size_t(std::clamp(count, 0, int(CHANNEL_LIST_MAX))));
    }
};

ChannelList available_channels(VXWLLIB& lib, int mode)
{
    ChannelList list;
    int adhoc_mode = 0;
    lib.VXWL_ConvertPhyModeToAdHocMode(mode, &adhoc_mode);
    lib.VXWL_GetAvailableChannels(1, mode, adhoc_mode, list.channels.data(), &list.count, 0);
    return list;
}

std::uint64_t utc_now()
{
    SYSTEMTIME system {};
    FILETIME file {};
    GetSystemTime(&system);
    SystemTimeToFileTime(&system, &file);
    return station::core::filetime_value(file);
}

}

void VXWLLIB::UpdateBssidList(void* list)
{
    if (!list || !pBssidList)
        return;
    int mode = 0;
    VXWL_QueryWirelessMode(&mode);
    ChannelList const channels = available_channels(*this, mode);
    station::core::BssidMergeContext context;
    context.channels = channels.listed();
    context.now = utc_now();
    context.library_keeps_entries = VXWL_CheckBssidRepositTime() != 0;
    context.frequency_to_channel = [this](std::uint32_t khz) { return VXWL_FrequencyToChannel(khz); };
    station::core::merge_bssid_list(std::span<std::uint8_t, station::core::kBssidListSize>(static_cast<std::uint8_t*>(list), station::core::kBssidListSize),
        std::span<std::uint8_t, station::core::kBssidListSize>(pBssidList, station::core::kBssidListSize),
        std::span<FILETIME, station::core::kBssidStampCount>(bssidStamps), context);
}

int SetTimerForScanByChnList(int mode)
{
    return int(available_channels(G_VxWlLib, mode).listed().size()) * 150;
}
