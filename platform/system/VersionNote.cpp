#include "platform/system/VersionNote.h"

#include "platform/system/Version.h"
#include "platform/system/TextSplit.h"

#include <algorithm>
#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::system {

namespace {

constexpr std::string_view note_header = "ZORVEL-VERSION-NOTE 1\n";
constexpr std::string_view note_section = ".zorvel_version";
constexpr std::uint32_t block_magic = 0x4249565A; // "ZVIB"

struct BlockHeader {
    std::uint32_t magic;
    std::uint32_t size;
    VS_FIXEDFILEINFO fixed;
    std::uint16_t translation[2];
};

std::optional<std::array<std::uint16_t, 4>> parse_four_parts(std::string_view text)
{
    std::array<std::uint16_t, 4> parts {};
    for (size_t i = 0; i < 4; ++i) {
        size_t digits = 0;
        unsigned value = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && value <= 0xFFFF)
            value = value * 10 + static_cast<unsigned>(text[digits++] - '0');
        if (digits == 0 || value > 0xFFFF)
            return std::nullopt;
        parts[i] = static_cast<std::uint16_t>(value);
        text.remove_prefix(digits);
        if (i < 3) {
            if (text.empty() || text.front() != '.')
                return std::nullopt;
            text.remove_prefix(1);
        }
    }
    return parts;
}

std::string four_parts_text(std::array<std::uint16_t, 4> const& parts)
{
    return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." + std::to_string(parts[2]) + "."
        + std::to_string(parts[3]);
}

// Parts of a regular file, each read only when it lies within the file: a program's version
// note is found without reading the whole program (a sanitizer build is past 64 MB).
class FileParts {
public:
    explicit FileParts(std::string const& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
        struct stat info {};
        if (m_fd >= 0 && ::fstat(m_fd, &info) == 0 && S_ISREG(info.st_mode))
            m_size = static_cast<std::uint64_t>(info.st_size);
    }
    ~FileParts()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileParts(FileParts const&) = delete;
    FileParts& operator=(FileParts const&) = delete;

    std::uint64_t size() const { return m_size; }
    // The `length` bytes at `offset`; nothing when they pass the file's end or `limit`.
    std::optional<std::string> read(std::uint64_t offset, std::uint64_t length, std::uint64_t limit) const
    {
        if (length > limit || offset > m_size || length > m_size - offset)
            return std::nullopt;
        std::string bytes(static_cast<std::size_t>(length), '\0');
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t const n = ::pread(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
            if (n <= 0)
                return std::nullopt;
            done += static_cast<std::size_t>(n);
        }
        return bytes;
    }

private:
    int m_fd;
    std::uint64_t m_size { 0 };
};

constexpr std::uint64_t kMaxSectionTable = 4u << 20;
constexpr std::uint64_t kMaxSectionNames = 1u << 20;
constexpr std::uint64_t kMaxNote = 64u << 10;

// The bytes of the named section of an ELF file, nullopt when it has none; every offset is
// checked against the file's size before it is read.
std::optional<std::string> elf_section(FileParts const& file, std::string_view name)
{
    auto head = file.read(0, sizeof(Elf64_Ehdr), sizeof(Elf64_Ehdr));
    if (!head || std::memcmp(head->data(), ELFMAG, SELFMAG) != 0 || (*head)[EI_CLASS] != ELFCLASS64)
        return std::nullopt;
    Elf64_Ehdr header;
    std::memcpy(&header, head->data(), sizeof header);
    if (header.e_shentsize != sizeof(Elf64_Shdr) || header.e_shstrndx >= header.e_shnum)
        return std::nullopt;
    auto table = file.read(header.e_shoff, std::uint64_t(header.e_shnum) * sizeof(Elf64_Shdr), kMaxSectionTable);
    if (!table)
        return std::nullopt;
    auto section = [&](size_t index) {
        Elf64_Shdr entry;
        std::memcpy(&entry, table->data() + index * sizeof(Elf64_Shdr), sizeof entry);
        return entry;
    };
    auto bytes_of = [&](Elf64_Shdr const& entry, std::uint64_t limit) -> std::optional<std::string> {
        if (entry.sh_type == SHT_NOBITS)
            return std::nullopt;
        return file.read(entry.sh_offset, entry.sh_size, limit);
    };
    auto names = bytes_of(section(header.e_shstrndx), kMaxSectionNames);
    if (!names)
        return std::nullopt;
    for (size_t i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr entry = section(i);
        if (entry.sh_name >= names->size())
            continue;
        std::string_view entry_name = std::string_view(*names).substr(entry.sh_name);
        entry_name = entry_name.substr(0, entry_name.find('\0'));
        if (entry_name == name)
            return bytes_of(entry, kMaxNote);
    }
    return std::nullopt;
}

}

