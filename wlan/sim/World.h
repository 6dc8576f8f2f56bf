// The simulated radio world as the station library sees it: adapters and their driver, the
// radio switches, the operating mode, the access points with their signal over time, scans,
// and the one link with its connection steps, counters and address. Time is passed in by the
// caller (the platform clock in the library, plain numbers in tests); the world never reads a
// clock and never calls out. What it has to tell the program (callback events, window
// messages, finished scans) collects in an outbox that the library delivers on its own thread.
// Not thread-safe: the library guards it with one lock.
#pragma once

#include "wlan/api/ApRecords.h"
#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"
#include "wlan/api/Wmm.h"
#include "wlan/sim/BlockAckStore.h"
#include "wlan/sim/LinkModel.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/SoftAp.h"
#include "wlan/sim/WpsEngine.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wlan::sim {

class Store;

// Whether a server's name fits the name a profile gives, by the profile's rule (0 equal, 1 ends
// with it at a label boundary; case never counts). An empty given name fits any.
bool server_name_matches(std::string const& server, std::string const& given, std::uint32_t rule);

// Which program a message is for: every library of the world applies the same live commands,
// but some messages mean something to one program only.
enum class Audience { Both, Station, AccessPoint };

struct Outgoing {
    enum class Kind { Callback, Post, ScanDone };
    Kind kind { Kind::Callback };
    unsigned code { 0 };      // callback event or window message
    std::uintptr_t wparam { 0 };
    // What the callback's data points to; none when empty.
    std::vector<std::uint8_t> data;
    Audience audience { Audience::Both };
    std::intptr_t lparam { 0 };
};

// What live commands leave waiting in a world beyond its description: the access points whose
// pressed WPS button has still to turn off, a scan set to fail, a driver delay not yet used,
// and how long each adapter's driver still needs (ms). The live log's compaction writes it.
struct LivePending {
    std::vector<std::string> wps_pressed;
    bool fail_next_scan { false };
    int driver_delay { -1 };
    std::vector<std::uint64_t> ready_in;
};

enum class LinkPhase { Idle, Associating, Authenticating, Handshake, Connected, Failed };
char const* to_string(LinkPhase phase);

class World {
public:
    World(WorldSpec spec, Store* store, std::uint64_t now);

    // [SECTION] time
    // Runs every step due at or before `now`, in order.
    void advance(std::uint64_t now);
    std::vector<Outgoing> take_outgoing();
    std::optional<std::uint64_t> next_due() const;

    LivePending pending(std::uint64_t now) const;

    WorldSpec& spec() { return m_spec; }
    WorldSpec const& spec() const { return m_spec; }

    // [SECTION] adapters and radio
    std::vector<AdapterEntry> adapter_records() const;
    bool select_adapter(AdapterEntry const& adapter, std::uint64_t now);
    bool device_exists(AdapterEntry const& adapter) const;
    bool adapter_present() const;
    bool driver_ready(std::uint64_t now) const;
    AdapterSpec const* selected_adapter() const;
    void set_adapter_present(std::string const& id, bool present, std::uint64_t now);
    // The next time a driver starts (an adapter inserted, the machine resumed) it takes this
    // long instead of the adapter's own delay; "never" leaves it not ready.
    void set_driver_delay(int ms) { m_next_driver_delay = ms; }
    void set_driver_delay_never() { m_next_driver_delay = kDriverNever; }

    bool radio_hw() const { return m_spec.hw_radio; }
    bool radio_sw() const { return m_spec.sw_radio; }
    bool radio_on() const { return m_spec.hw_radio && m_spec.sw_radio; }
    bool set_radio_sw(bool on, std::uint64_t now);
    // The switch itself (wlansim): with no adapter to act on it is kept, in the store too, and
    // holds when one is selected.
    void set_radio_switch(bool on, std::uint64_t now);
    void set_radio_hw(bool on, std::uint64_t now);
    // The mode the driver runs in, and the mode stored for the next start; setting the mode
    // through a library sets both, another owner of the adapter (wlansim) only the driver's.
    int op_mode() const { return m_driver_mode; }
    int stored_op_mode() const { return m_spec.op_mode; }
    void set_op_mode(int mode);
    void set_driver_mode(int mode, std::uint64_t now);

    // [SECTION] power
    // Suspending stops the driver and drops the link; resuming starts the driver again, and
    // once it is ready the station program is asked to reconnect (WM_USER+8).
    void suspend(std::uint64_t now);
    void resume(std::uint64_t now);
    bool suspended() const { return m_suspended; }

