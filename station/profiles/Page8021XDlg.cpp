#include "station/profiles/Page8021XDlg.h"

#include "wlan/profile/ProfileCodes.h"

CPage8021XDlg::CPage8021XDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
    m_SubTabValues.Reset();
}

// FIXME: the method's controls and sub-tabs are the tab's own work; until then the method
// only stays chosen.
void CPage8021XDlg::ApplyEapMethod(int nMethod)
{
    m_nEapMethod = nMethod;
}

void CPage8021XDlg::ResetToDefault()
{
    m_bSessionResumption = TRUE;
    m_nTunnelIndex = 0;
    m_nTtlsTunnelIndex = 0;
    ApplyEapMethod(EAP_PEAP);
    m_SubTabValues.Reset();
    m_PacRows.clear();
    m_nSsoBits = 0;
}

// The tunnel codes give the list positions; a code the list does not hold leaves the position.
void CPage8021XDlg::LoadFromEditor(EAP_SETTING_DATA const& block, PAC_ENTRY const* pacs, int pac_count, std::uint32_t sso_bits)
{
    m_nEapMethod = block.nEapMethod;
    if (auto const index = wlan::profile::tunnel_index(EAP_PEAP, std::uint32_t(block.nTunnel)))
        m_nTunnelIndex = *index;
    if (auto const index = wlan::profile::tunnel_index(EAP_TTLS, std::uint32_t(block.nTtlsTunnel)))
        m_nTtlsTunnelIndex = *index;
    ApplyEapMethod(m_nEapMethod);
    m_bSessionResumption = block.nSessionResumption;
    m_SubTabValues = block;
    m_PacRows.assign(pacs, pacs + (pacs && pac_count > 0 ? pac_count : 0));
    m_nSsoBits = sso_bits & wlan::profile::kProfSsoMask;
}
