// The WAPI certificate tab, its user and AS sub-tabs and the certificate manager tab over a
// scripted library: the expiration texts, Browse removing every installed certificate before
// it installs the chosen one (one delete per certificate, last index first), load and setup
// failures, a library without VXWL_GetWAPICertInfo, the editors' load and clear calls, the tab
// without WAPI_Cert, and the manager's Install.
#include "station/controls/tests/DialogsFixture.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/core/tests/CoreTestSupport.h"
#include "station/profiles/PageWAPICertManageDlg.h"
#include "station/profiles/PageWAPIDlg.h"
#include "station/controls/CTabDialog.h"

#include "platform/system/FileDialog.h"
#include "platform/system/FileDialogModel.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// One installed certificate of the scripted library: its kind and the texts its descriptor
// decodes to.
struct FakeCert {
    std::uint32_t kind;
    std::string subject;
    std::string issuer;
    std::string valid_from;
    std::string valid_to;
};

// The scripted WAPI library: the installed list, what each call answers, and the calls made,
// with their index or path.
struct WapiLibrary : HideDlgServices {
    std::vector<FakeCert> installed;
    int load_result { 0 };
    int setup_result { 0 };
    int enum_result { 0 };
    // What a load of any file reads, and what its setup installs.
    FakeCert next { 0, "WAPI User", "WAPI Office AS", "250101000000Z", "350101000000Z" };
    CERT_INFO info {};
    std::vector<std::string> calls;
    HWND window {};

    static WapiLibrary*& the()
    {
        static WapiLibrary* lib = nullptr;
        return lib;
    }
    static void log(std::string call) { the()->calls.push_back(std::move(call)); }

    WapiLibrary()
    {
        the() = this;
        set_hide_dlg_services(this);
        auto& lib = G_VxWlLib;
        lib.VXWL_LoadX509UserCertificate.bind([](const char* path, WAPI_LOADED_CERT* loaded, char* key) {
            log(std::string("LoadUser ") + path);
            std::strcpy(key, "key");
            loaded->Identifier = 1;
            loaded->Length = 10;
            return the()->load_result;
        });
        lib.VXWL_SetupX509UserCertificate.bind([](const char* path, WAPI_LOADED_CERT* loaded, char* key) {
            // The key buffer comes back as the load filled it.
            log(std::string("SetupUser ") + path + " " + key + " " + std::to_string(loaded->Length));
            return the()->install();
        });
        lib.VXWL_LoadX509ASCertificate.bind([](const char* path, WAPI_LOADED_CERT*) {
            log(std::string("LoadAS ") + path);
            return the()->load_result;
        });
        lib.VXWL_SetupX509ASCertificate.bind([](const char* path, WAPI_LOADED_CERT*) {
            log(std::string("SetupAS ") + path);
            return the()->install();
        });
        lib.VXWL_EnumSystemCertificate.bind([](VXWL_U32* count, std::uint8_t* buffers) {
            log("Enum");
            if (the()->enum_result)
                return the()->enum_result;
            auto const& list = the()->installed;
            for (std::size_t i = 0; i < list.size(); ++i) {
                std::uint8_t* entry = buffers + i * SYSTEM_CERT_ENTRY_SIZE;
                std::memcpy(entry, &list[i].kind, 4);
                entry[SYSTEM_CERT_DESCRIPTOR_OFFSET] = std::uint8_t(i);
            }
            *count = VXWL_U32(list.size());
            return 0;
        });
        lib.VXWL_DeleteCertificate.bind([](int index) {
            log("Delete " + std::to_string(index));
            auto& list = the()->installed;
            if (index < 0 || std::size_t(index) >= list.size())
                return 1;
            list.erase(list.begin() + index);
            return 0;
        });
        lib.VXWL_GetCertificateManagerParam.bind([](const std::uint8_t* descriptor, std::uint8_t*, std::uint8_t* subject,
                                                      std::uint8_t* issuer, int*, std::uint8_t* from, std::uint8_t* to) {
            FakeCert const& c = the()->installed.at(descriptor[0]);
            put(subject, c.subject);
            put(issuer, c.issuer);
            put(from, c.valid_from);
            put(to, c.valid_to);
            return 0;
        });
        lib.VXWL_GetWAPICertInfo.bind([](const char* path, CERT_INFO* info, int mode) {
            log(std::string("Info ") + path + " " + std::to_string(mode));
            *info = the()->info;
            return 1;
        });
    }
    ~WapiLibrary() override
    {
        set_hide_dlg_services(nullptr);
#define WAPI_FAKE_UNBIND(name, result, params) G_VxWlLib.VXWL_##name.bind(nullptr);
        VXWL_EXPORTS(WAPI_FAKE_UNBIND)
#undef WAPI_FAKE_UNBIND
        the() = nullptr;
    }
    HWND config_window() const override { return window; }

