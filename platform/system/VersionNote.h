// The version note a file of the project carries, and the version-information block built from
// it. Programs and shared objects carry the note in the ELF section ".zorvel_version" (see
// VersionNote.cmake); other files (the stand-in driver file) may carry the note text itself.
// The note is text: a first line "ZORVEL-VERSION-NOTE 1", then "Key=Value" lines
// (FileVersion=a.b.c.d, ProductVersion, FileDescription, LegalCopyright, ...).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

struct VersionNote {
    std::array<std::uint16_t, 4> file_version {};
    std::array<std::uint16_t, 4> product_version {};
    std::map<std::string, std::string> strings;
};

std::optional<VersionNote> parse_version_note(std::string_view text);
std::string make_version_note_text(VersionNote const& note);
// Reads the note of the file at `path`: from its ELF section when it is an ELF file (an ELF
// file without the section has none), else from note text at the start of the file.
std::optional<VersionNote> read_version_note(std::string const& path);

// The block GetFileVersionInfo hands out, and the lookups VerQueryValue makes in it: "\" gives
// the fixed information, "\StringFileInfo\<language><code page>\<key>" a text (any language
// answers the one table), "\VarFileInfo\Translation" the language and code page.
std::vector<std::uint8_t> make_version_block(VersionNote const& note);
bool query_version_block(void const* block, std::string_view sub_block, void const** value, unsigned* length);

}
