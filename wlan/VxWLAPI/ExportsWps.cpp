// Exports of the adapter's WPS exchange: the run's method and role, the switches set before a
// run, its status, the credentials it brought, and the hardware push button. The exchange
// itself is the world's (WpsEngine).
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"

using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

template<typename F>
int with_wps(F&& f)
{
    return Library::get().with_world([&](World& w, std::uint64_t now) { return f(w, now); });
}

}

VXWL_API int VXWL_SetWPSMode(WPS_MODE mode)
{
    return with_wps([&](World& w, std::uint64_t now) { return w.wps().set_mode(w, mode, now) ? 1 : 0; });
}

VXWL_API int VXWL_SetWPSProfile(WPS_PROFILE profile)
{
    return with_wps([&](World& w, std::uint64_t) { return w.wps().set_profile(profile), 1; });
}

VXWL_API int VXWL_SetWPSAssociateIE(int enable)
{
    return with_wps([&](World& w, std::uint64_t) { return w.wps().switches().associate_ie = enable, 1; });
}

VXWL_API int VXWL_SetWPSProbeReqIE(int enable)
{
    return with_wps([&](World& w, std::uint64_t) { return w.wps().switches().probe_ie = enable, 1; });
}

VXWL_API int VXWL_SetWPSAutoSelect(int enable)
{
    return with_wps([&](World& w, std::uint64_t) { return w.wps().switches().auto_select = enable, 1; });
}

VXWL_API int VXWL_SetPreferWPSAPPhyType(int band)
{
    return with_wps([&](World& w, std::uint64_t) { return w.wps().switches().prefer_band = band, 1; });
}

// The status word answers exactly 1 when it is valid.
VXWL_API int VXWL_QueryWPSStatus(VXWL_U32* status)
{
    if (!status)
        return VXWL_ERROR_FAIL;
    *status = with_wps([&](World& w, std::uint64_t now) { return int(w.wps().status(w, now)); });
    return 1;
}

VXWL_API int VXWL_QueryWPSHwPbc(VXWL_U32* pressed)
{
    if (!pressed)
        return VXWL_ERROR_FAIL;
    *pressed = with_wps([&](World& w, std::uint64_t now) { return w.wps().take_hw_press(w, now) ? 1 : 0; });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_QueryWPSProfile(WPS_PROFILE* profile)
{
    if (!profile)
        return VXWL_ERROR_FAIL;
    *profile = Library::get().with_world([](World& w, std::uint64_t) { return w.wps().result(); });
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_QueryWPSAPChannel(int* channel)
{
    if (!channel)
        return VXWL_ERROR_FAIL;
    *channel = with_wps([](World& w, std::uint64_t) { return w.wps().channel(); });
    return VXWL_ERROR_SUCCESS;
}

// Ends the run, and drops a link made with a WPS credential.
VXWL_API int VXWL_WPSDisconnect(void)
{
    with_wps([](World& w, std::uint64_t now) {
        w.wps().disconnect();
        if (w.phase() != wlan::sim::LinkPhase::Idle && w.current_profile().bIsWPS)
            w.disassociate(now);
        return 0;
    });
    return VXWL_ERROR_SUCCESS;
}

VXWL_CHECK_TYPE(SetWPSMode);
VXWL_CHECK_TYPE(SetWPSProfile);
VXWL_CHECK_TYPE(SetWPSAssociateIE);
VXWL_CHECK_TYPE(SetWPSProbeReqIE);
VXWL_CHECK_TYPE(SetWPSAutoSelect);
VXWL_CHECK_TYPE(SetPreferWPSAPPhyType);
VXWL_CHECK_TYPE(QueryWPSStatus);
VXWL_CHECK_TYPE(QueryWPSHwPbc);
VXWL_CHECK_TYPE(QueryWPSProfile);
VXWL_CHECK_TYPE(QueryWPSAPChannel);
VXWL_CHECK_TYPE(WPSDisconnect);