std::optional<VersionNote> parse_version_note(std::string_view text)
{
    if (!text.starts_with(note_header))
        return std::nullopt;
    text.remove_prefix(note_header.size());
    text = text.substr(0, text.find('\0'));
    VersionNote note;
    LineReader lines(text);
    for (std::string_view line; lines.next(line);) {
        size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        note.strings[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
    }
    auto file_version = note.strings.count("FileVersion") ? parse_four_parts(note.strings["FileVersion"]) : std::nullopt;
    if (!file_version)
        return std::nullopt;
    note.file_version = *file_version;
    auto product = note.strings.count("ProductVersion") ? parse_four_parts(note.strings["ProductVersion"]) : std::nullopt;
    note.product_version = product.value_or(note.file_version);
    return note;
}

std::string make_version_note_text(VersionNote const& note)
{
    std::string text(note_header);
    text += "FileVersion=" + four_parts_text(note.file_version) + "\n";
    text += "ProductVersion=" + four_parts_text(note.product_version) + "\n";
    for (auto const& [key, value] : note.strings) {
        if (key != "FileVersion" && key != "ProductVersion")
            text += key + "=" + value + "\n";
    }
    return text;
}

std::optional<VersionNote> read_version_note(std::string const& path)
{
    FileParts const file(path);
    auto magic = file.read(0, SELFMAG, SELFMAG);
    if (magic && std::memcmp(magic->data(), ELFMAG, SELFMAG) == 0) {
        auto section = elf_section(file, note_section);
        return section ? parse_version_note(*section) : std::nullopt;
    }
    // Any other file carries the note text itself, at its start.
    auto text = file.read(0, std::min<std::uint64_t>(file.size(), kMaxNote), kMaxNote);
    return text ? parse_version_note(*text) : std::nullopt;
}

std::vector<std::uint8_t> make_version_block(VersionNote const& note)
{
    BlockHeader header {};
    header.magic = block_magic;
    auto high_low = [](std::array<std::uint16_t, 4> const& v, bool high) {
        return high ? (static_cast<DWORD>(v[0]) << 16) | v[1] : (static_cast<DWORD>(v[2]) << 16) | v[3];
    };
    header.fixed = VS_FIXEDFILEINFO { VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, high_low(note.file_version, true),
        high_low(note.file_version, false), high_low(note.product_version, true), high_low(note.product_version, false),
        0x3F, 0, 0x40004, VFT_APP, 0, 0, 0 };
    header.translation[0] = 0x0409;
    header.translation[1] = 0x04B0;
    std::vector<std::uint8_t> block(sizeof header);
    for (auto const& [key, value] : note.strings) {
        block.insert(block.end(), key.begin(), key.end());
        block.push_back(0);
        block.insert(block.end(), value.begin(), value.end());
        block.push_back(0);
    }
    block.push_back(0);
    header.size = static_cast<std::uint32_t>(block.size());
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}

bool query_version_block(void const* block, std::string_view sub_block, void const** value, unsigned* length)
{
    if (!block || !value || !length)
        return false;
    auto const* bytes = static_cast<char const*>(block);
    BlockHeader header;
    std::memcpy(&header, bytes, sizeof header);
    if (header.magic != block_magic || header.size < sizeof header)
        return false;
    if (sub_block == "\\" || sub_block.empty()) {
        *value = bytes + offsetof(BlockHeader, fixed);
        *length = sizeof(VS_FIXEDFILEINFO);
        return true;
    }
    if (sub_block == "\\VarFileInfo\\Translation") {
        *value = bytes + offsetof(BlockHeader, translation);
        *length = sizeof header.translation;
        return true;
    }
    constexpr std::string_view prefix = "\\StringFileInfo\\";
    if (!sub_block.starts_with(prefix))
        return false;
    sub_block.remove_prefix(prefix.size());
    size_t slash = sub_block.find('\\');
    if (slash == std::string_view::npos)
        return false;
    std::string_view key = sub_block.substr(slash + 1);
    std::string_view strings(bytes + sizeof header, header.size - sizeof header);
    while (!strings.empty() && strings.front() != '\0') {
        std::string_view name = strings.substr(0, strings.find('\0'));
        strings.remove_prefix(std::min(strings.size(), name.size() + 1));
        std::string_view text = strings.substr(0, strings.find('\0'));
        strings.remove_prefix(std::min(strings.size(), text.size() + 1));
        if (name == key) {
            *value = text.data();
            *length = static_cast<unsigned>(text.size() + 1);
            return true;
        }
    }
    return false;
}

}
