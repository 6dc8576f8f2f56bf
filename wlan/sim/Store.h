// The persistent store of everything the programs keep through the outside libraries:
// profiles, the active profile, WPS and advanced settings, registry-like values, the radio
// state and operating mode. One file per key in a per-user folder; every write goes to a
// temporary file that is flushed and then renamed over the old one, so a reader (another
// process included) sees either the old or the new value, never a part of one.
#pragma once

#include "wlan/api/Profile.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wlan::sim {

// Writes `bytes` to a temporary file beside `target` ("<target>.tmp.<pid>.<n>"), flushes it and
// renames it over the target, so the target is either its old or its new content. The
// temporary is removed when anything fails; `before_rename` runs once it is complete.
bool replace_file(std::string const& target, std::vector<std::uint8_t> const& bytes,
    std::function<void()> const& before_rename = {});

class Store {
public:
    // VXSIM_STORE when set, else $XDG_STATE_HOME/vxsim, else ~/.local/state/vxsim.
    static std::string default_folder();

    // Opens (and makes) the folder, removing the temporaries that killed writers left behind.
    explicit Store(std::string folder);
    std::string const& folder() const { return m_folder; }
    std::string path_of(std::string const& key) const;

    // The largest value read; a larger file is absent.
    static constexpr std::size_t kMaxValueBytes = 16u << 20;
    std::optional<std::vector<std::uint8_t>> read(std::string const& key) const;
    bool write(std::string const& key, std::vector<std::uint8_t> const& bytes);
    bool remove(std::string const& key);

    std::optional<std::uint32_t> read_u32(std::string const& key) const;
    bool write_u32(std::string const& key, std::uint32_t value);
    std::optional<std::string> read_text(std::string const& key) const;
    bool write_text(std::string const& key, std::string const& text);

    // A fixed-size record; absent or of another size gives nullopt.
    template<typename T>
    std::optional<T> read_record(std::string const& key) const
    {
        auto bytes = read(key);
        if (!bytes || bytes->size() != sizeof(T))
            return std::nullopt;
        T out;
        std::memcpy(&out, bytes->data(), sizeof(T));
        return out;
    }
    template<typename T>
    bool write_record(std::string const& key, T const& value)
    {
        auto const* p = reinterpret_cast<std::uint8_t const*>(&value);
        return write(key, std::vector<std::uint8_t>(p, p + sizeof(T)));
    }

    // Profiles in their stored order; a file whose size is not a multiple of the record is
    // ignored as a whole.
    std::vector<WLANPROFILE> profiles() const;
    bool save_profiles(std::vector<WLANPROFILE> const& profiles);

    // Called after the temporary file is complete and before it replaces the old one; tests
    // stop the process here to show that the old value survives.
    void set_before_rename_hook(std::function<void()> hook) { m_before_rename = std::move(hook); }

private:
    std::string m_folder;
    std::function<void()> m_before_rename;
};

}
