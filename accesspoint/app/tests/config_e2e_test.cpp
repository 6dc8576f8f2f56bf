// The configuration side of the running program on the default world, as a user works it: a new
// network name and channel applied reach the access point (`wlansim list`) and the stations
// leave the old network and join the new one; WPA2-PSK refuses a short key, then a new key
// keeps out every station until wlansim gives one the key; an agreement added with the laptop
// shows in the originator table; access control rejecting the laptop's address removes it,
// with its event. What the pages show is read from snapshots of the window tree, which stay
// beside the test binary ("hotvane_config_run/<step>") for a person to look at.
#include "HotvaneAppHarness.h"

#include "accesspoint/pages/AccessControlPage.h"
#include "accesspoint/pages/AuthSecuDlg.h"
#include "accesspoint/pages/BlockAckDialogs.h"
#include "accesspoint/pages/BlockAckPage.h"
#include "accesspoint/pages/ConfigPage.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/tests/LabelFit.h"
#include "platform/display/tests/SnapshotReader.h"
#include "platform/gdi/FontCache.h"

#include <algorithm>

using namespace hotvane;
using hotvane::testing::HotvaneAppHarness;
using platform::display::testing::Shown;
using platform::controls::testing::describe;
using platform::controls::testing::list_misfits;
using platform::controls::testing::misfits_under;