    int install()
    {
        if (setup_result == 0)
            installed.push_back(next);
        return setup_result;
    }
    static void put(std::uint8_t* out, std::string const& text)
    {
        out[0] = std::uint8_t(text.size());
        std::memcpy(out + 1, text.data(), text.size());
    }
    void describe_files_as(char const* to, char const* by, char const* expiration)
    {
        info = {};
        std::strcpy(info.IssuedTo, to);
        std::strcpy(info.IssuedBy, by);
        std::strcpy(info.Expiration, expiration);
    }
    std::vector<std::string> calls_without_enum() const
    {
        std::vector<std::string> out;
        for (auto const& c : calls)
            if (c != "Enum")
                out.push_back(c);
        return out;
    }
};

class WapiTabTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        lib.window = parent.m_hWnd;
        saved_ui = G_UiStr;
        G_UiStr.IDS_ERROR_LOAD_CER = "IDS_ERROR_LOAD_CER";
        G_UiStr.IDS_ERROR_SETUP_CER = "IDS_ERROR_SETUP_CER";
        G_UiStr.IDS_TAB_WAPI_USER_CERT = "User";
        G_UiStr.IDS_TAB_WAPI_AS_CERT = "AS";
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
        char templ[] = "/tmp/wapi-tab-XXXXXX";
        folder = ::mkdtemp(templ);
        for (char const* name : { "user.cer", "as.cer" })
            std::ofstream(folder + "/" + name) << "certificate";
        G_VxWlLib.bWAPICert = 1;
    }
    void TearDown() override
    {
        tab.reset();
        manager.reset();
        platform::system::set_file_dialog_ui(nullptr);
        SetMessageBoxHandler(nullptr);
        G_UiStr = saved_ui;
        G_VxWlLib.bWAPICert = 0;
        std::filesystem::remove_all(folder);
        DialogsTest::TearDown();
    }

    CPageWAPIDlg& open_tab()
    {
        tab = std::make_unique<CPageWAPIDlg>(&parent);
        EXPECT_TRUE(tab->Create(CPageWAPIDlg::IDD, &parent));
        tab->ShowWindow(SW_SHOW);
        pump();
        return *tab;
    }
    // A user who picks `name` in the test folder, or cancels when it is empty.
    void answer_file_dialog(std::string name)
    {
        std::string const path = name.empty() ? std::string() : folder + "/" + name;
        platform::system::set_file_dialog_ui([path](platform::system::FileDialogModel& model, auto const&) {
            if (path.empty())
                return platform::system::FileDialogAnswer::cancelled;
            return model.submit(path) == platform::system::FileDialogModel::Outcome::accepted
                ? platform::system::FileDialogAnswer::accepted
                : platform::system::FileDialogAnswer::cancelled;
        });
    }
    static void click(CWnd& page, int id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, id)));
        pump();
    }
    static std::string shown(CWnd& page, int id) { return text_of(::GetDlgItem(page.m_hWnd, id)); }
    std::string path_of(char const* name) const { return folder + "/" + name; }

    WapiLibrary lib;
    std::unique_ptr<CPageWAPIDlg> tab;
    std::unique_ptr<CPageWAPICertManageDlg> manager;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
    std::string folder;
};

using Sub = CWapiCertSubTab;

}

