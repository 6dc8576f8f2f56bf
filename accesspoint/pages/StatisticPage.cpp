#include "accesspoint/pages/StatisticPage.h"

#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "platform/framework/DataExchange.h"
#include "wlan/api/Records.h"

#include <cstdint>

namespace hotvane {

namespace {

constexpr int kNewerSystems = 10;
constexpr char kEquals[] = "=";

std::uint64_t counter(AP_WLAN_STATUS const& status, std::uint32_t offset) { return status.Counters[offset / 8]; }

// The 64-bit counters are unsigned: a signed format would show a negative number past 2^63.
CString count_text(std::uint64_t value)
{
    CString text;
    text.Format("%llu", static_cast<unsigned long long>(value));
    return text;
}

CString count_text(std::uint32_t value)
{
    CString text;
    text.Format("%u", value);
    return text;
}

}

BEGIN_MESSAGE_MAP(CStatisticPage, CPropertyPage)
ON_WM_TIMER()
ON_BN_CLICKED(CStatisticPage::IDC_RESET, OnReset)
END_MESSAGE_MAP()

CStatisticPage::CStatisticPage()
    : CPropertyPage(IDD)
{
}

void CStatisticPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    struct Row {
        int id;
        CString& text;
    };
    Row const rows[] = { { IDC_TX_GROUP, m_strTxGroup }, { IDC_RX_GROUP, m_strRxGroup }, { IDC_TXOK_LABEL, m_strTxOkLabel },
        { IDC_TXOK, m_strTxOk }, { IDC_TXALLRETRY_LABEL, m_strTxAllRetryLabel }, { IDC_TXALLRETRY, m_strTxAllRetry },
        { IDC_TXRETRY_LABEL, m_strTxRetryLabel }, { IDC_TXRETRY, m_strTxRetry }, { IDC_RTSOK_LABEL, m_strRtsOkLabel },
        { IDC_RTSOK_EQUALS, m_strRtsOkEquals }, { IDC_RTSOK, m_strRtsOk }, { IDC_RTSFAIL_LABEL, m_strRtsFailLabel },
        { IDC_RTSFAIL_EQUALS, m_strRtsFailEquals }, { IDC_RTSFAIL, m_strRtsFail }, { IDC_TXNORETRY_LABEL, m_strTxNoRetryLabel },
        { IDC_TXNORETRY, m_strTxNoRetry }, { IDC_RXOK_LABEL, m_strRxOkLabel }, { IDC_RXOK, m_strRxOk },
        { IDC_RXCRC_LABEL, m_strRxCrcLabel }, { IDC_RXCRC, m_strRxCrc }, { IDC_DROP_LABEL, m_strDropLabel }, { IDC_DROP, m_strDrop },
        { IDC_RXDUP_LABEL, m_strRxDupLabel }, { IDC_RXDUP, m_strRxDup } };
    for (Row const& row : rows)
        DDX_Text(pDX, row.id, row.text);
}

BOOL CStatisticPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    set_labels();
    SetDlgItemText(IDC_RESET, G_UiStr.IDS_STA_RESETCOUNTER.c_str());
    UpdateData(FALSE);
    return TRUE;
}

// The RTS rows' labels and separators only when their options are on; otherwise the whole row
// stays blank.
void CStatisticPage::set_labels()
{
    m_strTxGroup = G_UiStr.IDS_STA_TX.c_str();
    m_strRxGroup = G_UiStr.IDS_STA_RX.c_str();
    m_strTxOkLabel = G_UiStr.IDS_STA_TXOK.c_str();
    m_strTxAllRetryLabel = G_UiStr.IDS_STA_TXOKALLRETRY.c_str();
    m_strTxRetryLabel = G_UiStr.IDS_STA_TXOKRETRY.c_str();
    m_strTxNoRetryLabel = G_UiStr.IDS_STA_TXOKNORETRY.c_str();
    m_strRxOkLabel = G_UiStr.IDS_STA_RXOK.c_str();
    m_strRxCrcLabel = G_UiStr.IDS_STA_RXCRC.c_str();
    m_strDropLabel = G_UiStr.IDS_STA_DROP.c_str();
    m_strRxDupLabel = G_UiStr.IDS_STA_RXDUPLI.c_str();
    if (G_VxApApi.RTSSuccessCount == 1) {
        m_strRtsOkLabel = G_UiStr.IDS_STA_RTSOK.c_str();
        m_strRtsOkEquals = kEquals;
    }
    if (G_VxApApi.RTSFailureCount == 1) {
        m_strRtsFailLabel = G_UiStr.IDS_STA_RTSFAIL.c_str();
        m_strRtsFailEquals = kEquals;
    }
}

BOOL CStatisticPage::OnSetActive()
{
    SetTimer(kTimer, kRefreshMs);
    return CPropertyPage::OnSetActive();
}

BOOL CStatisticPage::OnKillActive()
{
    KillTimer(kTimer);
    return CPropertyPage::OnKillActive();
}

void CStatisticPage::OnTimer(UINT_PTR) { RefreshCounters(); }

// The query's answer is not tested: a failed one shows the zeros of the cleared record.
void CStatisticPage::RefreshCounters()
{
    AP_WLAN_STATUS status {};
    G_VxApApi.VXAP_QueryApWLANStatus(&status);
    std::uint64_t const tx_ok = counter(status, COUNTER_TX_OK);
    std::uint64_t const tx_retried = counter(status, COUNTER_TX_OK_RETRIED);
    m_strTxOk = count_text(tx_ok);
    m_strTxAllRetry = count_text(counter(status, COUNTER_TX_FAILED_ACK));
    m_strTxRetry = count_text(tx_retried);
    m_strTxNoRetry.Format("%lld", static_cast<long long>(tx_ok - tx_retried));
    if (G_VxApApi.RTSSuccessCount == 1)
        m_strRtsOk = count_text(counter(status, COUNTER_RTS_OK));
    if (G_VxApApi.RTSFailureCount == 1)
        m_strRtsFail = count_text(counter(status, COUNTER_RTS_FAILED));
    m_strRxOk = G_VxApApi.VXAP_GetWinOS() >= kNewerSystems ? count_text(status.RxOk) : count_text(status.RxOkLegacy);
    m_strRxCrc = count_text(counter(status, COUNTER_RX_CRC));
    m_strDrop = count_text(status.RxDropped);
    m_strRxDup = count_text(counter(status, COUNTER_RX_DUPLICATE));
    UpdateData(FALSE);
}

// Zeros at once, before the library is told and before the next refresh.
void CStatisticPage::OnReset()
{
    for (CString* value : { &m_strTxAllRetry, &m_strTxRetry, &m_strTxOk, &m_strTxNoRetry, &m_strRxCrc, &m_strDrop, &m_strRxDup, &m_strRxOk })
        *value = "0";
    if (G_VxApApi.RTSSuccessCount == 1)
        m_strRtsOk = "0";
    if (G_VxApApi.RTSFailureCount == 1)
        m_strRtsFail = "0";
    UpdateData(FALSE);
    G_VxApApi.VXAP_ResetStatisticsCounter();
}

}