namespace {

using CP = CConfigPage;
using SD = CAuthSecuDlg;
using AC = CAccessControlPage;
using BP = CBlockAck;
using BD = CBlockAckDialogBase;

constexpr int kEventList = 1107;
constexpr char const* kLaptop = "02-30-00-00-00-01";
// The 5 GHz region list names each channel of the region (up to 24 of them): no field holds
// that, and the region's number leads the text; its texts are not judged for fit.
constexpr int kRegion5GHz = CP::IDC_REGION_A;

Shown look(std::string const& step)
{
    platform::testing::pump_until_idle();
    return platform::display::testing::snapshot(platform::display::testing::snapshot_folder("hotvane_config_run", step));
}

bool row_has(Shown const& shown, int list, std::string const& first, std::string const& second = "")
{
    auto it = shown.rows.find(list);
    if (it == shown.rows.end())
        return false;
    auto contains = [](auto const& row, std::string const& text) {
        return std::any_of(row.begin(), row.end(), [&](auto const& cell) { return cell.find(text) != std::string::npos; });
    };
    return std::any_of(it->second.begin(), it->second.end(),
        [&](auto const& row) { return contains(row, first) && (second.empty() || contains(row, second)); });
}

HWND item(HWND parent, int id) { return ::GetDlgItem(parent, id); }
HWND item(CWnd& page, int id) { return ::GetDlgItem(page.m_hWnd, id); }

// Selects the entry showing `text` and tells the parent, as a pick in the drop-down does.
void choose(HWND combo, std::string const& text)
{
    int const index = int(::SendMessage(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text.c_str())));
    ASSERT_GE(index, 0) << text;
    ::SendMessage(combo, CB_SETCURSEL, WPARAM(index), 0);
    ::SendMessage(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    platform::testing::pump_until_idle();
}

void click(HWND button)
{
    ::SendMessage(button, BM_CLICK, 0, 0);
    platform::testing::pump_until_idle();
}

void type(HWND edit, std::string const& text)
{
    ::SetWindowText(edit, text.c_str());
    platform::testing::pump_until_idle();
}

// Selects one row of a list view, as a click on it does.
void select_row(HWND list, int row)
{
    LVITEM state {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessage(list, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessage(list, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
    platform::testing::pump_until_idle();
}

class HotvaneConfigRun : public HotvaneAppHarness {
protected:
    // `wlansim list` of this test's world.
    std::string wlansim_list()
    {
        settle();
        std::string out;
        if (FILE* pipe = ::popen((std::string(WLANSIM_PATH) + " list 2>&1").c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, pipe))
                out += buffer;
            ::pclose(pipe);
        }
        return out;
    }
    static std::string station_line(std::string const& list, std::string const& id)
    {
        auto const at = list.find("  station " + id + " ");
        return at == std::string::npos ? "" : list.substr(at, list.find('\n', at) - at);
    }
    static bool associated(std::string const& list, std::string const& id)
    {
        return station_line(list, id).find(" associated aid ") != std::string::npos;
    }
    void expect_page_texts_fit(std::string const& font_file);
};

}

TEST_F(HotvaneConfigRun, ConfigurationSecurityBlockAckAndAccessControl)
{
    on_running([&](CHideDlg& dialog) {
        advance(2000);
        ASSERT_TRUE(dialog.sheet_open());
        CVxPropSheet* sheet = dialog.sheet();
        ASSERT_EQ(sheet->GetPageCount(), 7) << "the block acknowledgement tab";
        std::string list = wlansim_list();
        ASSERT_TRUE(associated(list, "laptop")) << list;

        // A new name and channel, applied: the access point serves them and the stations are
        // associated with it.
        CConfigPage& config = sheet->m_pageConfig;
        sheet->SetActivePage(&config);
        type(item(config, CP::IDC_SSID), "Harbour AP");
        choose(item(config, CP::IDC_CHANNEL), "11");
        Shown shown = look("configuration");
        EXPECT_EQ(shown.texts[CP::IDC_SSID], "Harbour AP");
        EXPECT_EQ(describe(misfits_under(config.m_hWnd, { kRegion5GHz })), "");
        click(item(config, CP::IDC_APPLY));
        advance(2000);
        EXPECT_TRUE(box_texts().empty());
        list = wlansim_list();
        EXPECT_NE(list.find("softap serving ssid \"Harbour AP\" channel 11\n"), std::string::npos) << list;
        for (char const* station : { "laptop", "phone", "printer" })
            EXPECT_TRUE(associated(list, station)) << station << "\n" << list;
        sheet->SetActivePage(&sheet->m_pageEventLog);
        advance(2000);
        shown = look("event-log-after-apply");
        EXPECT_TRUE(row_has(shown, kEventList, kLaptop, "left")) << "the laptop left the old network";
        EXPECT_TRUE(row_has(shown, kEventList, kLaptop, "associated"));
        sheet->SetActivePage(&config);

        // WPA2-PSK: a 7-character key is refused in the dialog, an 8-character one taken.
        std::vector<std::string> boxes_in_dialog;
        on_dialog("Security Setting", [&](HWND d) {
            choose(item(d, SD::IDC_AUTH), "WPA2-PSK");
            choose(item(d, SD::IDC_ENCRYPTION), "AES");
            type(item(d, SD::IDC_PSK), "harbour");
            ::SendMessage(d, WM_COMMAND, IDOK, 0);
            platform::testing::pump_until_idle();
            boxes_in_dialog = box_texts();
            EXPECT_TRUE(::IsWindowVisible(d)) << "a refused key keeps the dialog open";
            look("security-dialog");
            // Each text fits its control: the keys' labels beside their radio buttons' boxes too.
            EXPECT_EQ(describe(misfits_under(d)), "");
            type(item(d, SD::IDC_PSK), "harbour-key");
            ::SendMessage(d, WM_COMMAND, IDOK, 0);
            platform::testing::pump_until_idle();
        });
        click(item(config, CP::IDC_SECURITY));
        EXPECT_EQ(boxes_in_dialog,
            (std::vector<std::string> { "The pre-shared key must be 8 to 63 characters or 64 hexadecimal digits." }));
        click(item(config, CP::IDC_APPLY));
        advance(2000);
        list = wlansim_list();
        for (char const* station : { "laptop", "phone", "printer" })
            EXPECT_FALSE(associated(list, station)) << station << " has no key\n" << list;
        wlansim("sta-set phone key=harbour-key");
        wlansim("sta-set laptop key=harbour-key");
        wlansim("sta-set printer key=another-key");
        advance(2000);
        list = wlansim_list();
        EXPECT_TRUE(associated(list, "phone")) << list;
        EXPECT_TRUE(associated(list, "laptop")) << list;
        EXPECT_FALSE(associated(list, "printer")) << list;

        // Manual set-up with aggregation, applied; then an agreement added with the laptop.
        CBlockAck& blockack = sheet->m_pageBlockAck;
        sheet->SetActivePage(&blockack);
        advance(1000);
        if (::SendMessage(item(blockack, BP::IDC_AGGREGATION), BM_GETCHECK, 0, 0) != BST_CHECKED)
            click(item(blockack, BP::IDC_AGGREGATION));
        click(item(blockack, BP::IDC_MANUAL));
        click(item(blockack, BP::IDC_APPLY));
        ASSERT_TRUE(::IsWindowEnabled(item(blockack, BP::IDC_ORIGINATOR_ADD)));
        on_dialog("Add Block Ack", [&](HWND d) {
            // The associated stations; the laptop's row chosen.
            auto const peers = look("block-ack-add-peers").rows[BD::IDC_PEERS];
            auto const laptop = std::find_if(peers.begin(), peers.end(), [](auto const& row) { return !row.empty() && row[0] == kLaptop; });
            ASSERT_NE(laptop, peers.end());
            select_row(item(d, BD::IDC_PEERS), int(laptop - peers.begin()));
            choose(item(d, BD::IDC_TID), "3");
            type(item(d, BD::IDC_WINDOW), "64");
            look("block-ack-add");
            EXPECT_EQ(describe(misfits_under(d)), "");
            ::SendMessage(d, WM_COMMAND, IDOK, 0);
            platform::testing::pump_until_idle();
        });
        click(item(blockack, BP::IDC_ORIGINATOR_ADD));
        advance(2000);
        shown = look("block-ack");
        // The originator table: the laptop's address, then TIDs 0 to 7.
        auto const& originated = shown.rows[BP::IDC_ORIGINATOR_LIST];
        ASSERT_EQ(originated.size(), 1u);
        EXPECT_EQ(originated[0], (std::vector<std::string> { kLaptop, "-", "-", "-", "64", "-", "-", "-", "-" }));
        // The address and the column titles fit their columns.
        EXPECT_EQ(describe(list_misfits(item(blockack, BP::IDC_ORIGINATOR_LIST))), "");
        on_dialog("Delete Block Ack", [&](HWND d) {
            look("block-ack-delete");
            EXPECT_EQ(describe(misfits_under(d)), "");
            ::SendMessage(d, WM_COMMAND, IDCANCEL, 0);
        });
        click(item(blockack, BP::IDC_ORIGINATOR_DELETE));
        advance(1000);

        // Access control rejecting the laptop's address: the laptop goes, with its event.
        CAccessControlPage& acl = sheet->m_pageAccessControl;
        sheet->SetActivePage(&acl);
        choose(item(acl, AC::IDC_POLICY), "Reject All");
        type(item(acl, AC::IDC_ENTRY), "023000000001");
        click(item(acl, AC::IDC_ADD));
        type(item(acl, AC::IDC_ENTRY), "023000000099");
        click(item(acl, AC::IDC_ADD));
        ::SendMessage(item(acl, AC::IDC_LIST), LB_SETCURSEL, 1, 0);
        ::SendMessage(acl.m_hWnd, WM_COMMAND, MAKEWPARAM(AC::IDC_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(item(acl, AC::IDC_LIST)));
        platform::testing::pump_until_idle();
        shown = look("access-control-modify");
        EXPECT_EQ(shown.texts[AC::IDC_MODIFY_EDIT], "023000000099");
        click(item(acl, AC::IDC_MODIFY_CANCEL));
        click(item(acl, AC::IDC_APPLY));
        advance(2000);
        list = wlansim_list();
        EXPECT_FALSE(associated(list, "laptop")) << list;
        EXPECT_TRUE(associated(list, "phone")) << list;
        sheet->SetActivePage(&sheet->m_pageEventLog);
        advance(2000);
        shown = look("event-log");
        EXPECT_TRUE(row_has(shown, kEventList, kLaptop, "was removed after a configuration or access control change"));
    });
    run();
}

// Every page's texts fit their controls, and a peer's address fits the block acknowledgement
// tables' first column, "64" the others: in the faces a user's machine draws (the substitution
// table) and in the pinned test font (DejaVu Sans, wider still).
void HotvaneConfigRun::expect_page_texts_fit(std::string const& font_file)
{
    platform::gdi::pin_font_file(font_file);
    on_running([&](CHideDlg& dialog) {
        advance(2000);
        ASSERT_TRUE(dialog.sheet_open());
        CVxPropSheet* sheet = dialog.sheet();
        ASSERT_EQ(sheet->GetPageCount(), 7);
        for (int index = 0; index < sheet->GetPageCount(); ++index) {
            sheet->SetActivePage(index);
            advance(1000);
            CPropertyPage* const page = sheet->GetPage(index);
            EXPECT_EQ(describe(misfits_under(page->m_hWnd, { kRegion5GHz })), "") << page->caption().str();
        }
        std::vector<std::pair<int, std::string>> samples { { 0, kLaptop } };
        for (int column = 1; column <= 8; ++column)
            samples.emplace_back(column, "64");
        for (int id : { BP::IDC_ORIGINATOR_LIST, BP::IDC_RECIPIENT_LIST })
            EXPECT_EQ(describe(list_misfits(item(sheet->m_pageBlockAck, id), samples)), "") << id;
    });
    run();
}

TEST_F(HotvaneConfigRun, PageTextsFitInTheFacesAUserDraws)
{
    expect_page_texts_fit("");
}

TEST_F(HotvaneConfigRun, PageTextsFitInThePinnedTestFontToo)
{
    expect_page_texts_fit(ACCESSPOINT_TEST_FONT);
}