TEST(WapiExpirationText, FollowsTheKindAndTheLengthOfTheValidityEnd)
{
    struct Case {
        char const* name;
        std::uint32_t kind;
        std::string from;
        std::string to;
        char const* expected;
    };
    Case const cases[] = {
        { "UTCTime end", 0, "250101000000Z", "250131235959Z", "2025/01/31 23:59:59" },
        { "UTCTime year 99 stays in the 2000s", 0, "", "991231000000Z", "2099/12/31 00:00:00" },
        { "GeneralizedTime end: start-end", 0, "20250101000000Z", "20350101000000Z", "20250101000000Z-20350101000000Z" },
        { "12 characters: start-end", 0, "a", "250131235959", "a-250131235959" },
        { "no validity", 0, "", "", "-" },
        { "national kind: four bytes each", 1, std::string("\x5E\x0B\xE1\x00\x77", 5), std::string("\x7F\xFF\xFF\xFF", 4), "5E0BE100-7FFFFFFF" },
        { "national kind, short texts padded with zeros", 7, std::string("\xAB", 1), "", "AB000000-00000000" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WapiExpirationText(c.kind, c.from, c.to), c.expected);
    }
}

TEST_F(WapiTabTest, BrowseRemovesEveryInstalledCertificateLastFirstThenInstallsAndDescribesTheFile)
{
    CPageWAPIDlg& page = open_tab();
    lib.installed = { { 0, "a", "b", "", "" }, { 0, "c", "d", "", "" }, { 1, "e", "f", "", "" } };
    lib.describe_files_as("WAPI User", "WAPI Office AS", "2035/01/01 00:00:00");
    answer_file_dialog("user.cer");
    station::testing::TraceAt trace(3);
    click(page.m_dlgUserCert, Sub::IDC_BROWSER);

    std::string const path = path_of("user.cer");
    std::vector<std::string> const expected { "Delete 2", "Delete 1", "Delete 0", "LoadUser " + path,
        "SetupUser " + path + " key 10", "Info " + path + " 1" };
    EXPECT_EQ(lib.calls_without_enum(), expected);
    ASSERT_EQ(lib.installed.size(), 1u);
    EXPECT_EQ(page.m_strUserCertPath, path.c_str());
    EXPECT_EQ(shown(page.m_dlgUserCert, Sub::IDC_PATH), path);
    EXPECT_EQ(shown(page.m_dlgUserCert, Sub::IDC_ISSUED_TO), "WAPI User");
    EXPECT_EQ(shown(page.m_dlgUserCert, Sub::IDC_ISSUED_BY), "WAPI Office AS");
    EXPECT_EQ(shown(page.m_dlgUserCert, Sub::IDC_EXPIRATION), "2035/01/01 00:00:00");
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(trace.contains("[Kivra] ## USER Cert##\ncer_identify: 1\ncer_length: 10"));
    EXPECT_TRUE(trace.contains("[Kivra] UserName: WAPI User"));
    EXPECT_TRUE(trace.contains("[Kivra] Expiration: 2035/01/01 00:00:00"));
}

TEST_F(WapiTabTest, NoInstalledCertificateMeansNoDeleteCall)
{
    CPageWAPIDlg& page = open_tab();
    answer_file_dialog("as.cer");
    click(page.m_dlgASCert, Sub::IDC_BROWSER);
    std::string const path = path_of("as.cer");
    std::vector<std::string> const expected { "LoadAS " + path, "SetupAS " + path, "Info " + path + " 1" };
    EXPECT_EQ(lib.calls_without_enum(), expected);
    EXPECT_EQ(page.m_strASCertPath, path.c_str());
    EXPECT_TRUE(page.m_strUserCertPath.IsEmpty());
}

