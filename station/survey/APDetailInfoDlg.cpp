// [SECTION] index: entry copy, creation of the tabs, showing and filling, painting and Close.
#include "station/survey/APDetailInfoDlg.h"

#include "station/controls/CTabDialog.h"
#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageWPSStatusDlg.h"
#include "station/survey/APDetailTexts.h"
#include "station/survey/DetailTab.h"
#include "station/survey/LinkStatusTexts.h"
#include "station/survey/Page80211nDlg.h"
#include "station/survey/PageCCXDlg.h"
#include "station/survey/PageGeneralDlg.h"

#include "wlan/api/Records.h"

#include <algorithm>
#include <cstring>

using namespace station::survey;

namespace {

// One tab: where its button goes, the button's id and text, the page's template. In page
// order; the places put the buttons left to right as General, WPS, 802.11n, CCX.
struct TabSpec {
    int place;
    UINT button_id;
    std::string const CUISTR::*text;
    UINT page_idd;
};
constexpr TabSpec kTabs[CAPDetailInfoDlg::kPageCount] = {
    { CAPDetailInfoDlg::IDC_PLACE_GENERAL, 159, &CUISTR::IDS_GENERAL, 158 },
    { CAPDetailInfoDlg::IDC_PLACE_WPS, 164, &CUISTR::IDS_TAB_WPS, 161 },
    { CAPDetailInfoDlg::IDC_PLACE_CCX, 165, &CUISTR::IDS_TAB_CCX_CONFIG, 163 },
    { CAPDetailInfoDlg::IDC_PLACE_80211N, 174, &CUISTR::IDS_TAB_80211N, 173 },
};

constexpr DWORD kTabButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr COLORREF kLightBlue = RGB(166, 202, 240);

}

BEGIN_MESSAGE_MAP(CAPDetailInfoDlg, CResizeDlg)
ON_WM_SHOWWINDOW()
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_BN_CLICKED(CAPDetailInfoDlg::IDC_CLOSE, OnBtnClose)
END_MESSAGE_MAP()

CAPDetailInfoDlg::CAPDetailInfoDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

// The buttons, then the pages, then the host that held them.
CAPDetailInfoDlg::~CAPDetailInfoDlg()
{
    for (auto& button : m_btnTabs)
        button.reset();
    m_pGeneral.reset();
    m_pWps.reset();
    m_pCcx.reset();
    m_p80211n.reset();
    m_pTabDlg.reset();
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

void CAPDetailInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLOSE, m_btnClose);
}

// [SECTION] Creation of the tabs

BOOL CAPDetailInfoDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_htTable.Build();
    m_pTabDlg = std::make_unique<CTabDialog>(CTabDialog::IDD, this);
    if (!m_pTabDlg->Create(CTabDialog::IDD, this))
        return FALSE;
    if (!create_tabs())
        return FALSE;
    place_tab_host();
    set_up_close_button();
    return TRUE;
}

BOOL CAPDetailInfoDlg::CreatePage(CResizeDlg& page, UINT idd, CWnd* host)
{
    return page.Create(idd, host);
}

BOOL CAPDetailInfoDlg::create_tabs()
{
    CRect desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    CreateDetailFont(m_fontTab, desktop.bottom < kSmallDesktopHeight ? 16 : 20);
    m_pGeneral = std::make_unique<CPageGeneralDlg>();
    m_pWps = std::make_unique<CPageWPSStatusDlg>();
    m_pCcx = std::make_unique<CPageCCXDlg>();
    m_p80211n = std::make_unique<CPage80211nDlg>();
    for (int page = 0; page < kPageCount; ++page) {
        if (!create_tab(page))
            return FALSE;
    }
    return TRUE;
}

// The button at its place on the host, shaded, then its page, then both registered.
BOOL CAPDetailInfoDlg::create_tab(int page)
{
    TabSpec const& spec = kTabs[page];
    auto button = std::make_unique<CShadeButtonST>();
    if (!button->Create((G_UiStr.*spec.text).c_str(), kTabButtonStyle, placeholder(spec.place), m_pTabDlg.get(),
            spec.button_id))
        return FALSE;
    button->SetFont(&m_fontTab);
    button->ConfigureShading(4, 8, 40, 5, 0, RGB(180, 180, 180), RGB(0, 255, 0));
    button->ChooseImageSide(CButtonST::ImageAbove, TRUE);
    m_btnTabs[std::size_t(page)] = std::move(button);
    CResizeDlg* const pages[] = { m_pGeneral.get(), m_pWps.get(), m_pCcx.get(), m_p80211n.get() };
    if (!CreatePage(*pages[page], spec.page_idd, m_pTabDlg.get()))
        return FALSE;
    return m_pTabDlg->AddPage(pages[page], m_btnTabs[std::size_t(page)].get());
}

