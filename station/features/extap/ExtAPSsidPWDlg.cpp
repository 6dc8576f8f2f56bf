#include "station/features/extap/ExtAPSsidPWDlg.h"

#include "platform/framework/DataExchange.h"
#include "station/features/extap/ExtAPRecord.h"

#include <cstdio>
#include <cstring>

CExtAPSsidPWDlg::CExtAPSsidPWDlg(ExtAPPromptBackend& backend, CWnd* pParent)
    : CDialog(backend.template_id(), pParent)
    , m_backend(backend)
{
}

void CExtAPSsidPWDlg::SetExtAPConfig(ExtAPConfig config)
{
    std::memset(&m_config, 0, sizeof m_config);
    std::memcpy(&m_config, &config, sizeof m_config);
}

void CExtAPSsidPWDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SSID, m_editSSID);
    DDX_Control(pDX, IDC_KEY, m_editKey);
    if (m_backend.shaded_buttons()) {
        DDX_Control(pDX, m_backend.ok_id(), m_btnOK);
        DDX_Control(pDX, m_backend.cancel_id(), m_btnCancel);
    }
    DDX_Text(pDX, IDC_SSID, m_strSSID);
    DDX_Text(pDX, IDC_KEY, m_strKey);
}

BOOL CExtAPSsidPWDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(m_backend.char_set()), 0, 0, 0, 0,
        m_backend.face_name().c_str());
    init_texts();
    init_buttons();
    // The key may hold any character; the edits count bytes, so a cut never splits one.
    m_editSSID.SetAcceptedClasses(CSmartEdit::kAllClasses);
    m_editKey.SetAcceptedClasses(CSmartEdit::kAllClasses);
    m_editSSID.SendMessage(EM_LIMITTEXT, kSsidLimit);
    m_editKey.SendMessage(EM_LIMITTEXT, kKeyLimit);
    propose_ssid();
    m_strKey.Empty();
    UpdateData(FALSE);
    return TRUE;
}

void CExtAPSsidPWDlg::init_texts()
{
    struct Label {
        int id;
        ExtAPText key;
    };
    for (Label const& l : { Label { IDC_PROMPT, ExtAPText::Prompt }, Label { IDC_SSID_LABEL, ExtAPText::SsidLabel },
             Label { IDC_KEY_LABEL, ExtAPText::KeyLabel } })
        SetDlgItemText(l.id, m_backend.text(l.key).c_str());
    for (int id : { int(IDC_PROMPT), int(IDC_SSID_LABEL), int(IDC_SSID), int(IDC_KEY_LABEL), int(IDC_KEY) }) {
        if (CWnd* control = GetDlgItem(id))
            control->SetFont(&m_font);
    }
}

void CExtAPSsidPWDlg::init_buttons()
{
    if (!m_backend.shaded_buttons())
        return;
    struct Face {
        CShadeButtonST& button;
        ExtAPText key;
    };
    for (Face const& f : { Face { m_btnOK, ExtAPText::Ok }, Face { m_btnCancel, ExtAPText::Cancel } }) {
        f.button.SetWindowText(m_backend.text(f.key).c_str());
        f.button.m_bLeftAlignedText = FALSE;
        f.button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
        f.button.SetFont(&m_font);
    }
}

// "SoftAP-" and the hexadecimal of the address's last byte plus one, wrapping at 256.
void CExtAPSsidPWDlg::propose_ssid()
{
    BYTE mac[6] {};
    m_backend.query_mac(mac);
    char ssid[16];
    std::snprintf(ssid, sizeof ssid, "SoftAP-%02X", (mac[5] + 1) & 0xFF);
    m_strSSID = ssid;
}

BOOL CExtAPSsidPWDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int const id = LOWORD(wParam);
    bool const clicked = HIWORD(wParam) == BN_CLICKED;
    // Standard OK and Cancel (ids 1 and 2) reach OnOK and OnCancel through the dialog itself.
    if (clicked && id == m_backend.ok_id() && id != IDOK) {
        OnOK();
        return TRUE;
    }
    if (clicked && id == m_backend.cancel_id() && id != IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

bool CExtAPSsidPWDlg::check_entries()
{
    if (m_strSSID.IsEmpty()) {
        m_backend.show_refusal(ExtAPText::SsidMissing);
        return false;
    }
    if (!IsValidWpaPsk(m_strKey.str())) {
        m_backend.show_refusal(ExtAPText::KeyInvalid);
        return false;
    }
    return true;
}

// The channel, the address and the reserved bytes stay as they were handed in.
void CExtAPSsidPWDlg::OnOK()
{
    if (!UpdateData(TRUE) || !check_entries())
        return;
    SetExtAPSsid(m_config, m_strSSID.str());
    SetExtAPKey(m_config, m_strKey.str());
    m_config.MaxPeers = kMaxPeers;
    m_backend.write_record(m_config);
    EndDialog(IDOK);
}

void CExtAPSsidPWDlg::OnCancel() { EndDialog(IDCANCEL); }