TEST_F(WapiTabTest, LoadAndSetupFailuresShowTheirMessageAndKeepThePath)
{
    struct Case {
        char const* name;
        int load;
        int setup;
        char const* message;
        char const* trace;
    };
    Case const cases[] = {
        { "load fails", 1, 0, "IDS_ERROR_LOAD_CER", "[Kivra] LoadX509ASCertificate Fail !!!" },
        { "setup fails", 0, 3, "IDS_ERROR_SETUP_CER", "[Kivra] SetupX509ASCertificate Fail !!!" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        CPageWAPIDlg& page = open_tab();
        lib.installed = { { 0, "old", "old CA", "", "" }, { 0, "older", "old CA", "", "" } };
        lib.load_result = c.load;
        lib.setup_result = c.setup;
        lib.calls.clear();
        boxes.clear();
        answer_file_dialog("as.cer");
        station::testing::TraceAt trace(3);
        click(page.m_dlgASCert, Sub::IDC_BROWSER);

        // The certificates installed before are gone even though the new one is not installed.
        EXPECT_TRUE(lib.installed.empty());
        ASSERT_GE(lib.calls.size(), 3u);
        EXPECT_EQ(lib.calls[1], "Delete 1");
        EXPECT_EQ(lib.calls[2], "Delete 0");
        EXPECT_EQ(boxes, std::vector<std::string> { c.message });
        EXPECT_TRUE(trace.contains(c.trace));
        EXPECT_EQ(page.m_strASCertPath, path_of("as.cer").c_str());
        EXPECT_EQ(shown(page.m_dlgASCert, Sub::IDC_PATH), path_of("as.cer"));
    }
}

TEST_F(WapiTabTest, ALibraryWithoutCertInfoLeavesTheTextsEmpty)
{
    CPageWAPIDlg& page = open_tab();
    G_VxWlLib.VXWL_GetWAPICertInfo.bind(nullptr);
    answer_file_dialog("user.cer");
    station::testing::TraceAt trace(1);
    click(page.m_dlgUserCert, Sub::IDC_BROWSER);
    // The installed list was described first, then the missing export emptied the texts.
    EXPECT_EQ(lib.installed.size(), 1u);
    for (int id : { Sub::IDC_ISSUED_TO, Sub::IDC_ISSUED_BY, Sub::IDC_EXPIRATION })
        EXPECT_EQ(shown(page.m_dlgUserCert, id), "");
    EXPECT_TRUE(page.m_dlgUserCert.m_strIssuedTo.IsEmpty());
    EXPECT_FALSE(trace.contains("[Kivra] GetWAPICertInfo is missing from the WLAN library: call failed"));
}

TEST_F(WapiTabTest, SetupShowsTheLastInstalledEntryWithItsExpiration)
{
    CPageWAPIDlg& page = open_tab();
    lib.installed = { { 1, "National", "CA", "\x5E\x0B\xE1\x00", "\x7F\xFF\xFF\xFF" } };
    lib.next = { 0, "WAPI User", "WAPI Office AS", "250101000000Z", "250131235959Z" };
    page.m_dlgUserCert.SetupCert(path_of("user.cer").c_str());
    EXPECT_EQ(page.m_dlgUserCert.m_strIssuedTo, "WAPI User");
    EXPECT_EQ(page.m_dlgUserCert.m_strIssuedBy, "WAPI Office AS");
    EXPECT_EQ(shown(page.m_dlgUserCert, Sub::IDC_EXPIRATION), "2025/01/31 23:59:59");
}

TEST_F(WapiTabTest, AFailedEnumerationIsOnlyTracedAndTheFileIsStillInstalled)
{
    CPageWAPIDlg& page = open_tab();
    lib.enum_result = 5;
    answer_file_dialog("as.cer");
    station::testing::TraceAt trace(1);
    click(page.m_dlgASCert, Sub::IDC_BROWSER);
    EXPECT_TRUE(trace.contains("[Kivra] DeleteAllCert: EnumSystemCertificate Fail !!!"));
    EXPECT_TRUE(trace.contains("[Kivra] EnumSystemCertificate Fail !!!"));
    std::string const path = path_of("as.cer");
    std::vector<std::string> const expected { "LoadAS " + path, "SetupAS " + path, "Info " + path + " 1" };
    EXPECT_EQ(lib.calls_without_enum(), expected);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WapiTabTest, ACancelledBrowseChangesNothing)
{
    CPageWAPIDlg& page = open_tab();
    page.LoadCertificates("/certs/user.cer", "");
    lib.calls.clear();
    answer_file_dialog("");
    station::testing::TraceAt trace(3);
    click(page.m_dlgUserCert, Sub::IDC_BROWSER);
    EXPECT_TRUE(lib.calls.empty());
    EXPECT_EQ(page.m_strUserCertPath, "/certs/user.cer");
    EXPECT_TRUE(trace.contains("[Kivra] GetOpenFileName() return FALSE, GetLastError() return 0"));
}

TEST_F(WapiTabTest, LoadingAProfileInstallsUserThenASAndBringsTheUserSubTabForward)
{
    CPageWAPIDlg& page = open_tab();
    // The editors' check of the names brings a sub-tab forward with its button.
    page.ShowASCertTab();
    pump();
    ASSERT_TRUE(page.m_dlgASCert.IsWindowVisible());
    EXPECT_FALSE(page.m_dlgUserCert.IsWindowVisible());
    lib.describe_files_as("Subject", "Issuer", "2030/12/31 23:59:59");
    page.LoadCertificates("/c/user.cer", "/c/as.cer");
    std::vector<std::string> const expected { "LoadUser /c/user.cer", "SetupUser /c/user.cer key 10", "Info /c/user.cer 1",
        "Delete 0", "LoadAS /c/as.cer", "SetupAS /c/as.cer", "Info /c/as.cer 1" };
    EXPECT_EQ(lib.calls_without_enum(), expected);
    EXPECT_EQ(shown(page.m_dlgUserCert, Sub::IDC_PATH), "/c/user.cer");
    EXPECT_EQ(shown(page.m_dlgASCert, Sub::IDC_PATH), "/c/as.cer");
    EXPECT_EQ(shown(page.m_dlgASCert, Sub::IDC_ISSUED_BY), "Issuer");
    EXPECT_TRUE(page.m_dlgUserCert.IsWindowVisible());
    EXPECT_FALSE(page.m_dlgASCert.IsWindowVisible());

    // An empty path is shown but not installed; clearing empties both sub-tabs.
    lib.calls.clear();
    page.LoadCertificates("", "/c/as2.cer");
    EXPECT_EQ(lib.calls_without_enum().front(), "Delete 0");
    EXPECT_EQ(lib.calls_without_enum()[1], "LoadAS /c/as2.cer");
    EXPECT_TRUE(page.m_strUserCertPath.IsEmpty());
    page.ClearCertificates();
    for (Sub* sub : { static_cast<Sub*>(&page.m_dlgUserCert), static_cast<Sub*>(&page.m_dlgASCert) })
        for (int id : { Sub::IDC_PATH, Sub::IDC_ISSUED_TO, Sub::IDC_ISSUED_BY, Sub::IDC_EXPIRATION })
            EXPECT_EQ(shown(*sub, id), "");
    EXPECT_TRUE(page.m_strASCertPath.IsEmpty());
}

TEST_F(WapiTabTest, WithoutTheWapiCertOptionTheTabHasNoSubTabsAndIgnoresLoadAndClear)
{
    G_VxWlLib.bWAPICert = 0;
    CPageWAPIDlg& page = open_tab();
    EXPECT_EQ(page.m_dlgUserCert.m_hWnd, nullptr);
    EXPECT_EQ(page.m_dlgASCert.m_hWnd, nullptr);
    EXPECT_EQ(page.tab_host()->page_count(), 0);
    page.LoadCertificates("/c/user.cer", "/c/as.cer");
    EXPECT_TRUE(page.m_strUserCertPath.IsEmpty());
    EXPECT_TRUE(page.m_strASCertPath.IsEmpty());
    page.ClearCertificates();
    EXPECT_TRUE(lib.calls.empty());
}

TEST_F(WapiTabTest, ManagerInstallAddsARowFromTheFileDescriptionAndACancelAddsNone)
{
    manager = std::make_unique<CPageWAPICertManageDlg>(&parent);
    ASSERT_TRUE(manager->Create(CPageWAPICertManageDlg::IDD, &parent));
    manager->ShowWindow(SW_SHOW);
    pump();
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(manager->m_hWnd, CPageWAPICertManageDlg::IDC_INSTITUTION)));

    answer_file_dialog("");
    click(*manager, CPageWAPICertManageDlg::IDC_INSTALL);
    EXPECT_TRUE(manager->m_rows.empty());
    EXPECT_EQ(manager->m_listCert.GetItemCount(), 0);

    lib.describe_files_as("WAPI User", "WAPI Office AS", "2035/01/01 00:00:00");
    answer_file_dialog("user.cer");
    click(*manager, CPageWAPICertManageDlg::IDC_INSTALL);
    ASSERT_EQ(manager->m_rows.size(), 1u);
    EXPECT_EQ(manager->m_listCert.GetItemCount(), 1);
    EXPECT_EQ(manager->m_strInstallPath, path_of("user.cer").c_str());
    auto* cell = manager->m_listCert.FillCellRequest(0, 0);
    EXPECT_EQ(cell->m_strText, "WAPI Office AS");
    cell = manager->m_listCert.FillCellRequest(0, 1);
    EXPECT_EQ(cell->m_strText, "WAPI User");
    cell = manager->m_listCert.FillCellRequest(0, 2);
    EXPECT_EQ(cell->m_strText, "-2035/01/01 00:00:00");
    using M = CPageWAPICertManageDlg;
    EXPECT_EQ(shown(*manager, M::IDC_ISSUED_FROM), "WAPI Office AS");
    EXPECT_EQ(shown(*manager, M::IDC_ISSUED_TO), "WAPI User");
    EXPECT_EQ(shown(*manager, M::IDC_VALID_TO), "2035/01/01 00:00:00");
    // What the description cannot give stays empty, not a zeroed record's "v1" and zero serial.
    for (int id : { M::IDC_VERSION, M::IDC_SERIAL, M::IDC_TYPE, M::IDC_VALID_FROM })
        EXPECT_EQ(shown(*manager, id), "");
    // The manager installs nothing through the library.
    EXPECT_EQ(lib.calls, std::vector<std::string> { "Info " + path_of("user.cer") + " 1" });

    // The other buttons do nothing.
    for (int id : { M::IDC_AS_MANAGE, M::IDC_MOVE_UP, M::IDC_MOVE_DOWN, M::IDC_DELETE })
        click(*manager, id);
    EXPECT_EQ(manager->m_rows.size(), 1u);
    EXPECT_EQ(lib.calls.size(), 1u);
}

