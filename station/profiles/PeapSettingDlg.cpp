#include "station/profiles/PeapSettingDlg.h"

#include "platform/user/WindowCore.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <condition_variable>
#include <cstring>
#include <mutex>

namespace {

struct Answer {
    std::mutex mutex;
    std::condition_variable given;
    int result { 0 };
    std::string identity;
    std::string password;
};

Answer& answer()
{
    static Answer a;
    return a;
}

// `text` cut to 127 bytes without splitting a UTF-8 character.
std::string credential_text(CString const& text)
{
    std::string s = text.str();
    if (s.size() <= 127)
        return s;
    std::size_t n = 127;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        --n;
    return s.substr(0, n);
}

void copy_field(char (&field)[128], std::string const& text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field - 1));
}

struct MethodTexts {
    char const* title;
    char const* identity_label;
    char const* password_label;
    bool identity_enabled;
};

MethodTexts texts_for(std::uint32_t method)
{
    switch (method) {
    case EAP_PEAP: return { "Peap Setting - One Time Password", "Tunnel Identity", "Tunnel Password", true };
    case EAP_FAST: return { "EapFast Setting - One Time Password", "Tunnel Identity", "Tunnel Password", true };
    default: return { "Enter your new password", "Identity", "Password", false };
    }
}

}

BEGIN_MESSAGE_MAP(CPeapSettingDlg, CResizeDlg)
ON_WM_SHOWWINDOW()
ON_WM_DESTROY()
ON_BN_CLICKED(CPeapSettingDlg::IDC_OK, OnButtonOK)
ON_BN_CLICKED(CPeapSettingDlg::IDC_CANCEL, OnButtonCancel)
END_MESSAGE_MAP()

CPeapSettingDlg::CPeapSettingDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
    std::memset(m_pProfile.get(), 0, sizeof(WLANPROFILE));
}

CPeapSettingDlg::~CPeapSettingDlg() = default;

void CPeapSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_IDENTITY, m_editIdentity);
    DDX_Control(pDX, IDC_PASSWORD, m_editPassword);
    DDX_Text(pDX, IDC_IDENTITY, m_strIdentity);
    DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
}

BOOL CPeapSettingDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    SetWindowText("PeapSettingDlg");
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    init_texts();
    return TRUE;
}

void CPeapSettingDlg::init_texts()
{
    SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, IDC_LABEL_IDENTITY), G_UiStr.IDS_TUNNEL_ID);
    SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, IDC_LABEL_PASSWORD), G_UiStr.IDS_TUNNEL_PASSWORD);
    for (int id : { IDC_DESCRIPTION, IDC_LABEL_IDENTITY, IDC_LABEL_PASSWORD, IDC_IDENTITY, IDC_PASSWORD }) {
        if (CWnd* control = GetDlgItem(id))
            control->SetFont(&m_font);
    }
    for (int id : { IDC_IDENTITY, IDC_PASSWORD })
        SendDlgItemMessage(id, EM_LIMITTEXT, 127);
    struct Face {
        CShadeButtonST& button;
        std::string const& text;
    };
    for (Face const& f : { Face { m_btnOK, G_UiStr.IDS_OK }, Face { m_btnCancel, G_UiStr.IDS_CANCEL } }) {
        if (!f.button.m_hWnd)
            continue;
        f.button.SetWindowText(f.text.c_str());
        f.button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
        f.button.SetFont(&m_font);
    }
}

// A prompt that is hidden while an answer is awaited can no longer be answered: the wait ends
// as Cancel.
void CPeapSettingDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (bShow)
        show_texts_for_method();
    else
        EndWait(2);
}

void CPeapSettingDlg::show_texts_for_method()
{
    MethodTexts const t = texts_for(m_pProfile->enumAuthenProtocol);
    SetWindowText(t.title);
    std::string const description = std::string("Description : ") + t.title;
    SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, IDC_DESCRIPTION), description);
    SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, IDC_LABEL_IDENTITY), t.identity_label);
    SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, IDC_LABEL_PASSWORD), t.password_label);
    UpdateData(FALSE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_IDENTITY), t.identity_enabled);
    if (!t.identity_enabled)
        ::SetFocus(::GetDlgItem(m_hWnd, IDC_PASSWORD));
}

void CPeapSettingDlg::OnButtonOK()
{
    UpdateData(TRUE);
    if (m_strIdentity.IsEmpty()) {
        ShowMessageBox("Must input Identity");
        return;
    }
    if (m_strPassword.IsEmpty()) {
        ShowMessageBox("Must input Password");
        return;
    }
    std::string const identity = credential_text(m_strIdentity);
    std::string const password = credential_text(m_strPassword);
    // A machine identity stays as stored; the library still gets the typed one.
    if (m_pProfile->nIDModeIndex != 1)
        copy_field(m_pProfile->chID, identity);
    copy_field(m_pProfile->chPassword, password);
    char id_buffer[128];
    char password_buffer[128];
    copy_field(id_buffer, identity);
    copy_field(password_buffer, password);
    G_VxWlLib.VXWL_WriteIDnPasswd(id_buffer, password_buffer);
    {
        std::lock_guard lock(answer().mutex);
        if (answer().result == 0) {
            answer().identity = identity;
            answer().password = password;
        }
    }
    EndWait(1);
    tell_main_window();
}

void CPeapSettingDlg::OnButtonCancel()
{
    EndWait(2);
    tell_main_window();
}

void CPeapSettingDlg::OnDestroy()
{
    CResizeDlg::OnDestroy();
    EndWait(2);
}

void CPeapSettingDlg::tell_main_window()
{
    if (HWND main = CWnd::GetSafeOwner_(nullptr))
        ::SendMessage(main, MSG_SHOW_PEAPSETTING, 0, 0);
}

void CPeapSettingDlg::EndWait(int result)
{
    {
        std::lock_guard lock(answer().mutex);
        if (answer().result == 0)
            answer().result = result;
    }
    answer().given.notify_all();
    if (m_hWnd && ContinueModal())
        EndModalLoop(Answer());
}

int CPeapSettingDlg::WaitForInput(DWORD flags)
{
    BeginWait();
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return 2;
    int const looped = RunModalLoop(flags);
    int const result = Answer();
    if (result != 0)
        return result;
    // The loop ended without an answer: the program is quitting or the prompt went.
    return looped == -1 ? -1 : 2;
}

void CPeapSettingDlg::BeginWait()
{
    std::lock_guard lock(answer().mutex);
    answer().result = 0;
    answer().identity.clear();
    answer().password.clear();
}

int CPeapSettingDlg::WaitForAnswer()
{
    std::unique_lock lock(answer().mutex);
    answer().given.wait(lock, [] { return answer().result != 0; });
    return answer().result;
}

void CPeapSettingDlg::ConfirmedCredentials(std::string& identity, std::string& password)
{
    std::lock_guard lock(answer().mutex);
    identity = answer().identity;
    password = answer().password;
}

void CPeapSettingDlg::AbortWaits()
{
    {
        std::lock_guard lock(answer().mutex);
        if (answer().result == 0)
            answer().result = 2;
    }
    answer().given.notify_all();
}

int CPeapSettingDlg::Answer()
{
    std::lock_guard lock(answer().mutex);
    return answer().result;
}
