// Exports of the station's 802.11n block acknowledgement: the capability (applied, and stored
// packed), the agreements per peer, TID and direction (the world's block-ack store, which
// wlansim changes too), the peer table and delete request of the generic OID calls, the
// acknowledgement policy per access category and the coexistence test mode.
#include "wlan/VxWLAPI/BlockAckOids.h"
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

using wlan::sim::BaDirection;
using wlan::sim::Mac;
using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

constexpr char kStoredCap[] = "sta_ba_cap";
constexpr char kStoredPolicy[] = "sta_ack_policy";
constexpr char kCoexMode[] = "sta_coex_mode";
constexpr std::size_t kCoexModeLimit = 127;

// The capability the driver applies until told otherwise: automatic set-up, aggregation on,
// density 0, A-MSDU on at 3839 bytes, power save off, windows 32 and 32.
BA_CAP_SETTING g_applied_cap { 32, 32, 1, 0, 1, 0, 3, 1 };
std::array<VXWL_U32, 4> g_applied_policy { 1, 1, 1, 1 };
// The world's ack_policy_read_fail fails the first read of each load of the library.
bool g_policy_read_once = false;

bool new_generation(World const& w) { return w.spec().win_os >= BA_OID_SYSTEM_CODE; }

// The peers in the driver's order: the world's listed peers, then the linked access point.
std::vector<Mac> ba_peers(World const& w)
{
    std::vector<Mac> peers = w.spec().ba_peers;
    if (auto const* ap = w.linked_ap(); ap && w.phase() == wlan::sim::LinkPhase::Connected)
        peers.push_back(ap->bssid);
    return peers;
}

bool is_peer(World const& w, Mac const& mac)
{
    auto const peers = ba_peers(w);
    return std::find(peers.begin(), peers.end(), mac) != peers.end();
}

// The count is the driver's own, which may pass the 32 entries the table holds.
KT_802_11_MAC_TABLE peer_table(World const& w)
{
    KT_802_11_MAC_TABLE table {};
    auto const peers = ba_peers(w);
    table.Count = std::uint32_t(peers.size());
    for (std::size_t i = 0; i < std::min(peers.size(), std::size_t(BA_TABLE_ENTRIES)); ++i)
        std::memcpy(table.Entry[i].Mac, peers[i].data(), 6);
    return table;
}

BaDirection direction_of(BA_REQUEST const& r) { return r.Direction == 0 ? BaDirection::Originator : BaDirection::Recipient; }

Mac mac_of(BA_REQUEST const& r)
{
    Mac mac;
    std::memcpy(mac.data(), r.Mac, 6);
    return mac;
}

// Byte 12 = 1 removes every agreement with the peer in that direction, else the one TID.
int delete_agreements(World& w, BA_REQUEST const& r)
{
    if (r.Direction > 1 || (r.DeleteAll == 0 && r.Tid >= BA_TID_COUNT))
        return 0;
    auto& store = w.block_acks();
    bool const removed = r.DeleteAll == 1 ? store.remove_peer(direction_of(r), mac_of(r))
                                          : store.remove_tid(direction_of(r), mac_of(r), r.Tid);
    return removed ? 1 : 0;
}

}

namespace wlan::vxwl {

std::optional<int> query_ba_oid(World& world, VXWL_U32 oid, void* buffer, VXWL_U32 length, VXWL_U32* returned)
{
    if (oid != OID_BA_PEER_TABLE && oid != OID_BA_PEER_TABLE_LEGACY)
        return std::nullopt;
    bool const mine = (oid == OID_BA_PEER_TABLE) == new_generation(world);
    if (!mine || !buffer || length < sizeof(KT_802_11_MAC_TABLE))
        return 0;
    KT_802_11_MAC_TABLE const table = peer_table(world);
    std::memcpy(buffer, &table, sizeof table);
    if (returned)
        *returned = sizeof table;
    return 1;
}

std::optional<int> set_ba_oid(World& world, VXWL_U32 oid, void const* buffer, VXWL_U32 length)
{
    if (oid != OID_BA_DELETE && oid != OID_BA_DELETE_LEGACY)
        return std::nullopt;
    bool const mine = (oid == OID_BA_DELETE) == new_generation(world);
    if (!mine || !buffer || length < sizeof(BA_REQUEST))
        return 0;
    BA_REQUEST request;
    std::memcpy(&request, buffer, sizeof request);
    return delete_agreements(world, request);
}

}

