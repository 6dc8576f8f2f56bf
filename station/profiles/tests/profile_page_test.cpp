// The profile page over a scripted library: the rows and the detail panel, the rights, Delete
// with its question and flag, Activate's calls up to the queued record, SetOidFromReg with and
// without the WPS flag, the active row's mark, and Import and Export through scripted file
// dialogs.
#include "FakeProfileLibrary.h"

#include "station/controls/tests/DialogsFixture.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/ConnectionFlags.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/tests/CoreTestSupport.h"
#include "station/profiles/PageProfileDlg.h"

#include "platform/framework/MessageBox.h"
#include "platform/system/FileDialog.h"
#include "platform/system/FileDialogModel.h"
#include "platform/user/WindowCore.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

class ProfilePageTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        lib.window = parent.m_hWnd;
        saved_ui = G_UiStr;
        G_UiStr.IDS_DELCURRENTPROF = "IDS_DELCURRENTPROF";
        G_UiStr.IDS_IM_EXPORT_EXPORT_FILE_EXIST = "IDS_IM_EXPORT_EXPORT_FILE_EXIST";
        G_UiStr.IDS_NOSELECTEDITEM = "IDS_NOSELECTEDITEM";
        G_UiStr.IDS_IM_EXPORT_PROFILE_OPEN_FILE_FAIL = "IDS_IM_EXPORT_PROFILE_OPEN_FILE_FAIL";
        G_UiStr.IDS_IM_EXPORT_PROFILE_NO_PROFILE = "IDS_IM_EXPORT_PROFILE_NO_PROFILE";
        G_UiStr.IDS_IM_EXPORT_PROFILE_MORE_THAN_ONE = "IDS_IM_EXPORT_PROFILE_MORE_THAN_ONE";
        G_UiStr.IDS_IM_EXPORT_PROFILE_PROFILE_EXIST = "IDS_IM_EXPORT_PROFILE_PROFILE_EXIST";
        G_UiStr.IDS_PROF = "PROF";
        G_UiStr.IDS_INFRA = "Infrastructure";
        G_UiStr.IDS_ADHOC = "Ad hoc";
        G_UiStr.IDS_OPENSYSTEM = "Open";
        G_UiStr.IDS_WPA2PSK = "WPA2-PSK";
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
        platform::framework::message_box_log().clear();
        char templ[] = "/tmp/profile-page-XXXXXX";
        folder = ::mkdtemp(templ);
    }
    void TearDown() override
    {
        page.reset();
        platform::system::set_file_dialog_ui(nullptr);
        SetMessageBoxHandler(nullptr);
        G_UiStr = saved_ui;
        G_bManualConnect = FALSE;
        std::filesystem::remove_all(folder);
        DialogsTest::TearDown();
    }

    CPageProfileDlg& open()
    {
        page = std::make_unique<CPageProfileDlg>(&parent);
        EXPECT_TRUE(page->Create(CPageProfileDlg::IDD, &parent));
        page->ShowWindow(SW_SHOW);
        pump();
        lib.calls.clear();
        return *page;
    }
    void click(int id)
    {
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page->m_hWnd, id)));
        pump();
    }
    void select(int row)
    {
        page->m_listProfile.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (row >= 0)
            page->m_listProfile.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        // The notice a click sends: a whole NMITEMACTIVATE, which the list reads too.
        NMITEMACTIVATE click {};
        click.hdr = { page->m_listProfile.m_hWnd, CPageProfileDlg::IDC_LIST, UINT(NM_CLICK) };
        click.iItem = row;
        page->SendMessage(WM_NOTIFY, CPageProfileDlg::IDC_LIST, reinterpret_cast<LPARAM>(&click));
        pump();
    }
    int selected() const { return page->m_listProfile.GetNextItem(-1, LVNI_SELECTED); }
    bool enabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(page->m_hWnd, id)) != FALSE; }
    std::string shown(int id) const { return text_of(::GetDlgItem(page->m_hWnd, id)); }
    // Answers every framework message box with `button`.
    void answer_boxes(int button)
    {
        platform::user::set_modal_hook([button](HWND box) { ::PostMessage(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); });
    }
    int sent(UINT message, WPARAM wParam) const
    {
        int n = 0;
        for (auto const& m : parent.privates)
            n += m.message == message && m.wParam == wParam;
        return n;
    }
    // A user who types `name` in the file dialog, or cancels when it is empty.
    void answer_file_dialog(std::string name)
    {
        platform::system::set_file_dialog_ui([name](platform::system::FileDialogModel& model, auto const&) {
            if (name.empty())
                return platform::system::FileDialogAnswer::cancelled;
            auto outcome = model.submit(name);
            return outcome == platform::system::FileDialogModel::Outcome::accepted
                ? platform::system::FileDialogAnswer::accepted
                : platform::system::FileDialogAnswer::cancelled;
        });
    }

    FakeProfileLibrary lib { nullptr };
    std::unique_ptr<CPageProfileDlg> page;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
    std::string folder;
};

