// Exports of EAP-FAST's PAC files: a provisioned PAC is kept in the store's "pac" folder under
// the identity it was made for, and found there again by that identity.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

// A file name from an identity: separators and dots become '_', so it stays in the folder.
std::string pac_file_of(std::string identity)
{
    for (char& c : identity) {
        if (c == '/' || c == '\\' || c == '.' || c == '\0')
            c = '_';
    }
    if (identity.empty())
        identity = "_";
    return Library::get().store().folder() + "/pac/" + identity + ".pac";
}

std::string link_identity()
{
    return Library::get().with_world([](World& w, std::uint64_t) {
        auto const& id = w.current_profile().chID;
        return std::string(id, ::strnlen(id, sizeof id));
    });
}

}

VXWL_API int VXWL_FastPacSave(PAC_BLOCK* block, char* pac_path, char* aid)
{
    (void)pac_path;
    (void)aid;
    if (!block)
        return VXWL_ERROR_FAIL;
    std::string const file = pac_file_of(link_identity());
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
    std::string const temporary = file + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<char const*>(block->Bytes), sizeof block->Bytes);
        if (!out.flush())
            return VXWL_ERROR_FAIL;
    }
    std::filesystem::rename(temporary, file, ignored);
    return ignored ? VXWL_ERROR_FAIL : VXWL_ERROR_SUCCESS;
}

// The PAC file of `identity` (the link's own when empty), or an empty path when there is none.
VXWL_API int VXWL_FastPacLoad(char* path, int path_size, const char* identity, int mode)
{
    (void)mode;
    if (!path || path_size <= 0)
        return VXWL_ERROR_FAIL;
    std::string id = identity ? std::string(identity, ::strnlen(identity, 128)) : std::string();
    if (id.empty())
        id = link_identity();
    std::string const file = pac_file_of(id);
    std::error_code ignored;
    bool const found = std::filesystem::exists(file, ignored);
    std::snprintf(path, std::size_t(path_size), "%s", found ? file.c_str() : "");
    return found ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_CHECK_TYPE(FastPacSave);
VXWL_CHECK_TYPE(FastPacLoad);
