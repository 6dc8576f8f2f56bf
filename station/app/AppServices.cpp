#include "station/app/AppServices.h"

#include "station/app/HideDlg.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/HideDlgServices.h"
#include "station/profiles/PageSSODlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PeapSettingDlg.h"

namespace {

// Asks g_pHideDlg each time: the hidden dialog and its window come and go during a run.
class AppServices final : public HideDlgServices {
public:
    HWND hide_dialog() const override { return g_pHideDlg ? g_pHideDlg->m_hWnd : nullptr; }

    HWND config_window() const override
    {
        CVxUI2008Dlg* const window = g_pHideDlg ? g_pHideDlg->m_pVxUI : nullptr;
        return window && window->m_hWnd && ::IsWindow(window->m_hWnd) ? window->m_hWnd : nullptr;
    }

    bool copy_current_profile(WLANPROFILE& out) const override
    {
        return g_pHideDlg && g_pHideDlg->CopyProfile(out);
    }

    bool take_scan_after_advance_change() override
    {
        CVxUI2008Dlg* const window = g_pHideDlg ? g_pHideDlg->m_pVxUI : nullptr;
        if (!window || !window->m_bScanAfterAdvanceChange)
            return false;
        window->m_bScanAfterAdvanceChange = FALSE;
        return true;
    }

    void set_scan_after_advance_change() override
    {
        if (CVxUI2008Dlg* const window = g_pHideDlg ? g_pHideDlg->m_pVxUI : nullptr)
            window->m_bScanAfterAdvanceChange = TRUE;
    }

    bool take_current_profile_for_advance(WLANPROFILE& out) override
    {
        return g_pHideDlg && g_pHideDlg->TakeProfileForAdvance(out);
    }

    void show_sub_dialog(int index) override
    {
        CVxUI2008Dlg* const window = g_pHideDlg ? g_pHideDlg->m_pVxUI : nullptr;
        if (window && window->m_hWnd && ::IsWindow(window->m_hWnd))
            window->ShowSubDialog(index);
    }

    void zero_current_profile() override
    {
        if (g_pHideDlg)
            g_pHideDlg->ZeroProfile();
    }

    void show_sso_profile(char const* name) override
    {
        CVxUI2008Dlg* const window = g_pHideDlg ? g_pHideDlg->m_pVxUI : nullptr;
        if (window && window->m_pPageSSODlg && name)
            window->m_pPageSSODlg->ShowSSOProfile(name);
    }

    bool peap_setting_visible() const override
    {
        CVxUI2008Dlg* const window = g_pHideDlg ? g_pHideDlg->m_pVxUI : nullptr;
        CPeapSettingDlg* const prompt = window ? window->m_pPeapSettingDlg : nullptr;
        return prompt && prompt->m_hWnd && prompt->IsWindowVisible();
    }

    void clear_active_profile() override
    {
        CVxUI2008Dlg* const window = g_pHideDlg ? g_pHideDlg->m_pVxUI : nullptr;
        if (window && window->m_pPageProfileDlg)
            window->m_pPageProfileDlg->m_bActiveProfile = FALSE;
    }

    void stop_hide_dlg_timer(UINT id) override
    {
        if (g_pHideDlg && g_pHideDlg->m_hWnd)
            g_pHideDlg->KillTimer(id);
    }

    void set_oid_from_reg(BOOL set_advance) override
    {
        CVxUI2008Dlg* const window = g_pHideDlg ? g_pHideDlg->m_pVxUI : nullptr;
        if (window && window->m_pPageProfileDlg)
            window->m_pPageProfileDlg->SetOidFromReg(set_advance);
    }
};

AppServices g_app_services;

}

void station::app::install_app_services()
{
    set_hide_dlg_services(&g_app_services);
}
