// The peer list both block-acknowledgement dialogs of the configuration window show: the peers
// the adapter's driver knows, read with the request of the system's generation, with the
// connected access point first and selected. Also the dialogs' shared reading of the selected
// peer and TID.
#pragma once

#include "platform/framework/ListViewCtrl.h"
#include "station/features/blockack/BlockAckRequest.h"

class CComboBoxSuper;

// Empties `list` and fills it ("XX-XX-XX-XX-XX-XX" per item); a failed read leaves it empty.
void FillBlockAckPeers(CListCtrl& list);

// The selected peer; nullopt when the list is empty or nothing is selected (checked before the
// item is read).
std::optional<BlockAckMac> SelectedBlockAckPeer(CListCtrl const& list);

// What both dialogs' initialisation does: the dialog font on every control, the string table's
// texts (the window size label only where there is one), the "BSSID" column at 90 % of the
// list's width, and "0" to "7" in the TID list with the first selected.
void SetUpBlockAckDialog(CWnd& dialog, CFont& font, CListCtrl& peers, CComboBoxSuper& tids);

// The selected TID as atoi reads its text; 0 when none is selected.
int SelectedBlockAckTid(CComboBoxSuper& combo);
