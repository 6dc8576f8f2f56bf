// How the station library reaches the program on its own: the status callback with its event
// codes, the scan-finished callback, and the private window messages it posts to the window
// given to VXWL_Initial. Result codes shared by every call live here too.
#pragma once

#include <cstdint>

extern "C" {

// Status callback, run on the library's own thread. Only the low byte of `event` is the code.
// `out` holds at least RS_CALLBACK_OUT_SIZE bytes; only events 20 and 23 write it.
typedef void (*rsCallBackFunc)(unsigned int event, void* data, char* out);
constexpr unsigned RS_CALLBACK_OUT_SIZE = 256;

// Scan-finished callback of VXWL_SiteSurveyScan, run on the library's own thread.
typedef void (*ScanFinishedFunc)(void);

enum : unsigned {
    RS_CBS_FAST_SAVE_PAC = 2,
    RS_CBS_CHANGE_PASSWORD_SUCCESS = 3,
    RS_CBS_AU_STATUS_LINK_DOWN = 4,
    RS_CBS_AU_STATUS_START = 5,
    RS_CBS_AU_STATUS_LINK_UP = 6,
    RS_CBS_AU_STATUS_AUTHENTICATING = 7,
    RS_CBS_AU_STATUS_AUTHENTICATED = 14,
    RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS = 15,
    RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED = 16,
    RS_CBS_AU_STATUS_AUTH_TIMEOUT = 17,
    RS_CBS_CHANGE_PASSWORD_REQUEST = 20,
    RS_CBS_FAST_PAC_AID_INFO = 21,
    RS_CBS_FAST_INVALID_PAC_OPAQUE = 22,
    RS_CBS_FAST_LOAD_PAC = 23,
    RS_CCX_DIAG_PROFILE = 25,
    RS_CCX_AIRONET_MSG_STR = 26,
    RS_CBS_AU_STATUS_MEDIA_CONNECT = 29,
    RS_CBS_AU_STATUS_MEDIA_DISCONNECT = 30,
    RS_CBS_ICV_ERROR = 31,
    RS_CBS_PORT_SECURED = 32,
};

// Messages the library posts to the window of VXWL_Initial (WM_USER + n).
enum : unsigned {
    VXWL_MSG_SCAN_FAILED = 0x0400 + 1,
    VXWL_MSG_RADIO_ON = 0x0400 + 2,
    VXWL_MSG_RADIO_OFF = 0x0400 + 3,
    VXWL_MSG_CCX_DIAG_FIRST = 0x0400 + 4,
    VXWL_MSG_CCX_DIAG_LAST = 0x0400 + 7,
    VXWL_MSG_RECONNECT = 0x0400 + 8,
    VXWL_MSG_ENABLE_WINDOW = 0x0400 + 11,
    VXWL_MSG_EAP_CONFIG_DONE = 0x0400 + 12,
    VXWL_MSG_EXIT = 0x0400 + 14,
};

// Result codes.
constexpr int VXWL_ERROR_SUCCESS = 1;
constexpr int VXWL_ERROR_FAIL = 0;
constexpr int VXWL_ERROR_BUFFER_TOO_SMALL = -10;

// Operating modes of VXWL_QueryOPMode / VXWL_ReadOpMode.
enum : int { VXWL_OPMODE_STATION = 0, VXWL_OPMODE_AP = 1, VXWL_OPMODE_AP_CLIENT = 2 };

// VXWL_IsZeroConfig answers this when the system's own configuration service owns the adapter.
constexpr int VXWL_ZERO_CONFIG_SYSTEM = 2;

}