TEST_F(WapiTabTest, SubTabFrameIsTwoPixelsOfShadowAndHighlightAlongEachEdge)
{
    CPageWAPIDlg& page = open_tab();
    // Brought forward by its button, after the other sub-tab.
    page.ShowASCertTab();
    pump();
    page.ShowUserCertTab();
    pump();
    CWapiCertSubTab& sub = page.m_dlgUserCert;
    ASSERT_TRUE(sub.IsWindowVisible());
    CRect client;
    sub.GetClientRect(&client);
    int const w = client.Width();
    int const h = client.Height();
    COLORREF const shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF const highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF const face = ::GetSysColor(COLOR_BTNFACE);
    struct Probe {
        char const* where;
        int x, y;
        COLORREF colour;
    };
    Probe const probes[] = {
        { "top", w / 2, 0, shadow }, { "top", w / 2, 1, highlight }, { "top, inside", w / 2, 2, face },
        { "left", 0, h / 2, shadow }, { "left", 1, h / 2, highlight }, { "left, inside", 2, h / 2, face },
        { "right", w - 2, h / 2, shadow }, { "right", w - 1, h / 2, highlight }, { "right, inside", w - 3, h / 2, face },
        { "bottom", w / 2, h - 2, shadow }, { "bottom", w / 2, h - 1, highlight }, { "bottom, inside", w / 2, h - 3, face },
    };
    for (Probe const& p : probes)
        EXPECT_EQ(pixel(sub.m_hWnd, p.x, p.y), p.colour) << p.where << " " << p.x << "," << p.y;
}
