#include "station/profiles/EapBlockCollect.h"

#include "station/profiles/Page8021XDlg.h"
#include "wlan/profile/ProfileCodes.h"

// The tab's list positions become the profile's tunnel codes; a position the list does not
// hold leaves the code.
void Collect8021XBlock(CPage8021XDlg const& tab, EAP_SETTING_DATA& e)
{
    EAP_SETTING_DATA const& sub = tab.m_SubTabValues;
    e.nEapMethod = tab.m_nEapMethod;
    if (auto const code = wlan::profile::tunnel_code(EAP_PEAP, tab.m_nTunnelIndex))
        e.nTunnel = int(*code);
    if (auto const code = wlan::profile::tunnel_code(EAP_TTLS, tab.m_nTtlsTunnelIndex))
        e.nTtlsTunnel = int(*code);
    e.nSessionResumption = tab.m_bSessionResumption;
    e.bCacheUserInfo = sub.bCacheUserInfo;
    e.nIDModeIndex = sub.nIDModeIndex;
    e.strIdentity = sub.strIdentity;
    e.strPassword = sub.strPassword;
    e.nPasswordMode = sub.nPasswordMode;
    e.strDomainName = sub.strDomainName;
    e.bClientCert = sub.bClientCert;
    e.bClientCertInSmartCard = sub.bClientCertInSmartCard;
    CopyEapBlob(e.UserCert, sub.UserCert);
    e.bServerCert = sub.bServerCert;
    e.bIntermediateCert = sub.bIntermediateCert;
    e.nServerNameRule = sub.nServerNameRule;
    e.strServerName = sub.strServerName;
    CopyEapBlob(e.CACert, sub.CACert);
    e.bProvision = sub.bProvision;
    e.bPAC = sub.bPAC;
    e.nProvisioningTunnel = sub.nProvisioningTunnel;
    e.strPACFilePath = sub.strPACFilePath;
}
