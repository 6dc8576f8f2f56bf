// The registry stand-in: a tree of keys with typed values, kept in one text file of the user's
// data folder. Every change re-reads the file under a lock, applies itself and replaces the
// file atomically, so several processes share one store and nothing is lost at a crash. Key
// and value names compare without regard to case; a key path is "ROOT\a\b" with the root's
// full name (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

struct RegistryValue {
    std::uint32_t type { 0 };
    std::vector<std::uint8_t> data;
};

class RegistryStore {
public:
    static RegistryStore& the();

    bool key_exists(std::string const& path);
    // Creates the key and its parents; true when it was created, false when it existed.
    bool create_key(std::string const& path);
    std::optional<RegistryValue> value(std::string const& path, std::string const& name);
    bool set_value(std::string const& path, std::string const& name, RegistryValue value);
    bool delete_value(std::string const& path, std::string const& name);
    bool delete_key(std::string const& path);

    // The file behind the store; tests point it at their own folder.
    std::string file_path() const;

private:
    struct Key {
        std::string path;
        std::map<std::string, std::pair<std::string, RegistryValue>> values; // lower-case name → (name, value)
    };
    using Tree = std::map<std::string, Key>; // lower-case path → key

    Tree load() const;
    // Runs `change` on the current tree under the store's file lock and saves when it answers true
    // and the stored text changes.
    bool modify(std::function<bool(Tree&)> const& change);

    static std::string serialize(Tree const& tree);
    static Tree parse(std::string_view text);

    std::mutex m_mutex;
};

std::string lower_case(std::string_view text);

}