    // [SECTION] access points and scans
    ApSpec* find_ap(std::string const& id);
    int ap_rssi(ApSpec const& ap, std::uint64_t now) const;
    bool start_scan(std::uint64_t now);
    bool scanning() const { return m_scan_due.has_value(); }
    void fail_next_scan() { m_fail_next_scan = true; }
    std::vector<std::vector<std::uint8_t>> const& scan_entries() const { return m_scan_entries; }
    void press_wps_button(std::string const& id, std::uint64_t now);
    // The adapter's WPS exchange (WpsEngine.cpp).
    WpsEngine& wps() { return m_wps; }

    // [SECTION] link
    void connect(WLANPROFILE const& profile, std::uint64_t now);
    void connect_ssid(NDIS_802_11_SSID const& ssid, std::uint64_t now);
    void connect_bssid(Mac const& bssid, std::uint64_t now);
    void disassociate(std::uint64_t now);
    void set_credentials(char const* identity, char const* password);
    // What the program wrote into the callback's out buffer for an event that asks (20 new
    // password, 23 PAC file path).
    void callback_answered(unsigned event, std::string const& answer, std::uint64_t now);
    // The system's EAP configuration window opens now and closes after eap_ui_ms: it enables
    // the program's window again and, when it was done for a connection without a profile and
    // not cancelled, says the configuration is done. Answers whether the user cancels it.
    bool open_eap_config_ui(bool for_connection, std::uint64_t now);
    // Releases the address; it is assigned again after the DHCP delay.
    void renew_address(std::uint64_t now);
    // The address the adapter holds now, "" while it holds none.
    std::string address_text(std::uint64_t now) const;
    LinkPhase phase() const { return m_link.phase; }
    WLANPROFILE const& current_profile() const { return m_link.profile; }
    ApSpec const* linked_ap() const;
    bool wapi_connecting() const { return m_link.wapi; }
    int wapi_progress(std::uint64_t now) const;
    std::uint32_t take_private_message();
    // A message for the station program alone (wlansim station exit).
    void station_post(unsigned message, std::uintptr_t wparam = 0);
    void reset_counters(std::uint64_t now);
    // Replaces the traffic pattern (kB/s per 2 s, cycled); the counters go on from where they
    // are.
    void set_traffic(std::vector<int> tx, std::vector<int> rx, std::uint64_t now);
    // Sets one counter of the link ("bytes_tx", "tx_ok", ...) to `value`; it counts on from
    // there. Returns an error text for an unknown name, empty on success.
    std::string set_counter(std::string const& name, std::uint64_t value, std::uint64_t now);
    static bool is_counter(std::string const& name);
    bool address_assigned(std::uint64_t now) const;
    // Returns false (and leaves the record alone) when there is no adapter.
    bool fill_status(WLAN_STATUS& status, std::uint64_t now) const;

    // [SECTION] soft access point (WorldSoftAp.cpp)
    // It serves while the adapter is present and ready, in mode 1, with the radio on and a
    // configuration applied.
    bool softap_serving(std::uint64_t now) const;
    void softap_apply_config(ApConfigData const& config, std::uint64_t now);
    ApConfigData const* softap_config() const { return m_ap.config ? &*m_ap.config : nullptr; }
    void softap_apply_acl(AccessControlList const& acl, std::uint64_t now);
    AccessControlList const& softap_acl() const { return m_ap.acl; }
    // The oldest unread events, at most `max`; they are read once.
    std::vector<ApEvent> take_softap_events(std::size_t max);
    // Associated stations in the order of their association identifiers.
    std::vector<std::pair<StationSpec const*, StationLink const*>> associated_stations() const;
    StationLink link_of(std::string const& station_id) const;
    ApCounters softap_counters(std::uint64_t now) const;
    void reset_softap_counters(std::uint64_t now) { set_softap_counter_base(0, now); }
    void set_softap_counter_base(std::uint64_t frames, std::uint64_t now);
    int softap_signal_dbm() const;
    void softap_post(unsigned message);
    StationSpec* find_station(std::string const& id);
    bool add_station(StationSpec station, std::uint64_t now);
    void station_changed(std::string const& id, std::uint64_t now);
    void remove_station(std::string const& id, std::uint64_t now);
    // Replaces the station list as a whole (a compacted live log): stations not in `stations`
    // leave as remove_station has them leave, the others take their new description and order
    // as station_changed does, then admission runs once.
    void replace_stations(std::vector<StationSpec> stations, std::uint64_t now);
    // Runs the admission of every station against the current state.
    void reconcile_softap(std::uint64_t now);
    BlockAckStore& block_acks() { return m_block_acks; }
    BlockAckStore const& block_acks() const { return m_block_acks; }
    bool hosted_network_running() const { return m_hosted_network; }
    // Starts or stops the hosted network; the state is the adapter's, kept in the store for
    // every program.
    void set_hosted_network(bool running);

