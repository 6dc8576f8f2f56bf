// The access point utility's configuration window: a modeless property sheet with one tab per
// page (configuration, access control, station table, event log, statistics, about, and on
// 802.11n adapters block acknowledgement at the end). It shows only a Help button, when the
// help file is there; Escape or the close box destroys its window, and its owner, the hidden
// dialog, deletes the object. The hidden dialog calls RefreshPages every tick, which adds or
// removes the block acknowledgement tab as the adapter and the options allow.
#pragma once

#include "accesspoint/pages/AboutPage.h"
#include "accesspoint/pages/EventLogPage.h"
#include "accesspoint/pages/MacTablePage.h"
#include "accesspoint/pages/AccessControlPage.h"
#include "accesspoint/pages/BlockAckPage.h"
#include "accesspoint/pages/ConfigPage.h"
#include "accesspoint/pages/StatisticPage.h"
#include "platform/framework/PropertySheet.h"

#include <string>

namespace hotvane {

class CVxPropSheet : public CPropertySheet {
public:
    static constexpr UINT kSheetIcon = 133;
    static constexpr char kHelpWindowTitle[] = "SoftAP Utility Help";
    static constexpr char kHtmlHelpTitle[] = "HTML Help";

    // The pages are added in tab order; the block acknowledgement page waits for RefreshPages.
    CVxPropSheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    // The window goes before the pages it holds do.
    ~CVxPropSheet() override;

    BOOL OnInitDialog() override;
    // Each tab's text from the string table, by its page's class.
    void SetTabCaptions();
    void RefreshPages();
    // The help file: the folder of the application's help file path, then "APCONFIGCHN.chm"
    // on older systems (code below 10) in Traditional Chinese (language 1028), else
    // "APCONFIGENG.chm". Empty when the application has no help file path.
    static std::string HelpFilePath();

    CAboutPage m_pageAbout;
    CConfigPage m_pageConfig;
    CAccessControlPage m_pageAccessControl;
    CMacTablePage m_pageMacTable;
    CEventLogPage m_pageEventLog;
    CStatisticPage m_pageStatistic;
    CBlockAck m_pageBlockAck;

protected:
    afx_msg LRESULT OnHelp(WPARAM wParam, LPARAM lParam);
    afx_msg void OnHelpButton();
    DECLARE_MESSAGE_MAP()

private:
    int block_ack_index() const;
    std::string caption_of(CPropertyPage* page) const;
};

}
