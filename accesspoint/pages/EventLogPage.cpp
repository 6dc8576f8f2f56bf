#include "accesspoint/pages/EventLogPage.h"

#include "accesspoint/core/UiStr.h"
#include "accesspoint/pages/EventArray.h"
#include "accesspoint/pages/PageTexts.h"
#include "platform/framework/DataExchange.h"

#include <algorithm>
#include <cstdio>

namespace hotvane {

namespace {

constexpr DWORD kListStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;

}

BEGIN_MESSAGE_MAP(CEventLogPage, CPropertyPage)
ON_WM_TIMER()
ON_BN_CLICKED(CEventLogPage::IDC_CLEAR, OnClear)
END_MESSAGE_MAP()

CEventLogPage::CEventLogPage()
    : CPropertyPage(IDD)
    , m_strTimeTitle(G_UiStr.IDS_EVENTTIME.c_str())
    , m_strMessageTitle(G_UiStr.IDS_EVENTMSG.c_str())
{
    std::string const* texts[kEventTexts] = { &G_UiStr.IDS_EVENTMSG0, &G_UiStr.IDS_EVENTMSG1, &G_UiStr.IDS_EVENTMSG2,
        &G_UiStr.IDS_EVENTMSG3, &G_UiStr.IDS_EVENTMSG4, &G_UiStr.IDS_EVENTMSG5 };
    for (int i = 0; i < kEventTexts; ++i)
        m_strEventText[i] = texts[i]->c_str();
}

void CEventLogPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_list);
}

BOOL CEventLogPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    InitListCtrl();
    SetDlgItemText(IDC_CLEAR, G_UiStr.IDS_CLEAR.c_str());
    return TRUE;
}

// Widths in tenths of the list's width: 4.0 and 5.9, each cut to whole pixels.
void CEventLogPage::InitListCtrl()
{
    m_list.SetExtendedStyle(kListStyle);
    CRect rect;
    m_list.GetWindowRect(&rect);
    int const tenth = rect.Width() / 10;
    m_list.InsertColumn(0, m_strTimeTitle, LVCFMT_LEFT, static_cast<int>(tenth * 4.0), 0);
    m_list.InsertColumn(1, m_strMessageTitle, LVCFMT_LEFT, static_cast<int>(tenth * 5.9), 1);
}

BOOL CEventLogPage::OnSetActive()
{
    SetTimer(kTimer, kRefreshMs);
    return CPropertyPage::OnSetActive();
}

BOOL CEventLogPage::OnKillActive()
{
    KillTimer(kTimer);
    return CPropertyPage::OnKillActive();
}

void CEventLogPage::OnTimer(UINT_PTR) { AppendEvents(); }

std::string CEventLogPage::TimeText(FILETIME const& time) const
{
    FILETIME local {};
    SYSTEMTIME t {};
    if (!::FileTimeToLocalFileTime(&time, &local) || !::FileTimeToSystemTime(&local, &t))
        return {};
    char text[64] {};
    std::snprintf(text, sizeof text, "%04d / %02d / %02d - %02d : %02d : %02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
        t.wSecond);
    return text;
}

// Code 0 is the access point's own event and names no station; codes 1 to 5 put the station
// first; any other code has no text.
std::string CEventLogPage::MessageText(KT_802_11_EVENT_LOG const& event) const
{
    if (event.Code == 0)
        return m_strEventText[0].GetString();
    if (event.Code >= kEventTexts)
        return {};
    return " " + MacText(event.Mac) + " " + m_strEventText[event.Code].GetString();
}

// The list ends as if every new entry were appended and the first rows then deleted down to
// 100; rows that would go at once are never made, and a list that loses every row is emptied
// in one step, since each row added or deleted redraws the list's scroll bars.
void CEventLogPage::AppendEvents()
{
    INT_PTR const size = G_aryEventLog.GetSize();
    INT_PTR const first_new = std::clamp<INT_PTR>(G_nEventLogShown, 0, size);
    INT_PTR const first_kept = std::max(first_new, size - kMaxRows);
    int const rows = m_list.GetItemCount();
    int const surplus = rows + static_cast<int>(size - first_kept) - kMaxRows;
    if (rows > 0 && surplus >= rows)
        m_list.DeleteAllItems();
    else
        for (int i = 0; i < surplus; ++i)
            m_list.DeleteItem(0);
    for (INT_PTR i = first_kept; i < size; ++i) {
        KT_802_11_EVENT_LOG const& event = G_aryEventLog[i];
        int const row = m_list.InsertItem(m_list.GetItemCount(), TimeText(event.Time).c_str());
        m_list.SetItemText(row, 1, MessageText(event).c_str());
    }
    G_nEventLogShown = static_cast<int>(size);
}

void CEventLogPage::OnClear()
{
    m_list.DeleteAllItems();
    G_aryEventLog.RemoveAll();
    G_nEventLogShown = 0;
}

}
