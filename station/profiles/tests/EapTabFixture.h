// The 802.1X tab's tests' fixture: the profile editor over a scripted library with certificate
// stores (personal and trusted roots, with what was handed out and got back), the program
// folder as the PAC folder, and helpers that drive the tab and read its sub-tabs.
#pragma once

#include "ProfileEditorFixture.h"

#include "platform/system/FileDialog.h"
#include "platform/system/FileDialogModel.h"
#include "platform/system/Locale.h"
#include "platform/user/Clock.h"
#include "station/core/IniFile.h"
#include "station/profiles/PageClientCertificationDlg.h"
#include "station/profiles/PageNamePasswordDlg.h"
#include "station/profiles/PageProfileSSODlg.h"
#include "station/profiles/PageServerCertificationDlg.h"

#include <fstream>
#include <set>


namespace {

using Name = CPageNamePasswordDlg;
using Client = CPageClientCertificationDlg;
using Server = CPageServerCertificationDlg;
using Fast = CPageEAPFastDlg;
using Tab = CPage8021XDlg;

// One certificate of the scripted stores.
struct StoreCert {
    std::string store, to, by, expires, friendly;
    std::vector<std::uint8_t> data;
};

// The stores and what the library handed out and got back.
struct CertStores {
    std::vector<StoreCert> certs;
    std::set<std::uint8_t const*> handed;
    int eap_host { 1 };
    KT_BLOB_KEY stored_user_cert {};
    int read_cert_result { 0 };
};
CertStores* g_stores = nullptr;

void bind_cert_calls()
{
    auto& lib = G_VxWlLib;
    lib.VXWL_EnumCert.bind([](const char* store, CERT_RECORD* records, VXWL_U32* count) {
        std::vector<StoreCert const*> of;
        for (auto const& c : g_stores->certs)
            if (c.store == store)
                of.push_back(&c);
        if (!records) {
            *count = VXWL_U32(of.size());
            return VXWL_ERROR_SUCCESS;
        }
        VXWL_U32 const filled = std::min<VXWL_U32>(*count, VXWL_U32(of.size()));
        for (VXWL_U32 i = 0; i < filled; ++i) {
            CERT_RECORD& r = records[i];
            r = CERT_RECORD {};
            std::strncpy(r.IssuedTo, of[i]->to.c_str(), 255);
            std::strncpy(r.IssuedBy, of[i]->by.c_str(), 255);
            std::strncpy(r.Expiration, of[i]->expires.c_str(), 255);
            std::strncpy(r.FriendlyName, of[i]->friendly.c_str(), 255);
            // A copy per record, as the library hands out data it frees later.
            auto* data = new std::uint8_t[of[i]->data.size() + 1];
            std::copy(of[i]->data.begin(), of[i]->data.end(), data);
            r.DataLength = VXWL_U32(of[i]->data.size());
            r.Data = data;
            g_stores->handed.insert(data);
        }
        *count = filled;
        return VXWL_ERROR_SUCCESS;
    });
    lib.VXWL_FreeCertArray.bind([](CERT_RECORD* records, VXWL_U32* count) {
        if (!records || !count)
            return VXWL_ERROR_SUCCESS;
        for (VXWL_U32 i = 0; i < *count; ++i) {
            if (g_stores->handed.erase(records[i].Data))
                delete[] records[i].Data;
            records[i].Data = nullptr;
        }
        *count = 0;
        return VXWL_ERROR_SUCCESS;
    });
    lib.VXWL_IsEapHostInstalled.bind([] { return g_stores->eap_host; });
    lib.VXWL_Read8021XCert.bind([](KT_BLOB_KEY* cert, const char*) {
        if (g_stores->read_cert_result == VXWL_ERROR_SUCCESS)
            *cert = g_stores->stored_user_cert;
        return g_stores->read_cert_result;
    });
}

std::vector<std::uint8_t> bytes_of(std::string const& id, std::size_t size = 20)
{
    std::vector<std::uint8_t> out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = std::uint8_t(id[i % id.size()] + i);
    return out;
}

class EapTabTest : public ProfileEditorTest {
public:
    void SetUp() override
    {
        g_stores = &stores;
        stores.certs = {
            { "MY", "carol", "Corp Root CA", "2030/12/31", "Carol", bytes_of("carol") },
            { "MY", "carol-old", "Corp Root CA", "2020/01/01", "Carol (old)", bytes_of("carol-old") },
            { "ROOT", "Corp Root CA", "Corp Root CA", "2035/01/01", "", bytes_of("corp-root") },
            { "ROOT", "Other Root", "Other Root", "2035/01/01", "", bytes_of("other-root") },
        };
        bind_cert_calls();
        folder = std::filesystem::temp_directory_path() / ("eap-tab-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "elsewhere");
        SetProgramPathForTesting((folder / "Zorvel").string());
        ProfileEditorTest::SetUp();
        G_UiStr.IDS_IDREQUIRED = "IDS_IDREQUIRED";
        G_UiStr.IDS_PWDREQUIRED = "IDS_PWDREQUIRED";
        G_UiStr.IDS_CHECKRULE4 = "IDS_CHECKRULE4";
        G_UiStr.IDS_CHECKRULE5 = "IDS_CHECKRULE5";
        G_UiStr.IDS_CHECKRULE7 = "IDS_CHECKRULE7";
        G_UiStr.IDS_SERVER_NAME_REQUIRED = "IDS_SERVER_NAME_REQUIRED";
        G_UiStr.IDS_ERROR_CERT_INVALID_EXPDAT = "IDS_ERROR_CERT_INVALID_EXPDAT";
        G_UiStr.IDS_NOSELECTEDITEM = "IDS_NOSELECTEDITEM";
        G_UiStr.IDS_PAC_LIST_MAX_ITEM = "At most %d PAC files";
        G_UiStr.IDS_8021X_PEAP_TUNNEL_MSCHAP2 = "EAP-MSCHAP v2";
        G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD = "EAP-TLS / Smart Card";
        G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_GTC = "Generic Token Card";
    }
    void TearDown() override
    {
        ProfileEditorTest::TearDown();
        platform::system::set_file_dialog_ui(nullptr);
        SetProgramPathForTesting("");
        G_VxWlLib.bEapFastEnhancement = 0;
        G_VxWlLib.bShowPassword = 0;
        std::filesystem::remove_all(folder);
        g_stores = nullptr;
    }

    // A new editor, for what its tabs read at creation (the system code, the options).
    void remake(int win_os)
    {
        lib.win_os = win_os;
        editor.reset();
        editor = std::make_unique<CProfileEditorDlg>(&parent);
        ASSERT_TRUE(editor->Create(CProfileEditorDlg::IDD, &parent));
        pump();
    }
    // Add, WPA2 on the authentication tab, then the 802.1X tab.
    void open_8021x(std::uint32_t auth_mode = kAuthWpa2)
    {
        add("Corp", "3");
        type(sys(), CPageSystemConfigDlg::IDC_SSID, "CorpNet");
        tab(TAB_BUTTON_AUTH);
        command(auth(), auth_command(int(auth_mode)));
        tab(TAB_BUTTON_8021X);
    }
    Tab& x() { return *editor->m_pPage8021XDlg; }
    Name& name() { return *x().m_pNamePasswordDlg; }
    Client& client() { return *x().m_pClientCertDlg; }
    Server& server() { return *x().m_pServerCertDlg; }
    Fast& fast() { return *x().m_pEapFastDlg; }
    void method(int m) { command(x(), Tab::ID_PEAP + m); }
    void inner(int i) { command(x(), Tab::ID_INNER_MSCHAPV2 + i); }
    void ttls_inner(int i) { command(x(), Tab::ID_TTLS_CHAP + i); }
    static bool enabled(CWnd& page, int id) { return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, id)) != FALSE; }
    static bool shown(CWnd& page, int id) { return (::GetWindowLong(::GetDlgItem(page.m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0; }
    static bool shown(CWnd* button) { return button && (::GetWindowLong(button->m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    // The slot a sub-tab button sits in: 1 to 4, 0 when hidden.
    int slot_of(CWnd* button)
    {
        if (!shown(button))
            return 0;
        CRect rect;
        button->GetWindowRect(&rect);
        for (int s = 0; s < 4; ++s) {
            CRect slot;
            GetCtrlRectInDlg(&slot, x().m_hWnd, Tab::IDC_SLOT1 + s);
            x().ClientToScreen(&slot);
            if (slot.left == rect.left)
                return s + 1;
        }
        return -1;
    }
    // The sub-tab whose page shows: the page's template id, 0 for none.
    int shown_page()
    {
        for (CWnd* page : { static_cast<CWnd*>(&name()), static_cast<CWnd*>(&client()), static_cast<CWnd*>(&server()),
                 static_cast<CWnd*>(&fast()), static_cast<CWnd*>(x().m_pProfileSSODlg) })
            if (::GetWindowLong(page->m_hWnd, GWL_STYLE) & WS_VISIBLE)
                return page == &name() ? Name::IDD : page == &client() ? Client::IDD : page == &server() ? Server::IDD : page == &fast() ? Fast::IDD : 446;
        return 0;
    }
    void write_pac(std::filesystem::path const& path) { std::ofstream(path) << "pac"; }
    // The user picks `path` in the file dialog.
    void answer_file_dialog(std::string path)
    {
        platform::system::set_file_dialog_ui([path](platform::system::FileDialogModel& model, auto const&) {
            return model.submit(path) == platform::system::FileDialogModel::Outcome::accepted ? platform::system::FileDialogAnswer::accepted
                                                                                                 : platform::system::FileDialogAnswer::cancelled;
        });
    }
    void select_row(CQuickList& list, int row)
    {
        list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        pump();
    }

    CertStores stores;
    std::filesystem::path folder;
};

}
