// The block acknowledgement tab and its two modal dialogs on the simulated access point: the
// capability it applies and stores, the tables it refreshes while shown, and the requests the
// library receives after each dialog.
#include "ConfigFixture.h"

#include "accesspoint/pages/BlockAckDialogs.h"

using namespace hotvane;
using BP = CBlockAck;
using BD = CBlockAckDialogBase;

namespace {

int g_read_result = 1;
int fake_read(VXAP_U32* packed)
{
    *packed = 0x0FFFFFFF;
    return g_read_result;
}

int no_11n() { return 0; }

int fake_table(BA_TABLE* table)
{
    *table = BA_TABLE {};
    BA_ENTRY& e = table->Originator[3];
    e.Mac[0] = 0x02;
    e.Mac[5] = 0x09;
    e.TidBitmap = 0x21; // TIDs 0 and 5
    e.WindowSize[0] = 32;
    e.WindowSize[5] = 64;
    table->OriginatorCount = 1;
    return 1;
}

}

class BlockAckTest : public ConfigTest {
protected:
    CBlockAck& page() { return sheet->m_pageBlockAck; }

    void open_page()
    {
        open_sheet();
        sheet->RefreshPages();
        pump();
        sheet->SetActivePage(&sheet->m_pageBlockAck);
        advance(2000); // the stations have joined
    }

    // Clicks `button` on the page; the dialog that opens runs `script` and is cancelled unless
    // it ended. Answers whether the library got a request.
    bool through_dialog(int button, std::function<void(HWND)> const& script)
    {
        dialog_script = [script](HWND dialog) {
            script(dialog);
            ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        };
        clear_calls();
        // Some of the buttons are hidden: the command the button would send.
        ::SendMessage(page().m_hWnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(item(page(), button)));
        pump();
        dialog_script = nullptr;
        return last_call("SetIMMEBA").has_value();
    }

    static void press_ok(HWND dialog)
    {
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
        pump();
    }

    static int peers(HWND dialog) { return static_cast<int>(::SendMessage(item(dialog, BD::IDC_PEERS), LVM_GETITEMCOUNT, 0, 0)); }
};

TEST_F(BlockAckTest, ApplyPacksTheCapability)
{
    open_page();
    clear_calls();
    click(item(page(), BP::IDC_APPLY));
    auto stored = last_call("WriteBACap");
    ASSERT_TRUE(stored);
    EXPECT_EQ(word(*stored, 0), 0x03432020u);
    click(item(page(), BP::IDC_SMPS_DYNAMIC));
    click(item(page(), BP::IDC_APPLY));
    EXPECT_EQ(word(*last_call("WriteBACap"), 0), 0x01432020u);
    auto const applied = last_call("SetBACap");
    ASSERT_TRUE(applied);
    EXPECT_EQ((*applied)[6], 1) << "dynamic power save in the applied record";
}

TEST_F(BlockAckTest, FailedStoredReadKeepsTheDefaultsAndAppliesThem)
{
    auto const saved = G_VxApApi.VXAP_ReadBACap.get();
    G_VxApApi.VXAP_ReadBACap.bind(fake_read);
    g_read_result = 0;
    clear_calls();
    open_page();
    auto const applied = last_call("SetBACap");
    ASSERT_TRUE(applied);
    EXPECT_EQ(PackBACap(*reinterpret_cast<BA_CAP_SETTING const*>(applied->data())), 0x03432020u);
    G_VxApApi.VXAP_ReadBACap.bind(saved);
}

TEST_F(BlockAckTest, TableRowsAndRefreshOnlyWhileShown)
{
    auto const saved = G_VxApApi.VXAP_QueryBATable.get();
    G_VxApApi.VXAP_QueryBATable.bind(fake_table);
    open_page();
    advance(1000);
    auto const listed = rows(page().m_listOriginator, 9);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0], (std::vector<std::string> { "02-00-00-00-00-09", "32", "-", "-", "-", "-", "64", "-", "-" }));
    EXPECT_EQ(page().m_listRecipient.GetItemCount(), 0);

    page().m_listOriginator.DeleteAllItems();
    sheet->SetActivePage(&sheet->m_pageConfig);
    advance(3000);
    EXPECT_EQ(page().m_listOriginator.GetItemCount(), 0) << "no refresh while another page shows";
    clear_calls();
    sheet->SetActivePage(&sheet->m_pageBlockAck);
    advance(1000);
    EXPECT_EQ(page().m_listOriginator.GetItemCount(), 1);
    G_VxApApi.VXAP_QueryBATable.bind(saved);
}

