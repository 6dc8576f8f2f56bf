// The profile editor over a scripted library: the library's store, ID, PAC list and channel
// answers, and a fixture that makes the editor and drives its tabs as a user would.
#pragma once

#include "FakeProfileLibrary.h"
#include "station/controls/CInfoWnd.h"
#include "station/controls/tests/DialogsFixture.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgIds.h"
#include "station/core/UiStr.h"
#include "station/core/tests/ScanFixtures.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageEAPFastDlg.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/controls/UxMenu.h"
#include "platform/gdi/Png.h"
#include "platform/user/WindowCore.h"
#include <filesystem>
#include <map>

#include <functional>

using namespace station::profiles;
using station::testing::ScanListBuffer;
using station::testing::scan_entry;

namespace {


// The scripted library with what the editor needs besides the profile page's calls.
struct EditorLibrary : FakeProfileLibrary {
    using FakeProfileLibrary::FakeProfileLibrary;
    HWND hide_dialog() const override { return window; }

    int write_result { 0 };         // 0: store the record
    int id_answer { 1 };
    std::vector<std::string> ids_asked;
    std::map<std::string, std::vector<PAC_ENTRY>> pac_lists;
    int pac_growth { 0 };           // entries the list gains between the count and the read
    std::vector<std::uint8_t> channels { 1, 6, 11, 34, 36, 38, 42, 44, 46, 48 };
    VXWL_U32 ps_mode { 0 };
};

EditorLibrary* g_lib = nullptr;

void bind_editor_calls()
{
    auto& lib = G_VxWlLib;
    lib.VXWL_WriteProfile.bind([](const char* old_name, WLANPROFILE* p) {
        FakeProfileLibrary::log("WriteProfile");
        if (g_lib->write_result)
            return g_lib->write_result;
        auto& list = g_lib->profiles;
        std::string const name = wlan::profile::name_of(*p);
        auto old = std::find_if(list.begin(), list.end(), [&](auto const& r) { return wlan::profile::same_name(wlan::profile::name_of(r), old_name); });
        for (auto it = list.begin(); it != list.end(); ++it)
            if (it != old && wlan::profile::same_name(wlan::profile::name_of(*it), name))
                return -16;
        if (old == list.end())
            list.push_back(*p);
        else
            *old = *p;
        return 1;
    });
    lib.VXWL_CheckDuplicatedProfileName.bind([](const char* name) {
        FakeProfileLibrary::log("CheckDuplicatedProfileName");
        return g_lib->find(name) ? -16 : 1;
    });
    lib.VXWL_IsDuplicateProfileID.bind([](const char* id) {
        g_lib->ids_asked.emplace_back(id);
        return g_lib->id_answer;
    });
    lib.VXWL_ReadPACList.bind([](PAC_ENTRY* entries, VXWL_U32* count, const char* name) {
        FakeProfileLibrary::log("ReadPACList");
        auto& list = g_lib->pac_lists[name];
        if (!entries) {
            *count = VXWL_U32(list.size());
            list.resize(list.size() + std::size_t(std::exchange(g_lib->pac_growth, 0)), PAC_ENTRY { 9, "grown", "" });
            return 1;
        }
        if (*count < list.size()) {
            *count = VXWL_U32(list.size());
            return -10;
        }
        std::copy(list.begin(), list.end(), entries);
        *count = VXWL_U32(list.size());
        return 1;
    });
    lib.VXWL_WritePACList.bind([](PAC_LIST* list, const char* name) {
        FakeProfileLibrary::log("WritePACList");
        g_lib->pac_lists[name].assign(list->Entries, list->Entries + list->Count);
        return 1;
    });
    lib.VXWL_StartEapHostPeerInvokeConfigUI.bind([](const char*, VXWL_U32*, std::uint8_t*) {
        FakeProfileLibrary::log("StartEapHostPeerInvokeConfigUI");
        return 1;
    });
    lib.VXWL_ReadPSMode.bind([](VXWL_U32* mode) {
        *mode = g_lib->ps_mode;
        return 1;
    });
    lib.VXWL_ChannelToFrequency.bind([](int channel) { return int(station::testing::channel_khz(channel)); });
    lib.VXWL_FrequencyToChannel.bind([](VXWL_U32 khz) { return station::testing::khz_to_channel(khz); });
    lib.VXWL_QueryWirelessMode.bind([](int* mode) {
        *mode = 5;
        return 1;
    });
    lib.VXWL_GetAvailableChannels.bind([](int, int, int, std::uint8_t* out, int* count, int) {
        auto const& c = g_lib->channels;
        std::copy(c.begin(), c.end(), out);
        *count = int(c.size());
        return 1;
    });
    lib.VXWL_WlanIsAdhocSupportWPA2AES.bind([] { return 1; });
}

class ProfileEditorTest : public DialogsTest {
public:
    void SetUp() override
    {
        DialogsTest::SetUp();
        lib.window = parent.m_hWnd;
        g_lib = &lib;
        bind_editor_calls();
        saved_list = std::exchange(G_VxWlLib.pBssidList, scan_cache.data());
        saved_ui = G_UiStr;
        G_UiStr.IDS_INVALIDFRAGTHRE = "IDS_INVALIDFRAGTHRE";
        G_UiStr.IDS_INPUTPROFILENAME = "IDS_INPUTPROFILENAME";
        G_UiStr.IDS_PROFILENAMELENGTH = "IDS_PROFILENAMELENGTH";
        G_UiStr.IDS_ADHOCINPUTSSID = "IDS_ADHOCINPUTSSID";
        G_UiStr.IDS_DUPLIPROF = "IDS_DUPLIPROF";
        G_UiStr.IDS_PROF_IDREQUIRED = "IDS_PROF_IDREQUIRED";
        G_UiStr.IDS_DUPLIPROFID = "IDS_DUPLIPROFID";
        G_UiStr.IDS_PROF_IDOVERFLOW = "IDS_PROF_IDOVERFLOW";
        G_UiStr.IDS_SYSCONFIG_NO_CHANN_4_ADHOC = "IDS_SYSCONFIG_NO_CHANN_4_ADHOC";
        G_UiStr.IDS_REGISTRYFAIL = "IDS_REGISTRYFAIL";
        G_UiStr.IDS_MSGWPA2PSKKEYINVALID = "IDS_MSGWPA2PSKKEYINVALID";
        G_UiStr.IDS_MSGHEXWEPKEYINVALID = "IDS_MSGHEXWEPKEYINVALID";
        G_UiStr.IDS_TKIP = "TKIP";
        G_UiStr.IDS_SMS4 = "SMS4";
        G_UiStr.IDS_ADHOC = "Ad hoc";
        G_UiStr.IDS_INFRA = "Infrastructure";
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
        editor = std::make_unique<CProfileEditorDlg>(&parent);
        ASSERT_TRUE(editor->Create(CProfileEditorDlg::IDD, &parent));
        pump();
    }
    void TearDown() override
    {
        editor.reset();
        SetMessageBoxHandler(nullptr);
        G_UiStr = saved_ui;
        G_VxWlLib.bSupportWAPI = 0;
        G_VxWlLib.pBssidList = saved_list;
        g_lib = nullptr;
        DialogsTest::TearDown();
    }