    // [SECTION] hosted network (WorldHosted.cpp)
    // Checks the record (SSID 1-32 bytes, a pre-shared key of 8-63 characters or 64
    // hexadecimal digits) and starts the hosted network on the adapter; false, with nothing
    // started, when the record or the adapter does not allow it.
    bool hosted_setup(EXTAP_CONFIG_DATA const& config);
    // The adapter's address with the locally administered bit set; zero without an adapter.
    Mac hosted_bssid() const;
    // State, BSSID and at most HOSTED_STATUS_MAX_STATIONS stations; the count is the number of
    // associated stations, which may be larger.
    void fill_hosted_status(HOSTED_NETWORK_STATUS& status) const;
    // Adds the station, or changes its authentication state when it is there already.
    void add_hosted_station(Mac const& mac, std::uint32_t auth);
    bool remove_hosted_station(Mac const& mac);

    // [SECTION] advanced settings and the system's profile store (WorldAdvance.cpp)
    // Whether the user may store and apply the advanced settings: an administrator, or a
    // standard user the world allows.
    bool may_set_advance() const;
    // Applies the settings to the driver: the wireless mode, the region of each band the user
    // may choose, TX burst, protection and the 802.11n choices the link rate follows. Kept in
    // the store, so every program (and wlansim) sees the driver's settings.
    void apply_advance(ADVANCE_OID const& oid);
    // The driver's regions: the 2.4 GHz index in bits 0-6, the 5 GHz index in bits 8-14.
    std::uint32_t region_word() const;
    std::uint32_t tx_burst() const { return m_advance.tx_burst; }
    std::uint32_t protection() const { return m_advance.protection; }
    // The antenna word (chains in both nibbles); none when the adapter does not answer.
    std::optional<std::uint32_t> antenna_word() const;
    void flush_scan_list() { m_scan_entries.clear(); }
    // The system's profile store: a profile enters it when a program connects with it, under
    // its name; the world's os_profiles names are there from the start as open networks of
    // that SSID. Deleting them all empties it, seeds included.
    void remember_os_profile(WLANPROFILE const& profile);
    void forget_os_profiles();
    std::optional<WLANPROFILE> os_profile(std::string const& name) const;

    // [SECTION] CCX diagnostics (WorldCcx.cpp)
    // A run of the diagnostic test for the station program's window, one message each
    // ccx_step_ms: with the diagnostic channel's name the connect result (0x404, lParam 1 or 0)
    // and, when it connected, the progress codes 1 to 3 (0x406); with another name the connect
    // result and the end (0x405). A world whose ccx_test fails posts 0x407 instead of a run on
    // the diagnostic channel. A new run replaces the one going on.
    void ccx_send_s64(std::string const& name, std::uint64_t now);
    // The older systems' test: the diagnostic channel's run, then the end.
    void ccx_start_diag_test(std::uint64_t now);
    // Ends the run going on; nothing more is posted for it.
    void ccx_stop();
    bool ccx_running() const;

    // [SECTION] WMM direct links (WorldWmm.cpp)
    // InUse 1 adds the link to its peer or updates it (at most DLS_TABLE_ENTRIES); it comes up
    // dls_ms later. InUse 0 removes the link with that peer. False when the table is full or the
    // peer to remove has no link.
    bool dls_set(DLS_ENTRY const& entry, std::uint64_t now);
    std::array<DLS_ENTRY, DLS_TABLE_ENTRIES> const& dls_table() const { return m_dls; }
    // The peer ends its link (wlansim dls-down); false when it had none.
    bool dls_peer_down(Mac const& mac);

    static constexpr int kDriverNever = -2;

private:
    struct AdvanceState {
        std::uint32_t tx_burst { 0 };
        std::uint32_t protection { 0 };
        // The applied 802.11n choices; without an Apply the link rate follows the access point.
        bool applied { false };
        ADVANCE_OID oid {};
        std::vector<WLANPROFILE> os_profiles;
    };
    void load_advance();
    // The link rate of the access point under the applied 802.11n choices.
    LinkRate applied_rate(ApSpec const& ap, bool ht, int rssi) const;

    // The frame counters of the status record that follow the traffic.
    static constexpr std::size_t kFrameCounters = 9;

