// The version and date of a file as the about pages of both programs show them: the file
// version of its version information as "%d.%d.%d.%d" and its last change in local time as
// "%m-%d-%Y", and its legal copyright text. A file without version information has none of
// them.
#pragma once

#include <optional>
#include <string>

struct FileVersionText {
    std::string version;
    std::string date;      // empty when the file's times cannot be read
    std::string copyright; // "\StringFileInfo\040904B0\LegalCopyright", empty when absent
};

// `path` names the file as a program does ("X.dll" and "X.exe" are mapped as LoadLibrary maps
// them).
std::optional<FileVersionText> ReadFileVersionText(std::string const& path);