// The host spans the dialog from 2 pixels below its top to the bottom of the page area; the
// pages fill the page area, the General page in front.
void CAPDetailInfoDlg::place_tab_host()
{
    CRect client;
    GetClientRect(&client);
    CRect const area = placeholder(IDC_PAGE_AREA);
    m_pTabDlg->SetWindowPos(nullptr, 0, 2, client.Width(), area.bottom, SWP_NOZORDER | SWP_SHOWWINDOW);
    m_pTabDlg->MovePages(area, PAGE_GENERAL);
}

void CAPDetailInfoDlg::set_up_close_button()
{
    m_btnClose.MoveWindow(placeholder(IDC_CLOSE));
    m_btnClose.SetWindowText(G_UiStr.IDS_BTN_CLOSE.c_str());
    m_btnClose.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    m_btnClose.SetFont(&m_fontTab);
}

CRect CAPDetailInfoDlg::placeholder(int id) const
{
    CRect rect;
    HWND const control = ::GetDlgItem(m_hWnd, id);
    ::GetWindowRect(control, &rect);
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect.left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect.right));
    return rect;
}

// [SECTION] Showing and filling

void CAPDetailInfoDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow || !m_pTabDlg || !m_btnTabs[PAGE_GENERAL])
        return;
    m_btnTabs[PAGE_GENERAL]->SendMessage(BM_CLICK);
    fill_pages();
}

// Every page from the entry's digest; without an entry the pages keep what they show.
void CAPDetailInfoDlg::fill_pages()
{
    if (!m_pBssidEntry || !m_p80211n)
        return;
    IE_INFO_WPA digest {};
    G_VxWlLib.VXWL_ParseInfoElement(m_pBssidEntry, &digest);
    fill_general(*m_pBssidEntry, digest);
    fill_ccx(digest);
    fill_wps(digest);
    fill_80211n(digest);
}

void CAPDetailInfoDlg::fill_general(NDIS_WLAN_BSSID_EX const& entry, IE_INFO_WPA const& digest)
{
    int const channel = G_VxWlLib.VXWL_FrequencyToChannel(entry.DSConfig);
    GeneralTexts const t = BuildGeneralTexts(entry, digest, channel, G_VxWlLib.VXWL_GetWinOS(), m_htTable);
    CPageGeneralDlg& page = *m_pGeneral;
    page.m_strSsid = t.ssid.c_str();
    page.m_strMac = t.mac.c_str();
    page.m_strAuthentication = t.authentication.c_str();
    page.m_strEncryption = t.encryption.c_str();
    page.m_strChannel = t.channel.c_str();
    page.m_strNetworkType = t.network_type.c_str();
    page.m_strBeaconInterval = t.beacon_interval.c_str();
    page.m_strMdid = t.mdid.c_str();
    page.m_strRates = t.rates.c_str();
    page.ShowMdid(t.show_mdid);
    fill_signal(entry.Rssi);
    page.UpdateData(FALSE);
}

void CAPDetailInfoDlg::fill_signal(std::int32_t rssi)
{
    int const percent = G_VxWlLib.VXWL_RssiToPercent(rssi);
    CProgressCtrlX& bar = m_pGeneral->SignalBar();
    if (auto const colour = QualityColour(static_cast<std::uint32_t>(percent)))
        bar.SetColors(3, *colour, kLightBlue, *colour);
    bar.SetPos(percent);
}

void CAPDetailInfoDlg::fill_ccx(IE_INFO_WPA const& digest)
{
    auto const texts = CcxTexts(digest);
    for (std::size_t i = 0; i < texts.size(); ++i)
        m_pCcx->m_strTexts[i] = texts[i].c_str();
    m_pCcx->UpdateData(FALSE);
    m_btnTabs[PAGE_CCX]->ShowWindow(SW_HIDE);
}

void CAPDetailInfoDlg::fill_wps(IE_INFO_WPA const& digest)
{
    CPageGeneralDlg const& general = *m_pGeneral;
    auto const texts = WpsTexts(digest, general.m_strAuthentication.GetString(), general.m_strEncryption.GetString());
    for (std::size_t i = 0; i < texts.size(); ++i)
        m_pWps->m_strTexts[i] = texts[i].c_str();
    m_pWps->UpdateData(FALSE);
}

void CAPDetailInfoDlg::fill_80211n(IE_INFO_WPA const& digest)
{
    m_p80211n->m_strTexts = HtTexts(digest);
    m_p80211n->FillList();
    bool const ht = m_p80211n->m_strTexts.back() == "TRUE";
    m_btnTabs[PAGE_80211N]->ShowWindow(ht ? SW_SHOW : SW_HIDE);
}

// [SECTION] Painting and Close

void CAPDetailInfoDlg::OnPaint()
{
    PaintTopLine(*this);
}

LRESULT CAPDetailInfoDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

void CAPDetailInfoDlg::OnBtnClose()
{
    ::SendMessage(::GetParent(m_hWnd), MSG_SHOW_WPSINFO, 0, 0);
}
