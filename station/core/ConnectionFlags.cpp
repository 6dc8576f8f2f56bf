#include "station/core/ConnectionFlags.h"

#include "wlan/api/Profile.h"

#include <algorithm>

std::atomic<BOOL> G_bReConnect { TRUE };
std::atomic<int> G_nAuthFailState { 3 };
BOOL G_bManualConnect = FALSE;
BOOL G_bRotateProfile = FALSE;
int G_nCurWpsProfile = 0;
int G_nRotateWpsProfile = 0;

namespace {

int clamp_count(int count) { return std::clamp(count, 0, int(WPS_MAX_CREDENTIALS)); }

int in_range(int index, int count) { return index >= 0 && index < count ? index : 0; }

}

int PickWpsProfile(int count)
{
    count = clamp_count(count);
    if (G_bRotateProfile) {
        G_nRotateWpsProfile = in_range(G_nRotateWpsProfile, count);
        G_nCurWpsProfile = G_nRotateWpsProfile;
    } else {
        G_nCurWpsProfile = in_range(G_nCurWpsProfile, count);
        G_nRotateWpsProfile = G_nCurWpsProfile;
    }
    return G_nCurWpsProfile;
}

void AdvanceWpsRotation(int count)
{
    count = clamp_count(count);
    if (!G_bRotateProfile)
        return;
    ++G_nRotateWpsProfile;
    if (G_nRotateWpsProfile >= count)
        G_nRotateWpsProfile = 0;
}
