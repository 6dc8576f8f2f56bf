#include "wlan/sim/ProfileStore.h"

#include "platform/system/ParseInteger.h"
#include "platform/system/ReadFile.h"
#include "wlan/profile/ProfileFields.h"
#include "wlan/sim/Store.h"

#include <algorithm>
#include <cstring>

namespace wlan::sim {

using profile::name_of;
using profile::same_name;

namespace {

constexpr char kProfilesKey[] = "profiles";
constexpr char kActiveKey[] = "active_profile";
constexpr char kPacKey[] = "pac_lists";
constexpr char kDeleteFlagKey[] = "delete_flag";

void sanitise_pac(PAC_ENTRY& e)
{
    e.Name[sizeof e.Name - 1] = '\0';
    e.Path[sizeof e.Path - 1] = '\0';
}

auto by_name(std::string_view name)
{
    return [name](WLANPROFILE const& p) { return same_name(name_of(p), name); };
}

}

std::vector<WLANPROFILE> ProfileStore::profiles() const
{
    auto list = m_store.profiles();
    for (auto& p : list)
        profile::sanitise(p);
    return list;
}

std::optional<WLANPROFILE> ProfileStore::find(std::string_view name) const
{
    auto const list = profiles();
    auto it = std::find_if(list.begin(), list.end(), by_name(name));
    return it == list.end() ? std::nullopt : std::optional<WLANPROFILE>(*it);
}

std::string ProfileStore::active_name() const
{
    std::string name = m_store.read_text(kActiveKey).value_or("");
    return std::string(profile::cut_on_character(name, PROFILE_NAME_SIZE - 1));
}

bool ProfileStore::set_active_name(std::string_view name) { return m_store.write_text(kActiveKey, std::string(name)); }

int ProfileStore::write(std::string_view old_name, WLANPROFILE record)
{
    profile::sanitise(record);
    std::string const name = name_of(record);
    auto list = profiles();
    auto old = old_name.empty() ? list.end() : std::find_if(list.begin(), list.end(), by_name(old_name));
    for (auto it = list.begin(); it != list.end(); ++it)
        if (it != old && same_name(name_of(*it), name))
            return kNameTaken;
    std::string const previous = old == list.end() ? std::string() : name_of(*old);
    if (old == list.end())
        list.push_back(record);
    else
        *old = record;
    if (!m_store.save_profiles(list))
        return kFailed;
    if (!previous.empty() && previous != name && !rename_pac_list(previous, name))
        return kFailed;
    return kOk;
}

bool ProfileStore::remove(std::string_view name, std::uint32_t flag)
{
    auto list = profiles();
    auto it = std::find_if(list.begin(), list.end(), by_name(name));
    if (it == list.end())
        return false;
    std::string const removed = name_of(*it);
    list.erase(it);
    if (!m_store.save_profiles(list))
        return false;
    auto lists = pac_lists();
    std::erase_if(lists, [&](PacList const& l) { return same_name(l.name, removed); });
    bool ok = save_pac_lists(lists) && m_store.write_u32(kDeleteFlagKey, flag);
    if (same_name(active_name(), removed))
        ok = set_active_name("") && ok;
    return ok;
}

std::optional<std::uint32_t> ProfileStore::last_delete_flag() const { return m_store.read_u32(kDeleteFlagKey); }

std::optional<std::uint32_t> ProfileStore::lowest_free_id(std::vector<WLANPROFILE> const& list) const
{
    std::vector<bool> taken(kLastId + 1, false);
    for (auto const& p : list)
        if (p.nProfileID <= kLastId)
            taken[p.nProfileID] = true;
    for (std::uint32_t id = kFirstId; id <= kLastId; ++id)
        if (!taken[id])
            return id;
    return std::nullopt;
}

std::string ProfileStore::next_id() const
{
    auto const id = lowest_free_id(profiles());
    return std::to_string(id.value_or(0));
}

// No free ID comes first: the editor then closes instead of asking for another number.
int ProfileStore::check_id(std::string_view id_text) const
{
    auto const list = profiles();
    if (!lowest_free_id(list))
        return kNoIdLeft;
    auto const id = platform::system::parse_integer<std::uint32_t>(id_text);
    if (!id || *id < kFirstId || *id > kLastId)
        return kIdTaken;
    bool const taken = std::any_of(list.begin(), list.end(), [&](WLANPROFILE const& p) { return p.nProfileID == *id; });
    return taken ? kIdTaken : kIdFree;
}

bool ProfileStore::name_taken(std::string_view name) const { return find(name).has_value(); }

// [SECTION] PAC lists: one store key holding, per list, its 128-byte name, its count and its
// entries. A damaged tail is dropped; the lists before it stay.
std::vector<ProfileStore::PacList> ProfileStore::pac_lists() const
{
    std::vector<PacList> out;
    auto const bytes = m_store.read(kPacKey).value_or(std::vector<std::uint8_t>());
    std::size_t at = 0;
    while (bytes.size() - at >= PROFILE_NAME_SIZE + 4) {
        PacList list;
        list.name = profile::read_text(reinterpret_cast<char const*>(bytes.data() + at), PROFILE_NAME_SIZE);
        std::uint32_t count = 0;
        std::memcpy(&count, bytes.data() + at + PROFILE_NAME_SIZE, 4);
        at += PROFILE_NAME_SIZE + 4;
        if (count > kMaxPacEntries || std::size_t(count) * sizeof(PAC_ENTRY) > bytes.size() - at)
            break;
        list.entries.resize(count);
        if (count)
            std::memcpy(list.entries.data(), bytes.data() + at, count * sizeof(PAC_ENTRY));
        at += count * sizeof(PAC_ENTRY);
        for (auto& e : list.entries)
            sanitise_pac(e);
        out.push_back(std::move(list));
    }
    return out;
}

bool ProfileStore::save_pac_lists(std::vector<PacList> const& lists)
{
    std::vector<std::uint8_t> bytes;
    for (auto const& l : lists) {
        char name[PROFILE_NAME_SIZE] {};
        profile::write_text(name, l.name);
        std::uint32_t const count = std::uint32_t(l.entries.size());
        bytes.insert(bytes.end(), name, name + sizeof name);
        auto const* c = reinterpret_cast<std::uint8_t const*>(&count);
        bytes.insert(bytes.end(), c, c + 4);
        auto const* e = reinterpret_cast<std::uint8_t const*>(l.entries.data());
        bytes.insert(bytes.end(), e, e + l.entries.size() * sizeof(PAC_ENTRY));
    }
    return m_store.write(kPacKey, bytes);
}

bool ProfileStore::rename_pac_list(std::string_view from, std::string_view to)
{
    auto lists = pac_lists();
    auto it = std::find_if(lists.begin(), lists.end(), [&](PacList const& l) { return same_name(l.name, from); });
    if (it == lists.end())
        return true;
    it->name = std::string(to);
    return save_pac_lists(lists);
}

std::vector<PAC_ENTRY> ProfileStore::pac_list(std::string_view name) const
{
    for (auto& l : pac_lists())
        if (same_name(l.name, name))
            return std::move(l.entries);
    return {};
}

bool ProfileStore::set_pac_list(std::string_view name, std::vector<PAC_ENTRY> entries)
{
    if (entries.size() > kMaxPacEntries)
        return false;
    for (auto& e : entries)
        sanitise_pac(e);
    auto lists = pac_lists();
    std::erase_if(lists, [&](PacList const& l) { return same_name(l.name, name); });
    if (!entries.empty())
        lists.push_back({ std::string(name), std::move(entries) });
    return save_pac_lists(lists);
}

int ProfileStore::copy_pac_list(std::string_view name, PAC_ENTRY* entries, std::uint32_t& count) const
{
    auto const list = pac_list(name);
    std::uint32_t const needed = std::uint32_t(list.size());
    if (!entries) {
        count = needed;
        return kOk;
    }
    if (count < needed) {
        count = needed;
        return kBufferTooSmall;
    }
    std::copy(list.begin(), list.end(), entries);
    count = needed;
    return kOk;
}

// [SECTION] ".prof" files

int ProfileStore::export_profile(std::string_view name, std::string const& path) const
{
    auto const record = find(name);
    if (!record || path.empty())
        return kFailed;
    ProfileFileEntry entry { *record, pac_list(name) };
    return replace_file(path, format_profile_file({ entry })) ? kOk : kFailed;
}

int ProfileStore::import_profile(std::string const& path)
{
    std::string text;
    if (platform::system::read_regular_file(path, text, kMaxFileBytes) != platform::system::ReadFileError::None)
        return kUnreadable;
    ProfileFileEntry entry;
    auto const* data = reinterpret_cast<std::uint8_t const*>(text.data());
    switch (parse_profile_file({ data, text.size() }, entry)) {
    case ProfileFileError::None: break;
    case ProfileFileError::NoProfile: return kNoProfile;
    case ProfileFileError::MoreThanOne: return kMoreThanOne;
    case ProfileFileError::Malformed: return kUnreadable;
    }
    profile::sanitise(entry.record);
    std::string const name = name_of(entry.record);
    auto const list = profiles();
    if (name.empty())
        return kUnreadable;
    if (std::any_of(list.begin(), list.end(), by_name(name)))
        return kNameTaken;
    bool const id_taken = std::any_of(list.begin(), list.end(), [&](WLANPROFILE const& p) { return p.nProfileID == entry.record.nProfileID; });
    if (id_taken || entry.record.nProfileID < kFirstId || entry.record.nProfileID > kLastId) {
        auto const id = lowest_free_id(list);
        if (!id)
            return kUnreadable;
        entry.record.nProfileID = *id;
    }
    if (write("", entry.record) != kOk || !set_pac_list(name, std::move(entry.pacs)))
        return kUnreadable;
    return kImported;
}

}