constexpr int kDelete = CPageProfileDlg::IDC_DELETE;
constexpr int kActivate = CPageProfileDlg::IDC_ACTIVATE;

}

TEST_F(ProfilePageTest, ListsTheStoredProfilesWithTheirImages)
{
    lib.add("Corner Cafe", "Corner Cafe");
    lib.add("HomeNet 5G", "HomeNet 5G", AUTH_WPA2_PSK, ENC_AES).enumNetworkType = 0;
    open();
    ASSERT_EQ(page->RowCount(), 2);
    EXPECT_EQ(page->Row(0).strID, "1");
    EXPECT_EQ(page->Row(1).strName, "HomeNet 5G");
    EXPECT_EQ(page->Row(0).bSecured, 0);
    EXPECT_EQ(page->Row(1).bSecured, 1);
    EXPECT_EQ(page->Row(1).nNetworkType, 0);
    EXPECT_EQ(selected(), 0);
    auto* cell = page->m_listProfile.FillCellRequest(1, CPageProfileDlg::COL_SECURED);
    EXPECT_EQ(cell->m_nImage, CPageProfileDlg::IMAGE_SECURED);
    cell = page->m_listProfile.FillCellRequest(1, CPageProfileDlg::COL_NETWORK);
    EXPECT_EQ(cell->m_nImage, CPageProfileDlg::IMAGE_ADHOC);
    cell = page->m_listProfile.FillCellRequest(0, CPageProfileDlg::COL_SSID);
    EXPECT_EQ(cell->m_strText, "Corner Cafe");
    // The name proposed for a new profile and its ID.
    EXPECT_EQ(page->GetDefaultProfileName(), "PROF1");
    EXPECT_EQ(page->GetNextProfileIDText(), "7");
}

TEST_F(ProfilePageTest, WithoutProfilesTheProposedIdIsZeroAndTheButtonsRest)
{
    open();
    EXPECT_EQ(page->GetNextProfileIDText(), "0");
    for (int id : { kDelete, kActivate, int(CPageProfileDlg::IDC_EDIT), int(CPageProfileDlg::IDC_EXPORT) })
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(enabled(CPageProfileDlg::IDC_ADD));
}

TEST_F(ProfilePageTest, DetailPanelShortensLongNames)
{
    lib.add("Fourteen chars", "fifteen chars!!");
    lib.add("x", "y");
    open();
    select(0);
    EXPECT_EQ(shown(CPageProfileDlg::IDC_PROFILE_VALUE), "Fourteen chars");
    EXPECT_EQ(shown(CPageProfileDlg::IDC_SSID_VALUE), "fifteen chars..");
    EXPECT_EQ(shown(1056), "Infrastructure");
    EXPECT_EQ(shown(1061), "Auto");
    select(-1);
    EXPECT_EQ(shown(CPageProfileDlg::IDC_PROFILE_VALUE), "");
    EXPECT_FALSE(enabled(kActivate));
}

