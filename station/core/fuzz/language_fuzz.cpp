// Any bytes as the language file: the strings the program shows are read from it, each kept
// to what a value may show.
#include "station/core/UiStr.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string const& folder()
{
    static std::string const path = [] {
        char templ[] = "/tmp/language-fuzz-XXXXXX";
        std::string const made = ::mkdtemp(templ);
        std::filesystem::create_directory(made + "/Languages");
        return made + "/";
    }();
    return path;
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    std::ofstream(folder() + "Languages/Lang0409.ini", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<char const*>(data), static_cast<std::streamsize>(size));
    CUISTR strings;
    strings.load_from(folder(), "0409");
    return 0;
}