    enum class Step { ScanDone, ScanFailed, Callback, Connected, Failed, IcvError, WapiDone, WpsButtonOff, DriverReady, EapUiClosed, CcxMessage, DlsUp };
    struct Scheduled {
        std::uint64_t at;
        Step step;
        unsigned code;
        std::string ap_id;
        std::vector<std::uint8_t> data {};
    };
    struct Link {
        LinkPhase phase { LinkPhase::Idle };
        std::string ap_id;
        WLANPROFILE profile {};
        std::uint64_t connected_at { 0 };
        std::uint64_t counters_from { 0 };
        std::uint32_t fail_state { LINK_DOWN };
        bool wapi { false };
        std::uint64_t wapi_from { 0 };
        std::uint32_t private_message { 0 };
        bool icv { false };
        // Traffic: bytes carried when the pattern last started at `traffic_from`, the byte
        // totals at the last counter reset, and what `set_counter` added to each frame counter.
        std::uint64_t traffic_from { 0 };
        std::uint64_t tx_base { 0 };
        std::uint64_t rx_base { 0 };
        std::uint64_t tx_at_reset { 0 };
        std::uint64_t rx_at_reset { 0 };
        std::array<std::uint64_t, kFrameCounters> frame_offsets {};
        std::uint64_t address_from { 0 };
        // The account whose expired password the program is asked to change.
        int expired_account { -1 };
        bool waiting_for_pac { false };
        // 802.1X over WEP: the profile's static key is the network's.
        bool wep_key_ok { true };
    };

    void schedule(std::uint64_t at, Step step, unsigned code = 0, std::string ap_id = {});
    void cancel_link_steps();
    void run(Scheduled const& s, std::uint64_t now);
    void post(unsigned message, std::uintptr_t wparam = 0);
    void schedule_ccx(std::uint64_t at, unsigned message, std::uint8_t wparam, std::uint8_t lparam);
    void run_ccx_message(Scheduled const& s);
    void dls_link_up(Scheduled const& s);
    void callback(unsigned event, std::vector<std::uint8_t> data = {});
    // [SECTION] 802.1X (WorldEap.cpp)
    void schedule_callback(std::uint64_t at, unsigned code, std::vector<std::uint8_t> data);
    void plan_eap(ApSpec const& ap, std::uint64_t at);
    void plan_eap_success(std::uint64_t at);
    void plan_fast_provisioning(ApSpec const& ap, std::uint64_t at);
    int matching_account(ApSpec const& ap) const;
    bool server_trusted(ApSpec const& ap) const;
    std::vector<std::string> pac_candidates(std::string const& answer) const;
    // [SECTION] WAPI certificates (WorldWapi.cpp)
    bool wapi_certs_fit(ApSpec const& ap) const;
    void drop_link(std::uint64_t now);
    void radio_went_off(std::uint64_t now);
    // A link whose access point went out of range drops; when that access point is back, or
    // the driver is ready after a resume, the station program is asked to reconnect.
    void watch_link(std::uint64_t now);
    bool in_range(ApSpec const& ap, std::uint64_t now) const;
    void finish_scan(std::uint64_t now);
    ApSpec const* find_target(WLANPROFILE const& profile) const;
    void plan_connection(ApSpec const& ap, std::uint64_t now);
    void fill_link_fields(WLAN_STATUS& status, ApSpec const& ap, std::uint64_t now) const;
    void fill_counters(WLAN_STATUS& status, std::uint64_t now) const;
    std::uint64_t bytes_tx(std::uint64_t now) const;
    std::uint64_t bytes_rx(std::uint64_t now) const;
    std::array<std::uint64_t, kFrameCounters> frames(std::uint64_t now) const;
    void start_traffic(std::uint64_t now);
    void persist();
    std::uint64_t driver_start_time(AdapterSpec const& adapter, std::uint64_t now);
    void stop_softap(std::uint64_t now);
    void admit_station(StationSpec const& station, StationLink& link, std::uint64_t now);
    void drop_station(StationSpec const& station, StationLink& link, std::uint16_t event, std::uint64_t now);
    void softap_event(Mac const& mac, std::uint16_t code, std::uint64_t now);
    void fold_counters(std::uint64_t now);
    void reset_station_attempts();

    WorldSpec m_spec;
    Store* m_store;
    int m_selected { -1 };
    std::vector<std::uint64_t> m_ready_at;
    int m_next_driver_delay { -1 };
    bool m_fail_next_scan { false };
    std::optional<std::uint64_t> m_scan_due;
    std::vector<std::vector<std::uint8_t>> m_scan_entries;
    std::vector<Scheduled> m_steps;
    std::vector<Outgoing> m_outbox;
    Link m_link;
    int m_driver_mode { 0 };
    bool m_suspended { false };
    // The access point of a link lost to range, until it is back; a resume's reconnection
    // waiting for the driver.
    std::string m_lost_ap;
    bool m_reconnect_after_resume { false };
    SoftApState m_ap;
    BlockAckStore m_block_acks;
    bool m_hosted_network { false };
    AdvanceState m_advance;
    WpsEngine m_wps;
    std::array<DLS_ENTRY, DLS_TABLE_ENTRIES> m_dls {};
};

}
