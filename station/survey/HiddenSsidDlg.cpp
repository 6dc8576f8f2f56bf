#include "station/survey/HiddenSsidDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"

BEGIN_MESSAGE_MAP(CHiddenSsidDlg, CResizeDlg)
ON_WM_SHOWWINDOW()
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_BN_CLICKED(CHiddenSsidDlg::IDC_OK, OnClickOK)
ON_BN_CLICKED(CHiddenSsidDlg::IDC_CANCEL, OnClickCancel)
END_MESSAGE_MAP()

CHiddenSsidDlg::CHiddenSsidDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CHiddenSsidDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SSID, m_editSSID);
    DDX_Control(pDX, IDC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_SSID, m_strSSID);
}

BOOL CHiddenSsidDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, IDC_PROMPT), G_UiStr.IDS_HIDDEN_TEXT);
    for (int id : { IDC_PROMPT, IDC_SSID })
        if (CWnd* control = GetDlgItem(id))
            control->SetFont(&m_font);
    m_editSSID.SendMessage(EM_LIMITTEXT, kSsidLimit);
    set_up_buttons();
    return TRUE;
}

void CHiddenSsidDlg::set_up_buttons()
{
    struct Face {
        CShadeButtonST& button;
        std::string const& text;
    };
    for (Face const& f : { Face { m_btnOK, G_UiStr.IDS_OK }, Face { m_btnCancel, G_UiStr.IDS_CANCEL } }) {
        f.button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
        f.button.SetWindowText(f.text.c_str());
        f.button.SetFont(&m_font);
    }
}

void CHiddenSsidDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    m_strSSID.Empty();
    UpdateData(FALSE);
    m_editSSID.SetFocus();
}

void CHiddenSsidDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CHiddenSsidDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

// The prompt stays up: the window hides it once it has read the name.
void CHiddenSsidDlg::OnOK()
{
    UpdateData(TRUE);
    if (m_strSSID.IsEmpty()) {
        ShowMessageBox(G_UiStr.IDS_HIDDEN_TEXT);
        return;
    }
    TraceMsg(TRACE_STEP, "[Kivra] CHiddenSsidDlg::OnOK\n");
    ::SendMessage(hide_dlg_services().config_window(), MSG_SHOW_HIDDENSSID, 0, 1);
}

void CHiddenSsidDlg::OnCancel()
{
    ::SendMessage(hide_dlg_services().config_window(), MSG_SHOW_HIDDENSSID, 0, 0);
    CResizeDlg::OnCancel();
}
