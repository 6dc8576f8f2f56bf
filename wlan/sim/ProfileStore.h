// The station library's stored profiles: their records in order (store key "profiles"), the
// active profile's name, the EAP-FAST PAC list beside each profile (and beside the connection
// without profile, name ""), and the ".prof" files profiles travel in. Every record entering
// is sanitised; names compare without regard to case. The exports of the library stand-in
// and wlansim's profile commands go through this one class.
#pragma once

#include "wlan/api/Profile.h"
#include "wlan/sim/ProfileFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wlan::sim {

class Store;

class ProfileStore {
public:
    // The library's answers, as its callers test them.
    static constexpr int kOk = 1;
    static constexpr int kFailed = 0;
    static constexpr int kNameTaken = -16;
    static constexpr int kBufferTooSmall = -10;
    // IsDuplicateProfileID.
    static constexpr int kIdFree = 1;
    static constexpr int kIdTaken = 0;
    static constexpr int kNoIdLeft = 3;
    static constexpr std::uint32_t kFirstId = 1;
    static constexpr std::uint32_t kLastId = 999;
    // ImportProfile.
    static constexpr int kImported = 0;
    static constexpr int kMoreThanOne = -14;
    static constexpr int kNoProfile = -15;
    static constexpr int kUnreadable = -17;
    // The largest ".prof" file read: one record and the longest PAC list, with room to spare.
    static constexpr std::size_t kMaxFileBytes = 1u << 20;

    explicit ProfileStore(Store& store) : m_store(store) { }

    std::vector<WLANPROFILE> profiles() const;
    std::optional<WLANPROFILE> find(std::string_view name) const;
    std::string active_name() const;
    bool set_active_name(std::string_view name);

    // Stores `record` under its own name: replaces the profile `old_name` in place (its PAC
    // list follows the new name), or appends when `old_name` is empty or unknown. A name held
    // by another profile answers kNameTaken and writes nothing.
    int write(std::string_view old_name, WLANPROFILE record);
    // Removes the profile and its PAC list and records `flag`; the active name is cleared when
    // it named the profile. False when there is no such profile or the store cannot be written.
    bool remove(std::string_view name, std::uint32_t flag);
    std::optional<std::uint32_t> last_delete_flag() const;

    // The lowest free ID in 1..999 as decimal text, "0" when none is free.
    std::string next_id() const;
    int check_id(std::string_view id_text) const;
    bool name_taken(std::string_view name) const;

    std::vector<PAC_ENTRY> pac_list(std::string_view name) const;
    bool set_pac_list(std::string_view name, std::vector<PAC_ENTRY> entries);
    // The list protocol of the library: with no buffer `count` becomes the number of entries
    // (kOk); a `count` below it answers kBufferTooSmall with the number needed; else the
    // entries are copied and `count` set to their number.
    int copy_pac_list(std::string_view name, PAC_ENTRY* entries, std::uint32_t& count) const;

    // kOk or kFailed; the target is replaced only by a complete file.
    int export_profile(std::string_view name, std::string const& path) const;
    int import_profile(std::string const& path);

private:
    struct PacList {
        std::string name;
        std::vector<PAC_ENTRY> entries;
    };
    std::vector<PacList> pac_lists() const;
    bool save_pac_lists(std::vector<PacList> const& lists);
    bool rename_pac_list(std::string_view from, std::string_view to);
    std::optional<std::uint32_t> lowest_free_id(std::vector<WLANPROFILE> const& profiles) const;

    Store& m_store;
};

}
