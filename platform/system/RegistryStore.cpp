#include "platform/system/RegistryStore.h"

#include "platform/system/ParseInteger.h"
#include "platform/system/Paths.h"
#include "platform/system/TextSplit.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::system {

namespace {

// Value lines: "name" <tab> type <tab> hex bytes. Names are written as hex too, so any byte
// of a name survives the text form.
std::string to_hex(std::string_view bytes)
{
    static char const digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::optional<std::string> from_hex(std::string_view text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::string out;
    for (size_t i = 0; i < text.size(); i += 2) {
        auto nibble = [](char c) -> int {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            return -1;
        };
        int high = nibble(text[i]), low = nibble(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
    }
    return out;
}

class FileLock {
public:
    explicit FileLock(std::string const& path)
        : m_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd >= 0)
            ::flock(m_fd, LOCK_EX);
    }
    ~FileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileLock(FileLock const&) = delete;
    FileLock& operator=(FileLock const&) = delete;

private:
    int m_fd;
};

}

std::string lower_case(std::string_view text)
{
    std::string out(text);
    for (auto& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

RegistryStore& RegistryStore::the()
{
    static RegistryStore store;
    return store;
}

std::string RegistryStore::file_path() const
{
    return data_dir() + "/registry.txt";
}

std::string RegistryStore::serialize(Tree const& tree)
{
    std::string text = "# Registry stand-in. One [key] per section; values: hex(name) type hex(data).\n";
    for (auto const& [lower, key] : tree) {
        text += "[" + key.path + "]\n";
        for (auto const& [lower_name, entry] : key.values) {
            auto const& [name, value] = entry;
            text += to_hex(name) + "\t" + std::to_string(value.type) + "\t"
                + to_hex(std::string_view(reinterpret_cast<char const*>(value.data.data()), value.data.size())) + "\n";
        }
    }
    return text;
}

RegistryStore::Tree RegistryStore::parse(std::string_view text)
{
    Tree tree;
    Key* current = nullptr;
    LineReader lines(text);
    for (std::string_view line; lines.next(line);) {
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            std::string path(line.substr(1, line.size() - 2));
            current = &tree[lower_case(path)];
            current->path = path;
            continue;
        }
        size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        if (!current || tab1 == std::string_view::npos || tab2 == std::string_view::npos)
            continue; // A damaged line loses only itself.
        auto name = from_hex(line.substr(0, tab1));
        auto data = from_hex(line.substr(tab2 + 1));
        auto type = parse_integer<std::uint32_t>(line.substr(tab1 + 1, tab2 - tab1 - 1));
        if (!name || !data || !type)
            continue;
        RegistryValue value { *type, std::vector<std::uint8_t>(data->begin(), data->end()) };
        current->values[lower_case(*name)] = { *name, std::move(value) };
    }
    return tree;
}

RegistryStore::Tree RegistryStore::load() const
{
    std::string text;
    if (!read_whole_file(file_path(), text))
        return {};
    return parse(text);
}

bool RegistryStore::modify(std::function<bool(Tree&)> const& change)
{
    std::lock_guard lock(m_mutex);
    FileLock file_lock(file_path() + ".lock");
    std::string before;
    bool const stored = read_whole_file(file_path(), before);
    Tree tree = stored ? parse(before) : Tree {};
    if (!change(tree))
        return false;
    // A change that leaves the stored text as it was (a program's start sets several values
    // to what they are) writes nothing: the file and its flush to disk stay as they were.
    std::string after = serialize(tree);
    if (stored && after == before)
        return true;
    return write_file_atomically(file_path(), after, 0600);
}

bool RegistryStore::key_exists(std::string const& path)
{
    std::lock_guard lock(m_mutex);
    return load().count(lower_case(path)) != 0;
}

bool RegistryStore::create_key(std::string const& path)
{
    bool created = false;
    modify([&](Tree& tree) {
        for (size_t pos = path.find('\\'); ; pos = path.find('\\', pos + 1)) {
            std::string part = path.substr(0, pos);
            auto [it, inserted] = tree.try_emplace(lower_case(part));
            if (inserted) {
                it->second.path = part;
                created = pos == std::string::npos;
            }
            if (pos == std::string::npos)
                break;
        }
        return created;
    });
    return created;
}

std::optional<RegistryValue> RegistryStore::value(std::string const& path, std::string const& name)
{
    std::lock_guard lock(m_mutex);
    Tree tree = load();
    auto key = tree.find(lower_case(path));
    if (key == tree.end())
        return std::nullopt;
    auto entry = key->second.values.find(lower_case(name));
    if (entry == key->second.values.end())
        return std::nullopt;
    return entry->second.second;
}

bool RegistryStore::set_value(std::string const& path, std::string const& name, RegistryValue value)
{
    return modify([&](Tree& tree) {
        auto key = tree.find(lower_case(path));
        if (key == tree.end())
            return false;
        key->second.values[lower_case(name)] = { name, std::move(value) };
        return true;
    });
}

bool RegistryStore::delete_value(std::string const& path, std::string const& name)
{
    return modify([&](Tree& tree) {
        auto key = tree.find(lower_case(path));
        return key != tree.end() && key->second.values.erase(lower_case(name)) != 0;
    });
}

bool RegistryStore::delete_key(std::string const& path)
{
    return modify([&](Tree& tree) {
        std::string lower = lower_case(path);
        // A key with subkeys cannot be deleted, as in the original.
        for (auto const& [other, key] : tree) {
            if (other.size() > lower.size() && other.starts_with(lower + "\\"))
                return false;
        }
        return tree.erase(lower) != 0;
    });
}

}
