// What the pages and the dialogs of the configuration window's lower area ask of the hidden
// dialog and the configuration window. Those two sit above the pages in the program, so pages
// do not include their headers: the application installs one implementation of this seam at
// start-up, and page tests install a fake. With none installed every answer is "none".
// User-interface thread only.
#pragma once

#include "platform/user/Types.h"

struct WLANPROFILE;

class HideDlgServices {
public:
    virtual ~HideDlgServices() = default;

    // The hidden dialog's window; null before it exists.
    virtual HWND hide_dialog() const { return nullptr; }
    // The configuration window, which routes the pages' private messages; null while it does
    // not exist.
    virtual HWND config_window() const { return nullptr; }
    // Copies the hidden dialog's current profile into `out`; false when it holds none.
    virtual bool copy_current_profile(WLANPROFILE& out) const
    {
        (void)out;
        return false;
    }
    // The window's flag that an advanced-settings change waits for a scan before it reconnects
    // by BSSID: answered once, and cleared by the answer.
    virtual bool take_scan_after_advance_change() { return false; }
    // Sets that flag: an advanced page's Apply switched the radio on an older system.
    virtual void set_scan_after_advance_change() { }
    // Clears bSetAdvance of the hidden dialog's current profile and copies the profile into
    // `out`, for the advanced page to connect it again; false when it holds none.
    virtual bool take_current_profile_for_advance(WLANPROFILE& out)
    {
        (void)out;
        return false;
    }
    // CVxUI2008Dlg::ShowSubDialog: shows the configuration window's lower child `index`.
    virtual void show_sub_dialog(int index) { (void)index; }
    // Zeroes the hidden dialog's current profile (the active profile was deleted).
    virtual void zero_current_profile() { }
    // Shows `name` as the single sign-on page's profile and refreshes that page.
    virtual void show_sso_profile(char const* name) { (void)name; }
    // Whether the window's PEAP settings prompt shows now.
    virtual bool peap_setting_visible() const { return false; }
    // The profile page's flag that a stored profile is the active one: a connection from the
    // site survey clears it.
    virtual void clear_active_profile() { }
    // Stops the hidden dialog's timer `id`: the WPS page takes over from its connection retry
    // (15) when a run starts and from its credential rotation (4) when its own watch rotates.
    virtual void stop_hide_dlg_timer(UINT id) { (void)id; }
    // The profile page's SetOidFromReg, when the window has its profile page.
    virtual void set_oid_from_reg(BOOL set_advance) { (void)set_advance; }
};

HideDlgServices& hide_dlg_services();
// Installs `services`, which the caller keeps alive; null puts back the empty default.
void set_hide_dlg_services(HideDlgServices* services);
