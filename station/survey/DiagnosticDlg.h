// The self-diagnosis dialog, run modally from the tray: a local test that checks the
// utility's libraries, the driver, the adapter and the profiles, and a network test that pings
// the gateway (through the diagnostics library "Pranto" on older systems, through the
// system's ping command on newer ones). Each step writes a time-stamped, coloured line into a
// two-column list. User-interface thread only; both tests run to their end inside the button
// handler.
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/GdiObjects.h"
#include "station/controls/CQuickList.h"
#include "station/controls/Separator.h"
#include "station/controls/ShadeButtonST.h"
#include "station/survey/PingScript.h"
#include "wlan/api/Pranto.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace station::survey {

// The diagnostics library's exports: loaded at the dialog's first opening and kept for the
// process, so every later opening uses them again. A missing library or export stays empty.
struct PrantoExports {
    HMODULE module {};
    PRANTO_raOpenAdapter_t open {};
    PRANTO_raCloseAdapter_t close {};
    PrantoAction_t action {};
    ClientRptAction_t report {};
    PRANTO_GetWinOS_t win_os {};
};
PrantoExports& DiagnosticsLibrary();

}

class CDiagnosticDlg : public CDialog {
public:
    enum { IDD = 439 };
    enum Control : int {
        IDC_TITLE = 1585,
        IDC_LIST = 1586,
        IDC_NETWORK_TEST = 1587,
        IDC_CLEAR = 1588,
        IDC_CLOSE = 1589,
        IDC_LOCAL_TEST = 1621,
    };
    // The verdict colours of the local test (COLORREF, red in the low byte).
    static constexpr COLORREF kPass = 0x00FF0000;
    static constexpr COLORREF kFail = 0x000000FF;
    static constexpr COLORREF kWarn = 0x000080FF;

    struct ResultRow {
        std::string time;
        std::string description;
        COLORREF colour { CLR_DEFAULT };
    };

    explicit CDiagnosticDlg(CWnd* pParent = nullptr);
    ~CDiagnosticDlg() override;

    std::vector<ResultRow> const& Rows() const { return m_arrResults; }
    // Tests give the network test a runner of their own.
    void SetPingRunnerFactory(std::function<std::unique_ptr<station::survey::PingScriptRunner>()> factory);

    // The profile count and how many of them may run the diagnosis.
    static void CountProfiles(int& total, int& diagnostic);

    afx_msg void OnLocalTest();
    afx_msg void OnNetworkTest();
    afx_msg void OnClear();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnCloseButton();
    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void AddResultLine(std::string const& text, COLORREF colour = CLR_DEFAULT);
    void RefreshList();
    void init_list();
    void init_buttons();
    void add_version_line(std::string const& file);
    void add_verdict(COLORREF colour, bool pause);
    void pranto_ping();
    bool script_ping();

    std::vector<ResultRow> m_arrResults;
    HMODULE m_hPranto {};
    CFont m_font;
    CSeparator m_title;
    CQuickList m_list;
    CShadeButtonST m_btnClose;
    CShadeButtonST m_btnClear;
    CShadeButtonST m_btnNetworkTest;
    CShadeButtonST m_btnLocalTest;
    std::function<std::unique_ptr<station::survey::PingScriptRunner>()> m_makeRunner;
};