TEST_F(ProfilePageTest, RightsAndActivateEnablingAsOneTable)
{
    struct Case {
        char const* name;
        int admin, right, wpa_capable, os, op_mode;
        std::uint32_t network, auth, dot1x;
        bool edit, activate;
    };
    Case const cases[] = {
        { "administrator", 1, 0, 0, 12, 0, 1, AUTH_WPA2_PSK, 0, true, true },
        { "profile right", 0, 1, 0, 12, 0, 1, AUTH_WPA2_PSK, 0, true, true },
        { "profile right other than 1: the panel refuses", 0, 2, 0, 12, 0, 1, AUTH_WPA2_PSK, 0, false, false },
        { "no rights, WPA capable", 0, 0, 1, 12, 0, 1, AUTH_WPA2_PSK, 0, false, true },
        { "no rights, open", 0, 0, 0, 12, 0, 1, AUTH_OPEN, 0, false, true },
        { "no rights, 802.1X", 0, 0, 0, 12, 0, 1, AUTH_OPEN, 1, false, false },
        { "no rights, WPA2-PSK", 0, 0, 0, 12, 0, 1, AUTH_WPA2_PSK, 0, false, false },
        { "code 12, access point mode, ad hoc", 1, 0, 1, 12, 1, 0, AUTH_OPEN, 0, true, false },
        { "code 11, access point mode, ad hoc", 1, 0, 1, 11, 1, 0, AUTH_OPEN, 0, true, true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        lib.profiles.clear();
        auto& p = lib.add("P", "P", c.auth);
        p.enumNetworkType = c.network;
        p.b8021X = c.dot1x;
        lib.admin = c.admin;
        lib.standard_user_profile = c.right;
        lib.wpa_capable = c.wpa_capable;
        lib.win_os = c.os;
        lib.op_mode = c.op_mode;
        open();
        select(0);
        EXPECT_EQ(enabled(CPageProfileDlg::IDC_EDIT), c.edit);
        EXPECT_EQ(enabled(CPageProfileDlg::IDC_IMPORT), c.edit);
        EXPECT_EQ(enabled(kActivate), c.activate);
        page.reset();
    }
}

TEST_F(ProfilePageTest, DeletingTheActiveProfileAsksAndCancelKeepsIt)
{
    lib.add("A", "A");
    lib.add("B", "B");
    lib.add("C", "C");
    lib.active = "B";
    open();
    page->m_strProfile = "b";
    select(1);
    answer_boxes(IDCANCEL);
    click(kDelete);
    EXPECT_EQ(platform::framework::message_box_log().size(), 1u);
    EXPECT_EQ(platform::framework::message_box_log().back().type & MB_TYPEMASK, MB_OKCANCEL);
    EXPECT_EQ(platform::framework::message_box_log().back().text, "IDS_DELCURRENTPROF");
    EXPECT_TRUE(lib.deleted.empty());
    EXPECT_EQ(page->m_strProfile, "b");

    answer_boxes(IDOK);
    lib.win_os = 9; // below 10 the page re-applies the (now empty) active profile
    click(kDelete);
    platform::user::set_modal_hook(nullptr);
    ASSERT_EQ(lib.deleted.size(), 1u);
    EXPECT_EQ(lib.deleted[0].first, "B");
    EXPECT_EQ(lib.zeroed, 1);
    EXPECT_TRUE(page->m_strProfile.IsEmpty());
    EXPECT_FALSE(page->m_bActiveProfile);
    EXPECT_TRUE(G_bManualConnect);
    EXPECT_EQ(lib.active, "");
    // The zeroed record is queued, which drops the link quietly.
    EXPECT_EQ(sent(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG), 1);
    EXPECT_EQ(page->m_pActionProfile->SSID.SsidLength, 0u);
    // The row at the old index is selected and shown, and the editor area goes back.
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(shown(CPageProfileDlg::IDC_PROFILE_VALUE), "C");
    EXPECT_EQ(sent(MSG_SHOW_PROFILEEDITOR, 0), 1);
}

TEST_F(ProfilePageTest, DeletingAnotherProfileDoesNotAskAndSelectsTheLastRow)
{
    lib.add("A", "A");
    lib.add("B", "B");
    lib.active = "A";
    open();
    page->m_strProfile = "A";
    select(1);
    click(kDelete);
    EXPECT_TRUE(platform::framework::message_box_log().empty());
    EXPECT_EQ(lib.deleted.size(), 1u);
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(shown(CPageProfileDlg::IDC_PROFILE_VALUE), "A");
    select(0);
    answer_boxes(IDOK);
    click(kDelete);
    platform::user::set_modal_hook(nullptr);
    EXPECT_EQ(page->RowCount(), 0);
    EXPECT_EQ(shown(CPageProfileDlg::IDC_PROFILE_VALUE), "");
    EXPECT_FALSE(enabled(kActivate));
}

TEST_F(ProfilePageTest, DeleteFlagTable)
{
    struct Case {
        char const* name;
        char const* link_ssid;
        char const* active;
        int flag;
    };
    Case const cases[] = {
        { "the link's network, another profile", "Net", "Other", 1 },
        { "the link's network, the active one", "Net", "Row", 0 },
        { "another network", "Elsewhere", "Other", 0 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        lib.profiles.clear();
        lib.deleted.clear();
        lib.add("Row", "Net");
        lib.add("Keep", "Keep");
        lib.active = c.active;
        lib.connect_to(c.link_ssid);
        open();
        select(0);
        click(kDelete);
        ASSERT_EQ(lib.deleted.size(), 1u);
        EXPECT_EQ(lib.deleted[0].second, c.flag);
        EXPECT_EQ(page->DeleteFlag(), c.flag);
        page.reset();
    }
}

TEST_F(ProfilePageTest, ActivateQueuesTheStoredRecordWithTheCcxWord)
{
    lib.add("Corner Cafe", "Corner Cafe");
    lib.add("HomeNet 5G", "HomeNet 5G", AUTH_WPA2_PSK, ENC_AES).lRtsThre = 1234;
    lib.ccx = 0x41;
    lib.wps_flag = 1;
    open();
    select(1);
    lib.calls.clear();
    click(kActivate);
    std::vector<std::string> const order = { "WriteWPSFlag", "CopyProfileToCurrentSetting", "ReadWPSFlag", "ReadWPSProfile",
        "ReadCCX2Cont", "ReadActiveProfileName", "ReadProfileData", "ReadProfileList" };
    std::vector<std::string> calls;
    for (auto const& c : lib.calls)
        if (std::find(order.begin(), order.end(), c) != order.end() && (calls.empty() || calls.back() != c))
            calls.push_back(c);
    EXPECT_EQ(calls, order);
    EXPECT_EQ(lib.active, "HomeNet 5G");
    EXPECT_TRUE(G_bManualConnect);
    EXPECT_EQ(page->m_strProfile, "HomeNet 5G");
    EXPECT_TRUE(page->m_bActiveProfile);
    EXPECT_EQ(page->m_nActionType, actionTypeProfile);
    WLANPROFILE const& queued = *page->m_pActionProfile;
    EXPECT_EQ(wlan::profile::name_of(queued), "HomeNet 5G");
    EXPECT_EQ(queued.lRtsThre, 1234);
    EXPECT_EQ(queued.CCX2Control, 0x41u);
    EXPECT_EQ(queued.bSetAdvance, 0u);
    EXPECT_EQ(sent(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG), 1);
}

TEST_F(ProfilePageTest, ActivateNeedsTheRadioAndARow)
{
    lib.add("A", "A");
    lib.add("B", "B");
    open();
    select(-1);
    click(kActivate);
    EXPECT_EQ(boxes, std::vector<std::string> { "IDS_NOSELECTEDITEM" });
    lib.radio = 0;
    select(0);
    click(kActivate);
    EXPECT_EQ(lib.active, "");
    EXPECT_EQ(sent(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG), 0);
}

TEST_F(ProfilePageTest, SetOidFromRegQueuesNothingWhileTheWpsFlagIsSet)
{
    lib.add("A", "A");
    lib.active = "A";
    open();
    lib.wps_flag = 1;
    page->SetOidFromReg(TRUE);
    EXPECT_EQ(sent(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG), 0);
    EXPECT_FALSE(page->m_bActiveProfile);
    lib.wps_flag = 0;
    page->SetOidFromReg(TRUE);
    EXPECT_EQ(sent(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG), 1);
    EXPECT_TRUE(page->m_bActiveProfile);
    // The advanced settings lie over the stored record rather than under it.
    EXPECT_EQ(page->m_pActionProfile->bSetAdvance, 1u);
    EXPECT_EQ(page->m_pActionProfile->configSta.AdhocMode, 3u);
    EXPECT_EQ(page->m_pActionProfile->nCountryRegion, 2u * 256 + 1);
    EXPECT_EQ(wlan::profile::name_of(*page->m_pActionProfile), "A");
}

TEST_F(ProfilePageTest, ActiveMarkTable)
{
    struct Case {
        char const* name;
        bool connected;
        bool zero_bssid;
        VXWL_U32 wps;
        char const* link_ssid;
        std::uint32_t network;
        std::int32_t freq;
        int mark;
    };
    Case const cases[] = {
        { "connected", true, false, 0, "Net", 1, 0, 0 },
        { "link down", false, false, 0, "Net", 1, 0, 1 },
        { "zero BSSID", true, true, 0, "Net", 1, 0, 1 },
        { "WPS flag", true, false, 1, "Net", 1, 0, 1 },
        { "other SSID", true, false, 0, "Other", 1, 0, 1 },
        { "ad hoc on the link's channel", true, false, 0, "Net", 0, 2412000, 0 },
        { "ad hoc on another channel", true, false, 0, "Net", 0, 2437000, 1 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        lib.profiles.clear();
        lib.add("Other row", "Elsewhere");
        auto& p = lib.add("Net", "Net");
        p.enumNetworkType = c.network;
        p.lFreq = c.freq;
        lib.connect_to(c.link_ssid);
        lib.status.FrequencyKHz = 2412000;
        if (c.zero_bssid)
            std::memset(lib.status.Bssid, 0, 6);
        if (!c.connected)
            lib.status.Status = VxStatus_Disconnected;
        lib.wps_flag = c.wps;
        open();
        page->m_strProfile = "NET";
        page->m_bActiveProfile = TRUE;
        platform::testing::advance(CPageProfileDlg::kActiveMarkMs);
        EXPECT_EQ(page->Row(1).nMark, c.mark);
        EXPECT_EQ(page->Row(0).nMark, -1);
        auto* cell = page->m_listProfile.FillCellRequest(1, CPageProfileDlg::COL_MARK);
        EXPECT_EQ(cell->m_nImage, c.mark == 0 ? CPageProfileDlg::IMAGE_CONNECTED : CPageProfileDlg::IMAGE_ACTIVE);
        page.reset();
    }
    // Systems of code 10 and above mark only with the option ActiveProfileIcon 1.
    lib.wps_flag = 0;
    G_VxWlLib.bActiveProfileIcon = 0;
    open();
    page->m_strProfile = "Net";
    page->UpdateActiveMark();
    EXPECT_EQ(page->Row(1).nMark, -1);
    G_VxWlLib.bActiveProfileIcon = 1;
}

TEST_F(ProfilePageTest, ImportAnswersThroughTheFileDialog)
{
    lib.add("A", "A");
    std::string const file = folder + "/in.prof";
    std::ofstream(file) << "x";
    open();
    station::testing::TraceAt trace(3);
    answer_file_dialog("");
    click(CPageProfileDlg::IDC_IMPORT);
    EXPECT_TRUE(lib.imported.empty());
    EXPECT_TRUE(trace.contains("[Kivra] GetOpenFileName() return FALSE, GetLastError() return 0"));
    struct Case {
        int result;
        char const* box;
    };
    Case const cases[] = { { 0, nullptr }, { -15, "IDS_IM_EXPORT_PROFILE_NO_PROFILE" }, { -14, "IDS_IM_EXPORT_PROFILE_MORE_THAN_ONE" },
        { -16, "IDS_IM_EXPORT_PROFILE_PROFILE_EXIST" }, { -17, "IDS_IM_EXPORT_PROFILE_OPEN_FILE_FAIL" },
        { 1, "IDS_IM_EXPORT_PROFILE_OPEN_FILE_FAIL" } };
    answer_file_dialog(file);
    for (auto const& c : cases) {
        SCOPED_TRACE(c.result);
        boxes.clear();
        lib.import_result = c.result;
        lib.calls.clear();
        click(CPageProfileDlg::IDC_IMPORT);
        EXPECT_EQ(lib.imported.back(), file);
        EXPECT_EQ(boxes, c.box ? std::vector<std::string> { c.box } : std::vector<std::string> {});
        bool const refreshed = std::count(lib.calls.begin(), lib.calls.end(), "ReadProfileList") > 0;
        EXPECT_EQ(refreshed, c.result == 0);
    }
}

TEST_F(ProfilePageTest, ExportAsksBeforeReplacingAndNeverEmptiesTheFileItself)
{
    lib.add("A", "A");
    open();
    std::string const file = folder + "/out.prof";
    station::testing::TraceAt trace(3);
    answer_file_dialog("");
    click(CPageProfileDlg::IDC_EXPORT);
    EXPECT_TRUE(lib.exported.empty());
    EXPECT_TRUE(trace.contains("[Kivra] GetSaveFileName() return FALSE, GetLastError() return 0"));

    answer_file_dialog(file);
    click(CPageProfileDlg::IDC_EXPORT);
    ASSERT_EQ(lib.exported.size(), 1u);
    EXPECT_EQ(lib.exported[0], std::make_pair(std::string("A"), file));
    EXPECT_TRUE(platform::framework::message_box_log().empty());
    EXPECT_FALSE(std::filesystem::exists(file)) << "the page leaves the file to the library";

    std::ofstream(file) << "old";
    answer_boxes(IDCANCEL);
    click(CPageProfileDlg::IDC_EXPORT);
    EXPECT_EQ(lib.exported.size(), 1u);
    EXPECT_EQ(platform::framework::message_box_log().back().type & MB_TYPEMASK, MB_OKCANCEL);
    answer_boxes(IDOK);
    lib.export_result = 0;
    click(CPageProfileDlg::IDC_EXPORT);
    platform::user::set_modal_hook(nullptr);
    EXPECT_EQ(lib.exported.size(), 2u);
    EXPECT_EQ(boxes, std::vector<std::string> { "IDS_IM_EXPORT_PROFILE_OPEN_FILE_FAIL" });
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
}

TEST_F(ProfilePageTest, AddAndEditAskTheWindowForTheEditor)
{
    lib.add("A", "A");
    lib.add("B", "B");
    open();
    click(CPageProfileDlg::IDC_ADD);
    EXPECT_EQ(sent(MSG_SHOW_PROFILEEDITOR, 4), 1);
    select(1);
    click(CPageProfileDlg::IDC_EDIT);
    ASSERT_EQ(sent(MSG_SHOW_PROFILEEDITOR, 5), 1);
    EXPECT_EQ(parent.privates.back().lParam, 1);
    lib.ms_config_service = 0;
    click(CPageProfileDlg::IDC_EDIT);
    EXPECT_EQ(sent(MSG_SHOW_PROFILEEDITOR, 5), 1);
}
