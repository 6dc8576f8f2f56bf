// A stand-in for the WLAN library's block-acknowledgement, status and OID calls, bound into the
// binding's slots for the 802.11n page and the add and delete dialog tests. It records what the
// page and dialogs send and answers what the test put in it; the configuration window is the
// window the test names. One instance at a time (the slots hold plain functions); unbound again
// when it goes.
#pragma once

#include "station/core/HideDlgServices.h"
#include "station/core/VxWlLib.h"
#include "wlan/api/BlockAck.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

struct FakeBlockAckLibrary {
    using Policy = std::array<VXWL_U32, 4>;
    struct OidSet {
        VXWL_U32 oid;
        VXWL_U32 length;
        BA_REQUEST request;
    };

    // [SECTION] What the library answers
    bool cap_stored { false };
    VXWL_U32 packed {};
    bool table_ok { true };
    BA_TABLE table {};
    bool policy_ok { true };
    Policy policy { 1, 0, 1, 0 };
    WLAN_STATUS status {};
    int radio { 1 };
    int win_os { 12 };
    bool peers_ok { true };
    KT_802_11_MAC_TABLE peers {};
    HWND config_window {};

    // [SECTION] What the page and dialogs did
    std::vector<BA_CAP_SETTING> cap_sets;
    std::vector<VXWL_U32> cap_writes;
    int table_queries { 0 };
    int policy_reads { 0 };
    std::vector<std::string> policy_calls; // "write" or "set", in order
    std::vector<Policy> policy_values;
    std::vector<std::string> coex_modes;
    std::vector<VXWL_U32> peer_oids;
    std::vector<BA_REQUEST> adds;
    std::vector<OidSet> deletes;

    FakeBlockAckLibrary()
    {
        the() = this;
        bind_capability();
        bind_policy();
        bind_agreements();
        set_hide_dlg_services(&m_services);
    }

    ~FakeBlockAckLibrary()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_ReadBACap.bind(nullptr);
        lib.VXWL_WriteBACap.bind(nullptr);
        lib.VXWL_SetBACap.bind(nullptr);
        lib.VXWL_QueryBATable.bind(nullptr);
        lib.VXWL_ReadAckPolicy.bind(nullptr);
        lib.VXWL_WriteAckPolicy.bind(nullptr);
        lib.VXWL_SetAckPolicy.bind(nullptr);
        lib.VXWL_SetCoexMode.bind(nullptr);
        lib.VXWL_QueryWLANStatus.bind(nullptr);
        lib.VXWL_ReadRadioStatus.bind(nullptr);
        lib.VXWL_GetWinOS.bind(nullptr);
        lib.VXWL_OIDQueryInfo.bind(nullptr);
        lib.VXWL_OIDSetInfo.bind(nullptr);
        lib.VXWL_AddIMMEBA.bind(nullptr);
        set_hide_dlg_services(nullptr);
        the() = nullptr;
    }

    // The library without the optional acknowledgement-policy exports.
    void drop_policy_exports()
    {
        G_VxWlLib.VXWL_ReadAckPolicy.bind(nullptr);
        G_VxWlLib.VXWL_WriteAckPolicy.bind(nullptr);
        G_VxWlLib.VXWL_SetAckPolicy.bind(nullptr);
    }

    void connect_to(BYTE const (&bssid)[6])
    {
        status.Status = VxStatus_Connected;
        std::memcpy(status.Bssid, bssid, 6);
    }

    void set_peers(std::vector<std::array<BYTE, 6>> const& macs, std::uint32_t count)
    {
        peers = {};
        peers.Count = count;
        for (std::size_t i = 0; i < macs.size() && i < BA_TABLE_ENTRIES; ++i)
            std::memcpy(peers.Entry[i].Mac, macs[i].data(), 6);
    }

    static FakeBlockAckLibrary*& the()
    {
        static FakeBlockAckLibrary* instance = nullptr;
        return instance;
    }

private:
    struct Services final : HideDlgServices {
        HWND config_window() const override { return the()->config_window; }
    };
    Services m_services;

    void bind_capability()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_ReadBACap.bind([](VXWL_U32* out) {
            if (!the()->cap_stored)
                return 0;
            *out = the()->packed;
            return 1;
        });
        lib.VXWL_WriteBACap.bind([](VXWL_U32 v) {
            the()->cap_writes.push_back(v);
            return 1;
        });
        lib.VXWL_SetBACap.bind([](BA_CAP_SETTING cap) {
            the()->cap_sets.push_back(cap);
            return 1;
        });
    }

    void bind_policy()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_ReadAckPolicy.bind([](VXWL_U32* be, VXWL_U32* bk, VXWL_U32* vi, VXWL_U32* vo) {
            ++the()->policy_reads;
            if (!the()->policy_ok)
                return 0;
            *be = the()->policy[0];
            *bk = the()->policy[1];
            *vi = the()->policy[2];
            *vo = the()->policy[3];
            return 1;
        });
        lib.VXWL_WriteAckPolicy.bind([](VXWL_U32 be, VXWL_U32 bk, VXWL_U32 vi, VXWL_U32 vo) {
            the()->policy_calls.push_back("write");
            the()->policy_values.push_back({ be, bk, vi, vo });
            return 1;
        });
        lib.VXWL_SetAckPolicy.bind([](VXWL_U32 be, VXWL_U32 bk, VXWL_U32 vi, VXWL_U32 vo) {
            the()->policy_calls.push_back("set");
            the()->policy_values.push_back({ be, bk, vi, vo });
            return 1;
        });
        lib.VXWL_SetCoexMode.bind([](const char* text) {
            the()->coex_modes.push_back(text);
            return 1;
        });
    }

    void bind_agreements()
    {
        auto& lib = G_VxWlLib;
        lib.VXWL_QueryBATable.bind([](BA_TABLE* out) {
            ++the()->table_queries;
            if (!the()->table_ok)
                return 0;
            *out = the()->table;
            return 1;
        });
        lib.VXWL_QueryWLANStatus.bind([](WLAN_STATUS* out, WLAN_STATUS_REQUEST) {
            *out = the()->status;
            return 1;
        });
        lib.VXWL_ReadRadioStatus.bind([] { return the()->radio; });
        lib.VXWL_GetWinOS.bind([] { return the()->win_os; });
        // The peer table answers under the identifier of the configured system only.
        lib.VXWL_OIDQueryInfo.bind([](VXWL_U32 oid, void* buffer, VXWL_U32 length, VXWL_U32* returned) {
            the()->peer_oids.push_back(oid);
            VXWL_U32 const mine = the()->win_os >= 10 ? OID_BA_PEER_TABLE : OID_BA_PEER_TABLE_LEGACY;
            if (!the()->peers_ok || oid != mine || length < sizeof(KT_802_11_MAC_TABLE))
                return 0;
            std::memcpy(buffer, &the()->peers, sizeof(KT_802_11_MAC_TABLE));
            *returned = sizeof(KT_802_11_MAC_TABLE);
            return 1;
        });
        lib.VXWL_OIDSetInfo.bind([](VXWL_U32 oid, const void* buffer, VXWL_U32 length) {
            OidSet set { oid, length, {} };
            std::memcpy(&set.request, buffer, std::min<std::size_t>(length, sizeof(BA_REQUEST)));
            the()->deletes.push_back(set);
            return 1;
        });
        lib.VXWL_AddIMMEBA.bind([](BA_REQUEST r) {
            the()->adds.push_back(r);
            return 1;
        });
    }
};
