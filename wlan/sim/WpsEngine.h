// The adapter's scripted WPS exchange. A run moves one step per `wps_step_ms` of the world's
// time; its status is level-triggered: whoever asks (the WPS page, the hidden dialog) reads
// the step the run is at, and a finished run keeps its last code until the next run or a WPS
// disconnect. Push button: the pressed access points of the preferred band are counted at
// every query until one is alone (it is then run to the end) or the walk time is over (0).
// PIN: the target is found by BSSID; its PIN (ap key `wps_pin`) must equal the run's, and
// `wps_fail` forces a protocol error. The status word carries bit 28 for the PIN method.
#pragma once

#include "wlan/api/Profile.h"

#include <cstdint>
#include <string>

namespace wlan::sim {

class World;
struct ApSpec;

class WpsEngine {
public:
    static constexpr std::uint32_t kPinMethod = 0x10000000;
    static constexpr std::uint32_t kPbcMethod = 0x20000000;

    // VXWL_SetWPSMode: a new run with the method of `mode`; false for no method.
    bool set_mode(World& world, WPS_MODE const& mode, std::uint64_t now);
    // VXWL_SetWPSProfile: the credentials a registrar offers (credential 0 is given).
    void set_profile(WPS_PROFILE const& profile) { m_offered = profile; }
    // The switches the program sets before a run; recorded only (the preferred band also
    // chooses the push-button access points: 0 channels 1-14, 1 above 14, 2 all).
    struct Switches {
        int associate_ie { -1 };
        int probe_ie { -1 };
        int auto_select { -1 };
        int prefer_band { 2 };
    };
    Switches& switches() { return m_switches; }
    Switches const& switches() const { return m_switches; }

    std::uint32_t status(World& world, std::uint64_t now);
    // The credentials of the run that ended with 15, and its access point's channel.
    WPS_PROFILE const& result() const { return m_result; }
    int channel() const { return m_channel; }
    // VXWL_WPSDisconnect: the run ends (status 0).
    void disconnect();

    // wlansim wps-hw-press: the next hardware-button query reports one press and starts a
    // push-button run.
    void press_hw_button() { m_hw_pending = true; }
    bool take_hw_press(World& world, std::uint64_t now);
    bool running() const { return m_kind != Kind::None; }

private:
    enum class Kind { None, Pbc, Pin };

    std::uint32_t pbc_status(World& world, std::uint64_t now);
    std::uint32_t pin_status(World& world, std::uint64_t now);
    // The code `steps` steps into the exchange with `ap`; fills the result once it reaches 15.
    std::uint32_t exchange_code(World& world, ApSpec& ap, std::uint64_t steps);
    void finish(World& world, ApSpec& ap);
    void end(std::uint32_t code);

    Kind m_kind { Kind::None };
    bool m_registrar { false };
    WPS_MODE m_mode {};
    std::uint64_t m_started { 0 };
    // The one access point the run talks to, from `m_locked_at`.
    std::string m_ap_id;
    std::uint64_t m_locked_at { 0 };
    bool m_locked { false };
    bool m_done { false };
    std::uint32_t m_final { 0 }; // code a finished run keeps showing
    WPS_PROFILE m_offered {};
    WPS_PROFILE m_result {};
    int m_channel { 0 };
    Switches m_switches;
    bool m_hw_pending { false };
};

// A credential describing `ap`: types from its security, its key and its BSSID.
WPS_CREDENTIAL credential_of(ApSpec const& ap);
// The access point takes a registrar's credential as its SSID, security and key.
void apply_credential(ApSpec& ap, WPS_CREDENTIAL const& credential);

}
