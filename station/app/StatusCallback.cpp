#include "station/app/StatusCallback.h"

#include "station/app/HideDlg.h"
#include "station/app/WorkerThreads.h"
#include "station/core/AuthStatusRing.h"
#include "station/core/HideDlgIds.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"

#include <array>
#include <cstring>
#include <string>

using station::core::AuthStatusRing;

namespace {

// The EAP-FAST authority identity last reported, and the PAC file last chosen for loading.
// Only the library's thread touches them once the callback is registered.
std::array<char, 128> g_aid {};
std::array<char, 256> g_pac_path {};

struct EventName {
    unsigned code;
    char const* name;
};

constexpr EventName kNames[] = {
    { RS_CBS_FAST_SAVE_PAC, "RS_CBS_FAST_SAVE_PAC" },
    { RS_CBS_CHANGE_PASSWORD_SUCCESS, "RS_CBS_CHANGE_PASSWORD_SUCCESS" },
    { RS_CBS_AU_STATUS_LINK_DOWN, "RS_CBS_AU_STATUS_LINK_DOWN" },
    { RS_CBS_AU_STATUS_START, "RS_CBS_AU_STATUS_START" },
    { RS_CBS_AU_STATUS_LINK_UP, "RS_CBS_AU_STATUS_LINK_UP" },
    { RS_CBS_AU_STATUS_AUTHENTICATING, "RS_CBS_AU_STATUS_AUTHENTICATING" },
    { RS_CBS_AU_STATUS_AUTHENTICATED, "RS_CBS_AU_STATUS_AUTHENTICATED" },
    { RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS, "RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS" },
    { RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, "RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED" },
    { RS_CBS_AU_STATUS_AUTH_TIMEOUT, "RS_CBS_AU_STATUS_AUTH_TIMEOUT" },
    { RS_CBS_CHANGE_PASSWORD_REQUEST, "RS_CBS_CHANGE_PASSWORD_REQUEST" },
    { RS_CBS_FAST_PAC_AID_INFO, "RS_CBS_FAST_PAC_AID_INFO" },
    { RS_CBS_FAST_INVALID_PAC_OPAQUE, "RS_CBS_FAST_INVALID_PAC_OPAQUE" },
    { RS_CBS_FAST_LOAD_PAC, "RS_CBS_FAST_LOAD_PAC" },
    { RS_CCX_DIAG_PROFILE, "RS_CCX_DIAG_PROFILE" },
    { RS_CCX_AIRONET_MSG_STR, "RS_CCX_AIRONET_MSG_STR" },
    { RS_CBS_AU_STATUS_MEDIA_CONNECT, "RS_CBS_AU_STATUS_MEDIA_CONNECT" },
    { RS_CBS_AU_STATUS_MEDIA_DISCONNECT, "RS_CBS_AU_STATUS_MEDIA_DISCONNECT" },
    { RS_CBS_ICV_ERROR, "RS_CBS_ICV_ERROR" },
    { RS_CBS_PORT_SECURED, "RS_CBS_PORT_SECURED" },
};

void trace_name(unsigned code)
{
    for (EventName const& e : kNames) {
        if (e.code == code) {
            TraceMsg(TRACE_STEP, "[Kivra] >>%s<<\n", e.name);
            return;
        }
    }
}

void announce(char const* text) { AuthStatusRing::the().announce(text); }

void post_to_hidden_dialog(UINT message, WPARAM wParam = 0)
{
    if (CHideDlg* hide = g_pHideDlg; hide && hide->m_hWnd)
        ::PostMessage(hide->m_hWnd, message, wParam, 0);
}

char const* authenticating_text()
{
    static constexpr char const* kTexts[] = { "PEAP Authenticating ...", "TLS Authenticating ...",
        "TTLS Authenticating ...", "EAP-FAST Authenticating ...", "MD5 Authenticating ...", "LEAP Authenticating ..." };
    WLANPROFILE current {};
    if (!g_pHideDlg || !g_pHideDlg->CopyProfile(current) || current.enumAuthenProtocol >= std::size(kTexts))
        return "Authenticating ...";
    return kTexts[current.enumAuthenProtocol];
}

// Bounded copy of a text the library handed over: at most `size` - 1 bytes, terminated.
template<std::size_t N>
void take_text(std::array<char, N>& to, void const* from)
{
    to.fill(0);
    if (from)
        std::memcpy(to.data(), from, ::strnlen(static_cast<char const*>(from), N - 1));
}

// Event 20: the library waits here for the user's new password. Cancel leaves `out` empty.
void change_password(char* out)
{
    auto thread = station::app::WorkerThreads::the().start(ChangePasswordThread);
    if (!thread.valid() || thread.get() != 1 || !out)
        return;
    WLANPROFILE current {};
    if (g_pHideDlg && g_pHideDlg->config_window() && g_pHideDlg->CopyProfile(current)) {
        std::memset(out, 0, RS_CALLBACK_OUT_SIZE);
        std::memcpy(out, current.chPassword, ::strnlen(current.chPassword, sizeof current.chPassword - 1));
    }
}

void load_pac(char* out)
{
    char path[256] {};
    char identity[128] {};
    WLANPROFILE current {};
    if (g_pHideDlg && g_pHideDlg->CopyProfile(current) && current.bBssid == 1)
        std::memcpy(identity, current.chID, ::strnlen(current.chID, sizeof identity - 1));
    G_VxWlLib.VXWL_FastPacLoad(path, sizeof path, identity, 1);
    path[sizeof path - 1] = '\0';
    take_text(g_pac_path, path);
    if (out) {
        std::memset(out, 0, RS_CALLBACK_OUT_SIZE);
        std::memcpy(out, g_pac_path.data(), ::strnlen(g_pac_path.data(), g_pac_path.size()));
    }
}

void save_pac(void* data)
{
    if (!data)
        return;
    PAC_BLOCK block {};
    std::memcpy(&block, data, sizeof block);
    G_VxWlLib.VXWL_FastPacSave(&block, g_pac_path.data(), g_aid.data());
}

void aironet_message(void* data)
{
    std::array<char, 256> text {};
    take_text(text, data);
    announce(text.data());
}

void handle(unsigned code, void* data, char* out)
{
    switch (code) {
    case RS_CBS_FAST_SAVE_PAC: save_pac(data); break;
    case RS_CBS_AU_STATUS_LINK_DOWN: announce("Network Link is NOT connected."); break;
    case RS_CBS_AU_STATUS_START: announce("Starting network connection..."); break;
    case RS_CBS_AU_STATUS_LINK_UP: announce("Network is connecting..."); break;
    case RS_CBS_AU_STATUS_AUTHENTICATING: announce(authenticating_text()); break;
    case RS_CBS_AU_STATUS_AUTHENTICATED:
        announce("Wireless client is authenticated.");
        station::app::WorkerThreads::the().start(PostAuthenticationThread);
        break;
    case RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS: announce("EAP-FAST Provisioning is successful."); break;
    case RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED:
        post_to_hidden_dialog(WM_HIDE_DLG_AUTH_FAILED, 1);
        announce("Authentication failed - Identity or password is invalid.");
        break;
    case RS_CBS_AU_STATUS_AUTH_TIMEOUT:
        post_to_hidden_dialog(WM_HIDE_DLG_AUTH_FAILED, 0);
        announce("Authenticating Timeout.");
        break;
    case RS_CBS_CHANGE_PASSWORD_REQUEST: change_password(out); break;
    case RS_CBS_FAST_PAC_AID_INFO: take_text(g_aid, data); break;
    case RS_CBS_FAST_LOAD_PAC: load_pac(out); break;
    case RS_CCX_DIAG_PROFILE: {
        std::uint32_t flag = 0;
        if (data)
            std::memcpy(&flag, data, sizeof flag);
        if (flag)
            post_to_hidden_dialog(WM_HIDE_DLG_CCX_PROFILE);
        break;
    }
    case RS_CCX_AIRONET_MSG_STR: aironet_message(data); break;
    case RS_CBS_AU_STATUS_MEDIA_CONNECT: post_to_hidden_dialog(WM_NDIS_MEDIA_CONNECT); break;
    case RS_CBS_ICV_ERROR: post_to_hidden_dialog(WM_NDIS_PRIVATE); break;
    default: break;
    }
}

}

namespace station::core {

void rsCallBackFunc(unsigned int event, void* data, char* out)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> rsCallBackFunc\n");
    unsigned const code = event & 0xFFu;
    trace_name(code);
    handle(code, data, out);
    TraceMsg(TRACE_STEP, "[Kivra] <-- rsCallBackFunc\n");
}

void ClearCallbackBuffers()
{
    g_aid.fill(0);
    g_pac_path.fill(0);
}

}
