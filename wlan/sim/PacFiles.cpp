#include "wlan/sim/PacFiles.h"

#include "platform/system/ReadFile.h"
#include "wlan/api/Profile.h"

#include <cstdio>
#include <cstring>

namespace wlan::sim {

std::vector<std::uint8_t> pac_block(std::string const& aid, std::string const& identity)
{
    std::vector<std::uint8_t> block(sizeof(PAC_BLOCK), 0);
    std::snprintf(reinterpret_cast<char*>(block.data()), block.size(), "PAC\n%s\n%s\n", aid.c_str(), identity.c_str());
    return block;
}

std::string pac_file_path(std::string const& store_folder, std::string identity)
{
    for (char& c : identity) {
        if (c == '/' || c == '\\' || c == '.' || c == '\0')
            c = '_';
    }
    if (identity.empty())
        identity = "_";
    return store_folder + "/pac/" + identity + ".pac";
}

bool pac_holds_aid(std::string const& path, std::string const& aid)
{
    std::string text;
    if (path.empty() || platform::system::read_regular_file(path, text, sizeof(PAC_BLOCK)) != platform::system::ReadFileError::None)
        return false;
    std::string const head = "PAC\n" + aid + "\n";
    return !aid.empty() && text.compare(0, head.size(), head) == 0;
}

}
