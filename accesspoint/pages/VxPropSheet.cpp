#include "accesspoint/pages/VxPropSheet.h"

#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/SheetModalGuard.h"
#include "platform/framework/ResourceApi.h"
#include "platform/framework/WinApp.h"
#include "platform/system/Locale.h"
#include "platform/system/Shell.h"

namespace hotvane {

namespace {

constexpr LANGID kTraditionalChinese = 1028;
constexpr int kNewerSystems = 10;
constexpr DWORD kSheetFlags = PSH_NOAPPLYNOW | PSH_USEHICON | PSH_MODELESS;

void open_help(HWND owner, std::string const& path)
{
    ::ShellExecute(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}

BEGIN_MESSAGE_MAP(CVxPropSheet, CPropertySheet)
ON_MESSAGE(WM_HELP, OnHelp)
ON_COMMAND(IDHELP, OnHelpButton)
END_MESSAGE_MAP()

CVxPropSheet::CVxPropSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    m_psh.dwFlags |= kSheetFlags;
    m_psh.hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(kSheetIcon));
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*> { &m_pageConfig, &m_pageAccessControl, &m_pageMacTable,
             &m_pageEventLog, &m_pageStatistic, &m_pageAbout })
        AddPage(page);
}

CVxPropSheet::~CVxPropSheet()
{
    if (m_hWnd)
        DestroyWindow();
}

// Help stays enabled; it shows only when the help file is there.
BOOL CVxPropSheet::OnInitDialog()
{
    BOOL const result = CPropertySheet::OnInitDialog();
    if (CWnd* help = GetDlgItem(IDHELP)) {
        help->ShowWindow(G_VxApApi.VXAP_IsFileExist(HelpFilePath().c_str()) ? SW_SHOW : SW_HIDE);
        help->EnableWindow(TRUE);
    }
    SetTabCaptions();
    return result;
}

std::string CVxPropSheet::caption_of(CPropertyPage* page) const
{
    if (dynamic_cast<CConfigPage*>(page))
        return G_UiStr.IDS_TAB_CONFIG;
    if (dynamic_cast<CAccessControlPage*>(page))
        return G_UiStr.IDS_TAB_ACCESSCONTROL;
    if (dynamic_cast<CMacTablePage*>(page))
        return G_UiStr.IDS_TAB_MACTABLE;
    if (dynamic_cast<CEventLogPage*>(page))
        return G_UiStr.IDS_TAB_EVENTLOG;
    if (dynamic_cast<CStatisticPage*>(page))
        return G_UiStr.IDS_TAB_STATISTICS;
    if (dynamic_cast<CBlockAck*>(page))
        return G_UiStr.IDS_TAB_BLOCK_ACK;
    if (dynamic_cast<CAboutPage*>(page))
        return G_UiStr.IDS_TAB_ABOUT;
    return {};
}

void CVxPropSheet::SetTabCaptions()
{
    CTabCtrl* tabs = GetTabControl();
    if (!tabs || !tabs->m_hWnd)
        return;
    for (int i = 0; i < GetPageCount(); ++i) {
        std::string text = caption_of(GetPage(i));
        TCITEM item {};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        tabs->SetItem(i, &item);
    }
}

int CVxPropSheet::block_ack_index() const
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (dynamic_cast<CBlockAck*>(GetPage(i)))
            return i;
    return -1;
}

// While a page runs a modal loop the block acknowledgement page stays, even when it is no
// longer offered: it goes on the first refresh after the loop ends.
void CVxPropSheet::RefreshPages()
{
    if (G_VxApApi.VXAP_Is80211NSupport() && G_VxApApi.Page11nSetting) {
        if (GetPageCount() >= 1 && block_ack_index() < 0) {
            AddPage(&m_pageBlockAck);
            SetTabCaptions();
        }
        return;
    }
    int const index = block_ack_index();
    if (index >= 0 && CSheetModalGuard::count() == 0)
        RemovePage(index);
}

std::string CVxPropSheet::HelpFilePath()
{
    CWinApp const* app = AfxGetApp();
    std::string const help = app && app->m_pszHelpFilePath ? app->m_pszHelpFilePath : "";
    std::size_t const cut = help.rfind('\\');
    if (cut == std::string::npos)
        return {};
    bool const chinese = G_VxApApi.VXAP_GetWinOS() < kNewerSystems && GetSystemDefaultLangID() == kTraditionalChinese;
    return help.substr(0, cut + 1) + "APCONFIG" + (chinese ? "CHN.chm" : "ENG.chm");
}

// F1: the help file, unless a window titled with its path is open already.
LRESULT CVxPropSheet::OnHelp(WPARAM, LPARAM)
{
    std::string const path = HelpFilePath();
    if (G_VxApApi.VXAP_IsFileExist(path.c_str()) && !::FindWindow(nullptr, path.c_str()))
        open_help(m_hWnd, path);
    return TRUE;
}

// An empty title (a string table without the key) would match any untitled window.
void CVxPropSheet::OnHelpButton()
{
    for (const char* title : { kHelpWindowTitle, kHtmlHelpTitle, G_UiStr.IDS_APCONFIG_HELP.c_str() })
        if (*title && ::FindWindow(nullptr, title))
            return;
    open_help(m_hWnd, HelpFilePath());
}

}
