// CExtAPSsidPWDlg: the modal prompt for the hosted network's SSID and WPA2 pre-shared key that
// both programs show the first time the adapter goes into hosted-network client mode with no
// record stored. It proposes an SSID from the adapter's address, checks the entries, fills the
// record it was handed (keeping its channel, address and reserved bytes), writes it and ends
// with IDOK; Cancel writes nothing and ends with IDCANCEL. What differs between the programs
// comes from its backend (ExtAPPromptBackend.h).
#pragma once

#include "platform/framework/Afx.h"
#include "station/controls/CSmartEdit.h"
#include "station/controls/ShadeButtonST.h"
#include "station/features/extap/ExtAPPromptBackend.h"

class CExtAPSsidPWDlg : public CDialog {
public:
    enum : int {
        IDC_PROMPT = 1640,
        IDC_SSID_LABEL = 1627,
        IDC_SSID = 1628,
        IDC_KEY_LABEL = 1639,
        IDC_KEY = 1246,
    };
    static constexpr int kSsidLimit = 32;
    static constexpr int kKeyLimit = 64;
    static constexpr std::uint32_t kMaxPeers = 20;

    explicit CExtAPSsidPWDlg(ExtAPPromptBackend& backend, CWnd* pParent = nullptr);

    // The record the prompt completes: zeroed, then `config` copied in.
    void SetExtAPConfig(ExtAPConfig config);
    ExtAPConfig const& GetExtAPConfig() const { return m_config; }

    CString m_strSSID;
    CString m_strKey;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void init_texts();
    void init_buttons();
    void propose_ssid();
    bool check_entries();

    ExtAPPromptBackend& m_backend;
    ExtAPConfig m_config {};
    CFont m_font;
    CSmartEdit m_editSSID;
    CSmartEdit m_editKey;
    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
};
