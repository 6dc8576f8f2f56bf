// What the open and save dialogs decide, apart from their window: the filter pairs, the
// listing of a folder under the chosen filter, and what a typed name means: a folder to
// enter, or the file to answer (the default extension added when the name has none), which
// an open dialog may require to exist and a save dialog may ask before replacing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

struct FileFilter {
    std::string label;                 // "PROF (*.prof)"
    std::vector<std::string> patterns; // "*.prof"; a pair may list several, split at ';'
};

// Reads the pairs of a filter text ("label\0pattern\0...\0\0"); stops at the first empty
// string, after `max_bytes`, or at a label without its pattern.
std::vector<FileFilter> parse_filters(char const* pairs, std::size_t max_bytes = 16384);
// '*' and '?' against a file name, ignoring case; "*.*" matches names without a dot too.
bool matches_pattern(std::string_view name, std::string_view pattern);

struct FolderEntry {
    std::string name;
    bool is_folder { false };
    bool operator==(FolderEntry const&) const = default;
};

class FileDialogModel {
public:
    enum class Kind { open, save };
    enum class Outcome { entered_folder, accepted, must_exist, confirm_overwrite, empty };

    struct Options {
        Kind kind { Kind::open };
        std::vector<FileFilter> filters;
        std::size_t filter { 0 }; // index into filters
        std::string default_extension; // without the dot
        bool file_must_exist { false };
        bool overwrite_prompt { false };
        std::string folder; // where the dialog starts
    };
    explicit FileDialogModel(Options options);

    std::string const& folder() const { return m_folder; }
    std::size_t filter() const { return m_options.filter; }
    void set_filter(std::size_t index);
    // The sub-folders (".." first, unless at the root), then the files the filter lets
    // through; each group sorted by name ignoring case. Hidden entries are left out.
    std::vector<FolderEntry> entries() const;

    // What the user typed in the name field (or picked from the list), relative to the
    // folder or absolute. The answered path is result() for accepted and confirm_overwrite.
    Outcome submit(std::string_view typed);
    // After confirm_overwrite, the user's yes: submitting the same path again accepts it.
    void confirm() { m_confirmed = m_result; }
    std::string const& result() const { return m_result; }

private:
    std::string with_default_extension(std::string path) const;

    Options m_options;
    std::string m_folder;
    std::string m_result;
    std::string m_confirmed;
};

}
