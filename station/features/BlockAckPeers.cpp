#include "station/features/BlockAckPeers.h"

#include "station/controls/CComboBoxSuper.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/features/blockack/BlockAckRows.h"

#include <cstdlib>
#include <string>

namespace {

// The controls both templates share (the window size label is the add dialog's only).
constexpr int kPeersLabel = 1377;
constexpr int kTidLabel = 1375;
constexpr int kWindowSizeLabel = 1376;
constexpr int kConfirm = 1331;
constexpr int kCancel = 1372;

// The connected access point's BSSID; six zero bytes when not connected or the radio is off.
BlockAckMac connected_bssid()
{
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 1, 0, 0, 0 } });
    BlockAckMac bssid {};
    if (status.Status == VxStatus_Connected && G_VxWlLib.VXWL_ReadRadioStatus())
        std::copy(std::begin(status.Bssid), std::end(status.Bssid), bssid.begin());
    return bssid;
}

void fill_tids(CComboBoxSuper& combo)
{
    for (int tid = 0; tid < int(BA_TID_COUNT); ++tid)
        combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(tid).c_str()));
    combo.SendMessage(CB_SETCURSEL, 0);
}

}

void FillBlockAckPeers(CListCtrl& list)
{
    BlockAckMac const bssid = connected_bssid();
    list.DeleteAllItems();
    KT_802_11_MAC_TABLE table {};
    VXWL_U32 returned = 0;
    VXWL_U32 const oid = G_VxWlLib.VXWL_GetWinOS() >= BA_OID_SYSTEM_CODE ? OID_BA_PEER_TABLE : OID_BA_PEER_TABLE_LEGACY;
    if ((G_VxWlLib.VXWL_OIDQueryInfo(oid, &table, sizeof table, &returned) & 0xFF) == 0)
        return;
    int index = 0;
    for (BlockAckMac const& peer : BlockAckPeerList(table, bssid))
        list.InsertItem(index++, DashedMacText(peer.data()).c_str());
    if (index > 0)
        list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::optional<BlockAckMac> SelectedBlockAckPeer(CListCtrl const& list)
{
    int const selected = list.GetNextItem(-1, LVNI_SELECTED);
    if (list.GetItemCount() == 0 || selected < 0)
        return std::nullopt;
    return ParseDashedMac(list.GetItemText(selected, 0).str());
}

void SetUpBlockAckDialog(CWnd& dialog, CFont& font, CListCtrl& peers, CComboBoxSuper& tids)
{
    font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { kPeersLabel, G_UiStr.IDS_ADD_BLOCKACK_AVAIL_BSSID }, { kTidLabel, G_UiStr.IDS_ADD_BLOCKACK_TID },
        { kWindowSizeLabel, G_UiStr.IDS_ADD_BLOCKACK_WINDOW_SIZE }, { kConfirm, G_UiStr.IDS_ADD_BLOCKACK_CONFIRM },
        { kCancel, G_UiStr.IDS_ADD_BLOCKACK_CANCEL } };
    for (Label const& l : labels)
        if (HWND control = ::GetDlgItem(dialog.m_hWnd, l.id))
            ::SetWindowText(control, l.text.c_str());
    for (CWnd* child = dialog.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&font);
    peers.DeleteAllItems();
    CRect rect;
    peers.GetWindowRect(&rect);
    peers.InsertColumn(0, "BSSID", LVCFMT_LEFT, rect.Width() * 9 / 10);
    fill_tids(tids);
}

int SelectedBlockAckTid(CComboBoxSuper& combo)
{
    int const selected = static_cast<int>(combo.SendMessage(CB_GETCURSEL));
    if (selected < 0)
        return 0;
    char text[16] {};
    if (combo.SendMessage(CB_GETLBTEXTLEN, WPARAM(selected)) >= LRESULT(sizeof text))
        return 0;
    combo.SendMessage(CB_GETLBTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(text));
    return std::atoi(text);
}
