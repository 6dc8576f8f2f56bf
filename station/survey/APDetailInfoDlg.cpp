#include "station/survey/APDetailInfoDlg.h"

#include "wlan/api/Records.h"

#include <algorithm>
#include <cstring>

CAPDetailInfoDlg::CAPDetailInfoDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CAPDetailInfoDlg::SetBssidEntry(NDIS_WLAN_BSSID_EX const* entry, std::size_t length)
{
    if (!entry) {
        m_entryCopy.clear();
        m_pBssidEntry = nullptr;
        return;
    }
    // The copy always holds a whole fixed part, so the dialog may read every field of it.
    m_entryCopy.assign(std::max<std::size_t>(length, NDIS_WLAN_BSSID_EX_FIXED), 0);
    std::memcpy(m_entryCopy.data(), entry, std::min<std::size_t>(length, m_entryCopy.size()));
    m_pBssidEntry = reinterpret_cast<NDIS_WLAN_BSSID_EX*>(m_entryCopy.data());
}
