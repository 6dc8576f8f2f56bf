// Where the system services keep their files: a per-user runtime folder for the rendezvous of
// named objects and windows (gone at logout, like the login session's objects), a per-user data
// folder for the registry and service stand-ins, and the stand-in "system directory". Each can
// be moved by an environment variable, which is how tests isolate themselves.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace platform::system {

// ZORVEL_RUNTIME_DIR, else $XDG_RUNTIME_DIR/zorvel, else /tmp/zorvel-<uid>; created 0700.
std::string runtime_dir();
// Where runtime_dir() is, not made: for readers, to whom a missing folder is as a missing file.
std::string runtime_dir_path();
// ZORVEL_DATA_DIR, else $XDG_DATA_HOME/zorvel, else ~/.local/share/zorvel; created 0700.
std::string data_dir();
// ZORVEL_SYSTEM_DIR, else <data_dir>/system32.
std::string system_dir();

// Creates `path` and its parents with `mode` when missing; true when it exists afterwards.
// An existing folder costs one stat.
bool make_dirs(std::string const& path, unsigned mode);

// Replaces `path` with `bytes` so that readers see the old or the new file, never a part:
// the bytes go to a file beside it, are flushed, and the file is renamed over `path`.
bool write_file_atomically(std::string const& path, std::span<char const> bytes, unsigned mode = 0644);
// A regular file of at most `max_bytes` (see ReadFile.h); `out` is filled only on success.
bool read_whole_file(std::string const& path, std::string& out, std::size_t max_bytes = 64u << 20);

// Folder part of a path including the trailing separator ("" when there is none).
std::string folder_of(std::string const& path);
std::string base_name_of(std::string const& path);

}
