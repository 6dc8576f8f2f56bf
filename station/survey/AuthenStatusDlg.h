// The authentication progress window of the configuration window's lower area: time-stamped
// lines of an authentication as the status callback announces them, the adapter's description
// and the active profile, and a Stop button that ends the authentication.
//
// The lines arrive through the process-wide ring (station/core/AuthStatusRing.h): a posted
// WM_AUTH_STATUS_LINE names the slot to read, which is read under the ring's lock. A slot
// holding exactly "OK" ends a run of lines: the ring is emptied and the window asks to give
// its place back to link status; the lines listed so far stay until the next Reset.
// While its window exists it is the window the progress lines are posted to.
#pragma once

#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/Separator.h"
#include "station/controls/ShadeButtonST.h"

#include <vector>

class CAuthenStatusDlg : public CResizeDlg {
public:
    enum { IDD = 432 };
    enum Control : int {
        IDC_HEADING = 1498,
        IDC_CARDNAME = 1027,
        IDC_PROFILENAME = 1499,
        IDC_LIST = 1497,
        IDC_STOP = 1372,
        IDC_OK = 1331,
    };
    enum : UINT_PTR { TIMER_REFRESH = 1 };
    static constexpr UINT kRefreshMs = 20;
    // The pause after each listed line, on the platform clock.
    static constexpr DWORD kLinePauseMs = 100;

    explicit CAuthenStatusDlg(CWnd* pParent = nullptr);

    // Adds one line to the progress shown; an empty one reads "NULL STRING".
    void AppendLine(const char* line);
    // Empties the lines and the ring, and reads the adapter's description and the active
    // profile again.
    void Reset();

    struct Line {
        CString time;
        CString text;
    };
    std::vector<Line> const& Lines() const { return m_lines; }
    int CurrentSlot() const { return m_nCurrentSlot; }
    int LineCount() const { return m_nLineCount; }

    CString m_strCardName;
    CString m_strProfileName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnStop();
    afx_msg void OnClickOK();
    afx_msg LRESULT OnStatusLine(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void set_up_list();
    void set_up_buttons();
    void read_adapter_texts();
    void send_to_window(LPARAM lParam) const;

    CSeparator m_heading;
    CQuickList m_list;
    CShadeButtonST m_btnStop;
    CShadeButtonST m_btnOK;
    CFont m_font;
    std::vector<Line> m_lines;
    int m_nCurrentSlot {};
    int m_nLineCount {};
    UINT_PTR m_nTimer {};
};
