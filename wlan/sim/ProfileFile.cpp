#include "wlan/sim/ProfileFile.h"

#include <cstring>

namespace wlan::sim {

namespace {

constexpr char kMagic[8] = { 'V', 'X', 'P', 'R', 'O', 'F', '\r', '\n' };

// Reads fixed-size pieces from the front of a span, refusing any read past its end.
class Reader {
public:
    explicit Reader(std::span<std::uint8_t const> bytes) : m_bytes(bytes) { }
    bool take(void* out, std::size_t size)
    {
        if (size > m_bytes.size())
            return false;
        std::memcpy(out, m_bytes.data(), size);
        m_bytes = m_bytes.subspan(size);
        return true;
    }
    bool u32(std::uint32_t& out) { return take(&out, sizeof out); }
    std::size_t left() const { return m_bytes.size(); }

private:
    std::span<std::uint8_t const> m_bytes;
};

bool read_entry(Reader& in, ProfileFileEntry& entry)
{
    std::uint32_t count = 0;
    if (!in.take(&entry.record, sizeof entry.record) || !in.u32(count) || count > kMaxPacEntries)
        return false;
    if (std::size_t(count) * sizeof(PAC_ENTRY) > in.left())
        return false;
    entry.pacs.resize(count);
    return count == 0 || in.take(entry.pacs.data(), count * sizeof(PAC_ENTRY));
}

void append(std::vector<std::uint8_t>& out, void const* data, std::size_t size)
{
    auto const* p = static_cast<std::uint8_t const*>(data);
    out.insert(out.end(), p, p + size);
}

void append_u32(std::vector<std::uint8_t>& out, std::uint32_t value) { append(out, &value, sizeof value); }

}

ProfileFileError parse_profile_file(std::span<std::uint8_t const> bytes, ProfileFileEntry& out)
{
    Reader in(bytes);
    char magic[8];
    std::uint32_t version = 0, record_size = 0, count = 0;
    if (!in.take(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof magic) != 0 || !in.u32(version)
        || version != kProfileFileVersion || !in.u32(record_size) || record_size != sizeof(WLANPROFILE) || !in.u32(count))
        return ProfileFileError::Malformed;
    // Every entry takes at least its record and PAC count: a larger count cannot be true.
    if (count > in.left() / (sizeof(WLANPROFILE) + 4))
        return ProfileFileError::Malformed;
    ProfileFileEntry first;
    for (std::uint32_t i = 0; i < count; ++i) {
        ProfileFileEntry entry;
        if (!read_entry(in, entry))
            return ProfileFileError::Malformed;
        if (i == 0)
            first = std::move(entry);
    }
    if (in.left() != 0)
        return ProfileFileError::Malformed;
    if (count == 0)
        return ProfileFileError::NoProfile;
    if (count > 1)
        return ProfileFileError::MoreThanOne;
    out = std::move(first);
    return ProfileFileError::None;
}

std::vector<std::uint8_t> format_profile_file(std::vector<ProfileFileEntry> const& entries)
{
    std::vector<std::uint8_t> out;
    append(out, kMagic, sizeof kMagic);
    append_u32(out, kProfileFileVersion);
    append_u32(out, sizeof(WLANPROFILE));
    append_u32(out, std::uint32_t(entries.size()));
    for (auto const& e : entries) {
        append(out, &e.record, sizeof e.record);
        append_u32(out, std::uint32_t(e.pacs.size()));
        if (!e.pacs.empty())
            append(out, e.pacs.data(), e.pacs.size() * sizeof(PAC_ENTRY));
    }
    return out;
}

}
