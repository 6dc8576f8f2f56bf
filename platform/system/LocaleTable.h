// From a Linux locale name ("zh_TW.UTF-8", "de_DE@euro", "C") to the 16-bit language id the
// programs choose their language and help files by (0x0409 English, 0x0404 Chinese
// traditional, 0x0804 Chinese simplified, ...).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::system {

// 0x0409 for names it does not know, "C" and "POSIX".
std::uint16_t language_id_for_locale(std::string_view locale_name);
// The locale that names the user's messages language: LC_ALL, else LC_MESSAGES, else LANG.
std::string messages_locale_name();

}
