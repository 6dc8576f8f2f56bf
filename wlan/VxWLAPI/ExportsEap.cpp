// Exports of EAP-FAST's PAC files: a provisioned PAC is kept in the store's "pac" folder under
// the identity it was made for, and found there again by that identity. And the system's EAP
// configuration window, which fills an EAP-FAST configuration blob.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"
#include "wlan/sim/PacFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

std::string pac_file_of(std::string const& identity)
{
    return wlan::sim::pac_file_path(Library::get().store().folder(), identity);
}

// What the system's EAP configuration window answers: a small blob of its own making.
constexpr std::uint8_t kEapConfigBlob[] = { 'V', 'X', 'E', 'A', 'P', 'C', 'F', 'G', 1, 0, 3, 26 };

// Stores the blob in the stored profile `name`; false when there is none.
bool store_blob_in_profile(std::string const& name)
{
    auto& store = Library::get().store();
    auto profiles = store.profiles();
    for (auto& profile : profiles) {
        if (name != std::string(profile.strProfileName, ::strnlen(profile.strProfileName, sizeof profile.strProfileName)))
            continue;
        std::memset(profile.pEapFastConfigBlob, 0, sizeof profile.pEapFastConfigBlob);
        std::memcpy(profile.pEapFastConfigBlob, kEapConfigBlob, sizeof kEapConfigBlob);
        profile.dwLenEapFastConfigBlob = sizeof kEapConfigBlob;
        return store.save_profiles(profiles);
    }
    return false;
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

// The window opens now and closes after the world's eap_ui_ms, when the program's window is
// enabled again (MSG 0x40B, 1). With the empty name (a connection without a profile) the blob
// and its length are written at once, at most *length bytes, and the window's closing also says
// the configuration is done (0x40C); with a profile's name the blob goes into that profile. A
// cancelled window (world key eap_ui_cancel) fills nothing and only enables the window again.
VXWL_API int VXWL_StartEapHostPeerInvokeConfigUI(const char* name, VXWL_U32* length, std::uint8_t* blob)
{
    std::string const profile = name ? std::string(name, ::strnlen(name, 128)) : std::string();
    bool const for_connection = profile.empty();
    if (for_connection && (!length || !blob))
        return VXWL_ERROR_FAIL;
    bool const done = Library::get().with_world([&](World& w, std::uint64_t now) { return w.open_eap_config_ui(for_connection, now); });
    if (!done)
        return VXWL_ERROR_FAIL;
    if (!for_connection)
        return store_blob_in_profile(profile) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
    std::size_t const written = std::min<std::size_t>(*length, sizeof kEapConfigBlob);
    std::memcpy(blob, kEapConfigBlob, written);
    *length = VXWL_U32(written);
    return VXWL_ERROR_SUCCESS;
}

VXWL_CHECK_TYPE(FastPacSave);
VXWL_CHECK_TYPE(FastPacLoad);
VXWL_CHECK_TYPE(StartEapHostPeerInvokeConfigUI);