TEST_F(BlockAckTest, ReturningShowsTheAdaptersCurrentCapability)
{
    open_page();
    sheet->SetActivePage(&sheet->m_pageConfig);
    BA_CAP_SETTING cap = BACapFromMembers(BlockAckMembers {});
    cap.MpduDensity = 5;
    cap.Aggregation = 2;
    G_VxApApi.VXAP_SetBACap(cap);
    sheet->SetActivePage(&sheet->m_pageBlockAck);
    pump();
    EXPECT_EQ(selected(item(page(), BP::IDC_DENSITY)), "5");
    EXPECT_FALSE(checked(item(page(), BP::IDC_AGGREGATION)));
    EXPECT_FALSE(enabled(item(page(), BP::IDC_ORIGINATOR_ADD)));
}

TEST_F(BlockAckTest, AddSendsTheRequestAndRefusesAWindowOfZeroLowBits)
{
    open_page();
    struct Case {
        const char* window;
        bool sent;
        std::uint8_t byte8;
    } const cases[] = { { "300", true, 44 }, { "256", false, 0 }, { "0", false, 0 }, { "64", true, 64 }, { "x", false, 0 } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.window);
        platform::framework::message_box_log().clear();
        int listed = 0;
        bool const sent = through_dialog(BP::IDC_ORIGINATOR_ADD, [&](HWND d) {
            listed = peers(d);
            choose(item(d, BD::IDC_TID), "3");
            type(item(d, BD::IDC_WINDOW), c.window);
            press_ok(d);
        });
        EXPECT_EQ(listed, 3) << "the associated stations";
        ASSERT_EQ(sent, c.sent);
        if (c.byte8 == 0 && std::string(c.window) != "x") {
            EXPECT_EQ(boxes(), (std::vector<std::string> { G_UiStr.IDS_ADD_BLOCKACK_ORI_WM_SIZE_ERR_MSG }));
        }
        if (!sent)
            continue;
        auto const request = *last_call("SetIMMEBA");
        ASSERT_EQ(request.size(), 14u);
        EXPECT_EQ(request, (std::vector<std::uint8_t> { 0, 0x02, 0x30, 0, 0, 0, 0x01, 3, c.byte8, 0, 0, 0, 0, 0 }));
    }
}

TEST_F(BlockAckTest, AddWithoutStationsRefusesOk)
{
    world("sta-leave laptop");
    world("sta-leave phone");
    world("sta-leave printer");
    open_page();
    int listed = -1;
    bool const sent = through_dialog(BP::IDC_RECIPIENT_ADD, [&](HWND d) {
        listed = peers(d);
        press_ok(d);
    });
    EXPECT_EQ(listed, 0);
    EXPECT_FALSE(sent);
    EXPECT_EQ(boxes(), (std::vector<std::string> { G_UiStr.IDS_ADD_BLOCKACK_BSSID_ERR_MSG }));
}

TEST_F(BlockAckTest, DeleteAllAndDeleteFromAnEmptyTable)
{
    auto const saved = G_VxApApi.VXAP_QueryBATable.get();
    G_VxApApi.VXAP_QueryBATable.bind(fake_table);
    open_page();
    advance(1000);
    bool tid_shown = true;
    bool sent = through_dialog(BP::IDC_ORIGINATOR_DELETE_ALL, [&](HWND d) {
        tid_shown = shown(item(d, BD::IDC_TID));
        ::SendMessage(item(d, BD::IDC_TID), CB_SETCURSEL, 6, 0);
        press_ok(d);
    });
    ASSERT_TRUE(sent);
    EXPECT_FALSE(tid_shown);
    EXPECT_EQ(*last_call("SetIMMEBA"), (std::vector<std::uint8_t> { 0, 0x02, 0, 0, 0, 0, 0x09, 6, 0, 0, 0, 0, 1, 0 }));

    platform::framework::message_box_log().clear();
    int listed = -1;
    sent = through_dialog(BP::IDC_RECIPIENT_DELETE, [&](HWND d) {
        listed = peers(d);
        press_ok(d);
    });
    EXPECT_EQ(listed, 0);
    EXPECT_FALSE(sent);
    EXPECT_EQ(boxes(), (std::vector<std::string> { G_UiStr.IDS_ADD_BLOCKACK_BSSID_ERR_MSG }));
    G_VxApApi.VXAP_QueryBATable.bind(saved);
}

// The adapter loses 802.11n while the add dialog runs: the page stays until the dialog ends and
// goes on the next refresh.
TEST_F(BlockAckTest, PageOutlivesItsDialogWhen80211nGoes)
{
    open_page();
    auto const saved = G_VxApApi.VXAP_Is80211NSupport.get();
    bool ran = false;
    through_dialog(BP::IDC_ORIGINATOR_ADD, [&](HWND) {
        ran = true;
        G_VxApApi.VXAP_Is80211NSupport.bind(no_11n);
        sheet->RefreshPages();
        EXPECT_EQ(tabs().size(), 7u);
    });
    EXPECT_TRUE(ran);
    sheet->RefreshPages();
    pump();
    EXPECT_EQ(tabs().size(), 6u);
    G_VxApApi.VXAP_Is80211NSupport.bind(saved);
}