    CPageSystemConfigDlg& sys() { return *editor->m_pPageSystemConfigDlg; }
    CPageAuthEncryDlg& auth() { return *editor->m_pPageAuthEncryDlg; }

    // The window's Add: preset, then shown on the system configuration tab.
    void add(char const* name = "Home", char const* id = "1")
    {
        editor->PresetNewProfile(name, id);
        show();
    }
    void edit(char const* name, char const* id)
    {
        editor->ShowWindow(SW_HIDE);
        editor->EditProfile(name, id);
        show();
    }
    void show()
    {
        editor->ShowWindow(SW_SHOW);
        pump();
    }
    void tab(int id)
    {
        editor->click_tab_button(id);
        pump();
    }
    void type(CWnd& page, int id, std::string const& text)
    {
        page.SetDlgItemText(id, text.c_str());
        pump();
    }
    void command(CWnd& page, int id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        pump();
    }
    // A click as the user makes it on a box or radio: the control sees it first and changes its
    // check, then the page's rule reads it.
    void click(CWnd& page, int id)
    {
        ::SendMessage(::GetDlgItem(page.m_hWnd, id), BM_CLICK, 0, 0);
        pump();
    }
    // A click on a default-key radio: the group's checks, then the page's notice.
    void choose_default_key(int key)
    {
        for (int k = 0; k < 4; ++k)
            auth().m_radioKey[std::size_t(k)].SendMessage(BM_SETCHECK, k == key ? BST_CHECKED : BST_UNCHECKED);
        HWND const radio = auth().m_radioKey[std::size_t(key)].m_hWnd;
        auth().SendMessage(WM_COMMAND, MAKEWPARAM(CPageAuthEncryDlg::IDC_RADIO_KEY1 + key, BN_CLICKED), reinterpret_cast<LPARAM>(radio));
        pump();
    }
    void ok()
    {
        parent.privates.clear();
        lib.calls.clear();
        editor->OnOK();
        pump();
    }
    int sent(UINT message, WPARAM wParam) const
    {
        int n = 0;
        for (auto const& m : parent.privates)
            n += m.message == message && m.wParam == wParam;
        return n;
    }
    bool front(CWnd& page) const { return ::IsWindowVisible(page.m_hWnd) != FALSE; }
    WLANPROFILE const* stored(char const* name) const { return lib.find(name); }

    EditorLibrary lib { nullptr };
    std::unique_ptr<CProfileEditorDlg> editor;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
    std::vector<BYTE> scan_cache = std::vector<BYTE>(BSSID_LIST_BUFFER_SIZE);
    BYTE* saved_list {};
};

}
