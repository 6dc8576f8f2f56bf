// The block-acknowledgement add and delete dialogs over a fake library: the peer list (connected
// access point first, table order, the 32-peer clamp), the requests byte for byte with the
// system's identifiers, the refusals, and the return of the lower area to link status before
// each close handler returns.
#include "FakeBlockAckLibrary.h"
#include "FeaturesFixture.h"

#include "platform/framework/MessageBox.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/features/AddBlockAckDlg.h"
#include "station/features/DeleteBlockAckDlg.h"

#include <string>
#include <vector>

namespace {

using Mac = std::array<BYTE, 6>;
constexpr Mac kPeerA { 0x02, 0x10, 0, 0, 0, 0x0A };
constexpr Mac kPeerB { 0x02, 0x10, 0, 0, 0, 0x0B };
constexpr BYTE kAccessPoint[6] { 0x02, 0x10, 0, 0, 0, 0x05 };
constexpr Mac kAccessPointMac { 0x02, 0x10, 0, 0, 0, 0x05 };

class BlockAckDlgTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        lib.config_window = parent.m_hWnd;
        saved_ui = G_UiStr;
        G_UiStr.IDS_ADD_BLOCKACK_BSSID_ERR_MSG = "IDS_ADD_BLOCKACK_BSSID_ERR_MSG";
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
        lib.set_peers({ kPeerA, kAccessPointMac, kPeerB }, 3);
    }
    void TearDown() override
    {
        add.reset();
        del.reset();
        SetMessageBoxHandler(nullptr);
        G_UiStr = saved_ui;
        FeaturesTest::TearDown();
    }

    template<typename Dialog>
    Dialog& open(std::unique_ptr<Dialog>& dialog)
    {
        dialog = std::make_unique<Dialog>(&parent);
        EXPECT_TRUE(dialog->Create(Dialog::IDD, &parent));
        return *dialog;
    }
    static void show(CWnd& dialog)
    {
        dialog.ShowWindow(SW_HIDE);
        dialog.ShowWindow(SW_SHOW);
        pump();
    }
    static std::vector<std::string> peers(CWnd& dialog)
    {
        HWND list = ::GetDlgItem(dialog.m_hWnd, CAddBlockAckDlg::IDC_PEERS);
        std::vector<std::string> out;
        auto* l = dynamic_cast<CListCtrl*>(CWnd::FromHandlePermanent(list));
        for (int i = 0; i < l->GetItemCount(); ++i)
            out.push_back(l->GetItemText(i, 0).str());
        return out;
    }
    static int selected(CWnd& dialog)
    {
        return int(::SendMessage(::GetDlgItem(dialog.m_hWnd, CAddBlockAckDlg::IDC_PEERS), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    }
    static void choose_tid(CWnd& dialog, int tid) { ::SendDlgItemMessage(dialog.m_hWnd, CAddBlockAckDlg::IDC_TID, CB_SETCURSEL, WPARAM(tid), 0); }
    static void press(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // The window's request to return to link status, sent before the close handler returned.
    bool returned_to_link_status(UINT message) const
    {
        return parent.privates.size() == 1 && parent.privates[0].message == message && parent.privates[0].wParam == 0
            && parent.privates[0].lParam == 0;
    }
    static std::vector<int> bytes(BA_REQUEST const& r)
    {
        BYTE raw[sizeof r];
        std::memcpy(raw, &r, sizeof r);
        return std::vector<int>(raw, raw + sizeof r);
    }

    FakeBlockAckLibrary lib;
    std::unique_ptr<CAddBlockAckDlg> add;
    std::unique_ptr<CDeleteBlockAckDlg> del;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
};

}

// [SECTION] The peer list

TEST_F(BlockAckDlgTest, PeerListPutsTheConnectedAccessPointFirst)
{
    struct Case {
        char const* name;
        bool connected;
        int radio;
        std::vector<std::string> expected;
    };
    Case const cases[] = {
        { "connected", true, 1, { "02-10-00-00-00-05", "02-10-00-00-00-0A", "02-10-00-00-00-0B" } },
        { "not connected", false, 1, { "02-10-00-00-00-0A", "02-10-00-00-00-05", "02-10-00-00-00-0B" } },
        { "connected with the radio off", true, 0, { "02-10-00-00-00-0A", "02-10-00-00-00-05", "02-10-00-00-00-0B" } },
    };
    open(add);
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        lib.status = {};
        if (c.connected)
            lib.connect_to(kAccessPoint);
        lib.radio = c.radio;
        show(*add);
        EXPECT_EQ(peers(*add), c.expected);
        EXPECT_EQ(selected(*add), 0);
    }
}

