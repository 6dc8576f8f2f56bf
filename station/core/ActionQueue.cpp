#include "station/core/ActionQueue.h"

#include <cstring>

ActionArray aryActionData;

std::size_t ActionDataSize(int type)
{
    switch (type) {
    case actionTypeProfile: return sizeof(WLANPROFILE);
    case actionTypeSSID: return sizeof(NDIS_802_11_SSID);
    case actionTypeBSSID: return 6;
    case actionTypeWPSProfile: return sizeof(WPS_CREDENTIAL);
    default: return 0;
    }
}

_ACTION_DATA MakeAction(int type, void const* data)
{
    _ACTION_DATA action;
    action.nType = type;
    action.data.assign(ActionDataSize(type), 0);
    if (data && !action.data.empty())
        std::memcpy(action.data.data(), data, action.data.size());
    return action;
}

namespace {

bool profile_like(int type) { return type == actionTypeProfile || type == actionTypeWPSProfile; }

}

void MergeAction(ActionArray& queue, _ACTION_DATA action)
{
    bool const scan = action.nType == actionTypeBssidListScan;
    bool const profile = profile_like(action.nType);
    bool replaced = false;
    for (std::size_t i = queue.size(); i-- > 0;) {
        int const queued = queue[i].nType;
        if (scan && queued == actionTypeBssidListScan) {
            queue.erase(queue.begin() + std::ptrdiff_t(i));
        } else if (profile && profile_like(queued)) {
            if (replaced) {
                queue.erase(queue.begin() + std::ptrdiff_t(i));
            } else {
                queue[i] = action;
                replaced = true;
            }
        }
    }
    if (!replaced)
        queue.push_back(std::move(action));
}

bool QueueMustWait(ActionArray const& queue, WLANPROFILE const& current)
{
    if (queue.size() <= 1)
        return false;
    if (queue[0].nType == actionTypeBssidListScan)
        return true;
    return queue[0].nType == actionTypeProfile && queue[1].nType == actionTypeBssidListScan
        && current.nPasswordMode == 0 && current.enumTunnel == RS_TunnelGTC;
}