// [SECTION] capability

VXWL_API int VXWL_QueryBACap(BA_CAP_SETTING* setting)
{
    if (!setting)
        return 0;
    *setting = Library::get().with_world([](World&, std::uint64_t) { return g_applied_cap; });
    return 1;
}

VXWL_API int VXWL_SetBACap(BA_CAP_SETTING setting)
{
    Library::get().with_world([&](World&, std::uint64_t) { g_applied_cap = setting; });
    return 1;
}

VXWL_API int VXWL_WriteBACap(VXWL_U32 packed) { return Library::get().store().write_u32(kStoredCap, packed) ? 1 : 0; }

// Fails until a capability was written.
VXWL_API int VXWL_ReadBACap(VXWL_U32* packed)
{
    if (!packed)
        return 0;
    auto stored = Library::get().store().read_u32(kStoredCap);
    if (!stored)
        return 0;
    *packed = *stored;
    return 1;
}

// [SECTION] agreements

VXWL_API int VXWL_QueryBATable(BA_TABLE* table)
{
    if (!table)
        return 0;
    *table = Library::get().with_world([](World& w, std::uint64_t) { return w.block_acks().table(); });
    return 1;
}

// Adds or updates one TID's agreement with a peer the driver knows, on an 802.11n adapter.
VXWL_API int VXWL_AddIMMEBA(BA_REQUEST request)
{
    if (request.Direction > 1 || request.Tid >= BA_TID_COUNT)
        return 0;
    return Library::get().with_world([&](World& w, std::uint64_t) {
        if (!w.spec().supports_11n || !is_peer(w, mac_of(request)))
            return 0;
        return w.block_acks().add(direction_of(request), mac_of(request), request.Tid, request.WindowSize) ? 1 : 0;
    });
}

// [SECTION] acknowledgement policy and coexistence

// Fails until a policy was written, and once more when the world says so.
VXWL_API int VXWL_ReadAckPolicy(VXWL_U32* be, VXWL_U32* bk, VXWL_U32* vi, VXWL_U32* vo)
{
    if (!be || !bk || !vi || !vo)
        return 0;
    auto& lib = Library::get();
    bool const refuse = lib.with_world([](World& w, std::uint64_t) {
        bool const first = !g_policy_read_once;
        g_policy_read_once = true;
        return first && w.spec().ack_policy_read_fail;
    });
    auto stored = lib.store().read_record<std::array<VXWL_U32, 4>>(kStoredPolicy);
    if (refuse || !stored)
        return 0;
    *be = (*stored)[0];
    *bk = (*stored)[1];
    *vi = (*stored)[2];
    *vo = (*stored)[3];
    return 1;
}

VXWL_API int VXWL_WriteAckPolicy(VXWL_U32 be, VXWL_U32 bk, VXWL_U32 vi, VXWL_U32 vo)
{
    return Library::get().store().write_record(kStoredPolicy, std::array<VXWL_U32, 4> { be, bk, vi, vo }) ? 1 : 0;
}

VXWL_API int VXWL_SetAckPolicy(VXWL_U32 be, VXWL_U32 bk, VXWL_U32 vi, VXWL_U32 vo)
{
    Library::get().with_world([&](World&, std::uint64_t) { g_applied_policy = { be, bk, vi, vo }; });
    return 1;
}

// Keeps the test mode's text (in the store, where a test can read it), cut to 127 bytes.
VXWL_API int VXWL_SetCoexMode(const char* mode)
{
    if (!mode)
        return 0;
    std::string const text(mode, strnlen(mode, kCoexModeLimit));
    return Library::get().store().write_text(kCoexMode, text) ? 1 : 0;
}

VXWL_CHECK_TYPE(QueryBACap);
VXWL_CHECK_TYPE(SetBACap);
VXWL_CHECK_TYPE(WriteBACap);
VXWL_CHECK_TYPE(ReadBACap);
VXWL_CHECK_TYPE(QueryBATable);
VXWL_CHECK_TYPE(AddIMMEBA);
VXWL_CHECK_TYPE(ReadAckPolicy);
VXWL_CHECK_TYPE(WriteAckPolicy);
VXWL_CHECK_TYPE(SetAckPolicy);
VXWL_CHECK_TYPE(SetCoexMode);