TEST_F(BlockAckDlgTest, PeerListHoldsThirtyTwoAndReadsWithTheSystemsIdentifier)
{
    std::vector<Mac> forty;
    for (BYTE i = 1; i <= 40; ++i)
        forty.push_back(Mac { 0x02, 0x30, 0, 0, 0, i });
    lib.set_peers(forty, 40);
    open(del);
    show(*del);
    EXPECT_EQ(peers(*del).size(), 32u);
    EXPECT_EQ(lib.peer_oids.back(), OID_BA_PEER_TABLE);
    lib.win_os = 9;
    show(*del);
    EXPECT_EQ(lib.peer_oids.back(), OID_BA_PEER_TABLE_LEGACY);
    EXPECT_EQ(peers(*del).size(), 32u);
    lib.win_os = 12;
    lib.peer_oids.clear();
    lib.set_peers({}, 0);
    show(*del);
    EXPECT_TRUE(peers(*del).empty());
}

// [SECTION] Add

TEST_F(BlockAckDlgTest, AddSendsTheRequestAndReturnsToLinkStatus)
{
    struct Case {
        char const* name;
        int direction_flag;
        int tid;
        char const* window;
        std::vector<int> bytes;
    };
    Case const cases[] = {
        { "originator", 1, 0, "32", { 0, 2, 0x10, 0, 0, 0, 5, 0, 32, 0, 0, 0, 0, 0 } },
        { "recipient, window 300 sent as 44", 0, 5, "300", { 1, 2, 0x10, 0, 0, 0, 5, 5, 44, 0, 0, 0, 0, 0 } },
    };
    lib.connect_to(kAccessPoint);
    open(add);
    EXPECT_EQ(::GetDlgItemInt(add->m_hWnd, CAddBlockAckDlg::IDC_WINDOW_SIZE, nullptr, FALSE), 32u) << "the initial window";
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        lib.adds.clear();
        parent.privates.clear();
        add->m_nDirection = c.direction_flag;
        show(*add);
        choose_tid(*add, c.tid);
        ::SetDlgItemText(add->m_hWnd, CAddBlockAckDlg::IDC_WINDOW_SIZE, c.window);
        press(*add, CAddBlockAckDlg::IDC_CONFIRM);
        EXPECT_TRUE(returned_to_link_status(MSG_SHOW_ADDBADLG));
        ASSERT_EQ(lib.adds.size(), 1u);
        EXPECT_EQ(bytes(lib.adds[0]), c.bytes);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(BlockAckDlgTest, AddRefusesWithoutAPeerAndSendsNothing)
{
    struct Case {
        char const* name;
        bool fail_read;
        bool clear_selection;
    };
    Case const cases[] = { { "peer table read fails", true, false }, { "nothing selected", false, true } };
    open(add);
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        parent.privates.clear();
        lib.peers_ok = !c.fail_read;
        lib.set_peers({ kPeerA }, 1);
        show(*add);
        if (c.clear_selection) {
            LVITEM state {};
            state.stateMask = LVIS_SELECTED;
            ::SendDlgItemMessage(add->m_hWnd, CAddBlockAckDlg::IDC_PEERS, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
        }
        press(*add, CAddBlockAckDlg::IDC_CONFIRM);
        EXPECT_EQ(boxes, std::vector<std::string> { "IDS_ADD_BLOCKACK_BSSID_ERR_MSG" });
        EXPECT_TRUE(lib.adds.empty());
        EXPECT_TRUE(parent.privates.empty()) << "the dialog stays";
    }
}

// The framework's integer exchange refuses the text with its own message; nothing goes out.
TEST_F(BlockAckDlgTest, AWindowSizeThatIsNotANumberSendsNothing)
{
    platform::user::set_modal_hook([](HWND box) { ::PostMessage(box, WM_CLOSE, 0, 0); });
    open(add);
    show(*add);
    ::SetDlgItemText(add->m_hWnd, CAddBlockAckDlg::IDC_WINDOW_SIZE, "12x");
    auto const shown = platform::framework::message_box_log().size();
    press(*add, CAddBlockAckDlg::IDC_CONFIRM);
    pump();
    ASSERT_EQ(platform::framework::message_box_log().size(), shown + 1);
    EXPECT_EQ(platform::framework::message_box_log().back().text, "Please enter an integer.");
    EXPECT_TRUE(lib.adds.empty());
    EXPECT_TRUE(parent.privates.empty());
}

TEST_F(BlockAckDlgTest, CancelOnlyReturnsToLinkStatus)
{
    open(add);
    show(*add);
    press(*add, CAddBlockAckDlg::IDC_CANCEL);
    EXPECT_TRUE(returned_to_link_status(MSG_SHOW_ADDBADLG));
    open(del);
    show(*del);
    parent.privates.clear();
    press(*del, CDeleteBlockAckDlg::IDC_CANCEL);
    EXPECT_TRUE(returned_to_link_status(MSG_SHOW_DELBADLG));
    EXPECT_TRUE(lib.adds.empty());
    EXPECT_TRUE(lib.deletes.empty());
}

// [SECTION] Delete

TEST_F(BlockAckDlgTest, DeleteSendsTheScopeUnderTheSystemsIdentifier)
{
    struct Case {
        char const* name;
        int os;
        int direction, all, one;
        VXWL_U32 oid;
        bool tid_shown;
        std::vector<int> bytes; // 0-7 and 12
    };
    Case const cases[] = {
        { "system 9, originator, one", 9, 1, 0, 1, 0x0DF1013A, true, { 0, 2, 0x10, 0, 0, 0, 0x0A, 6, 0 } },
        { "system 10, recipient, all keeps the TID", 10, 0, 1, 0, 0xFF8C0027, false, { 1, 2, 0x10, 0, 0, 0, 0x0A, 6, 1 } },
    };
    open(del);
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        lib.deletes.clear();
        parent.privates.clear();
        lib.win_os = c.os;
        del->m_nDirection = c.direction;
        del->m_nDeleteAll = c.all;
        del->m_nDeleteOne = c.one;
        show(*del);
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(del->m_hWnd, CDeleteBlockAckDlg::IDC_TID)) != FALSE, c.tid_shown);
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(del->m_hWnd, CDeleteBlockAckDlg::IDC_TID_LABEL)) != FALSE, c.tid_shown);
        choose_tid(*del, 6);
        press(*del, CDeleteBlockAckDlg::IDC_CONFIRM);
        EXPECT_TRUE(returned_to_link_status(MSG_SHOW_DELBADLG));
        ASSERT_EQ(lib.deletes.size(), 1u);
        EXPECT_EQ(lib.deletes[0].oid, c.oid);
        EXPECT_EQ(lib.deletes[0].length, 14u);
        std::vector<int> const sent = bytes(lib.deletes[0].request);
        std::vector<int> got(sent.begin(), sent.begin() + 8);
        got.push_back(sent[12]);
        EXPECT_EQ(got, c.bytes);
    }
}

TEST_F(BlockAckDlgTest, DeleteRefusesAnEmptyList)
{
    lib.set_peers({}, 0);
    open(del);
    show(*del);
    press(*del, CDeleteBlockAckDlg::IDC_CONFIRM);
    EXPECT_EQ(boxes, std::vector<std::string> { "IDS_ADD_BLOCKACK_BSSID_ERR_MSG" });
    EXPECT_TRUE(lib.deletes.empty());
    EXPECT_TRUE(parent.privates.empty());
}
