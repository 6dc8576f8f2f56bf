// The program's own path and the option file beside it. The option file is named after the
// program: its file name with the extension replaced ("Zorvel.exe" -> "Zorvel.ini"), or the
// extension appended when the file name has none ("Zorvel" -> "Zorvel.ini"). Only the file
// name counts: a dot in a folder name never does.
#pragma once

#include <cstddef>
#include <string>

// The running program's full path. Tests may pin it (an empty text goes back to the real one),
// so that the option and language files they write sit in a folder of their own.
std::string GetProgramPath();
void SetProgramPathForTesting(std::string const& path);

// The program's folder, with its trailing separator.
std::string GetProgramFolder();

// `program` with its file name's extension replaced by `extension` (given without the dot).
std::string IniPathFor(std::string const& program, const char* extension);

// Copies the value of `key` in `section` of the program's option file, or `default_value` when
// the file, the section or the key is missing, into `destination` of `size` bytes: the text is
// cut at size - 1 characters and always terminated.
void ReadIniString(const char* section, const char* key, const char* default_value, char* destination,
    std::size_t size, const char* extension = "ini");
