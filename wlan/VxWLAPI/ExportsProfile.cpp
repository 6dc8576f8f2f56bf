// Exports of the stored profiles: the list and each record, the active profile, IDs and names,
// the PAC lists beside the profiles, the stored client certificate and the ".prof" files.
// Names are read from 128-byte buffers and compared without regard to case.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"

#include "wlan/profile/ProfileFields.h"
#include "wlan/sim/ProfileStore.h"

#include <cstdio>
#include <cstring>
#include <string>

using wlan::sim::ProfileStore;
using wlan::vxwl::Library;

namespace {

std::string name_of(char const* text) { return text ? std::string(text, ::strnlen(text, PROFILE_NAME_SIZE)) : std::string(); }

// A path buffer of the programs holds at most this much.
std::string path_of(char const* text) { return text ? std::string(text, ::strnlen(text, 4096)) : std::string(); }

ProfileStore profiles() { return ProfileStore(Library::get().store()); }

}

VXWL_API int VXWL_ReadActiveProfileName(char* name)
{
    if (!name)
        return VXWL_ERROR_FAIL;
    wlan::profile::write_text(name, PROFILE_NAME_SIZE, profiles().active_name());
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_ReadProfileData(WLANPROFILE* profile, const char* name)
{
    if (!profile || !name)
        return VXWL_ERROR_FAIL;
    auto const found = profiles().find(name_of(name));
    if (!found)
        return VXWL_ERROR_FAIL;
    *profile = *found;
    return VXWL_ERROR_SUCCESS;
}

// With no buffer: the count. With a buffer of *count records: the records, and *count set to
// the number written; too few answers -10 with the needed count.
VXWL_API int VXWL_ReadProfileList(WLANPROFILE* buffer, VXWL_U32* count)
{
    if (!count)
        return VXWL_ERROR_FAIL;
    auto const stored = profiles().profiles();
    std::uint32_t const needed = std::uint32_t(stored.size());
    if (buffer && *count < needed) {
        *count = needed;
        return VXWL_ERROR_BUFFER_TOO_SMALL;
    }
    if (buffer && needed)
        std::memcpy(buffer, stored.data(), stored.size() * sizeof(WLANPROFILE));
    *count = needed;
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_CopyProfileToCurrentSetting(const char* name)
{
    std::string wanted = name_of(name);
    auto store = profiles();
    if (!wanted.empty()) {
        auto const found = store.find(wanted);
        if (!found)
            return VXWL_ERROR_FAIL;
        wanted = wlan::profile::name_of(*found);
    }
    return store.set_active_name(wanted) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_ResetToDefaultConnecctionSetting(void)
{
    return profiles().set_active_name("") ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_WriteProfile(const char* old_name, WLANPROFILE* profile)
{
    if (!profile)
        return VXWL_ERROR_FAIL;
    return profiles().write(name_of(old_name), *profile);
}

VXWL_API int VXWL_DeleteProfile(const char* name, int flag)
{
    return profiles().remove(name_of(name), std::uint32_t(flag)) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_GetNextProfileID(char* id_text)
{
    if (!id_text)
        return VXWL_ERROR_FAIL;
    wlan::profile::write_text(id_text, PROFILE_NAME_SIZE, profiles().next_id());
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_IsDuplicateProfileID(const char* id_text) { return profiles().check_id(name_of(id_text)); }

VXWL_API int VXWL_CheckDuplicatedProfileName(const char* name)
{
    return profiles().name_taken(name_of(name)) ? ProfileStore::kNameTaken : VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_ImportProfile(const char* path) { return profiles().import_profile(path_of(path)); }

VXWL_API int VXWL_ExportProfile(const char* name, const char* path)
{
    return profiles().export_profile(name_of(name), path_of(path));
}

VXWL_API int VXWL_ReadPACList(PAC_ENTRY* entries, VXWL_U32* count, const char* name)
{
    if (!count)
        return VXWL_ERROR_FAIL;
    std::uint32_t n = *count;
    int const answer = profiles().copy_pac_list(name_of(name), entries, n);
    *count = n;
    return answer;
}

VXWL_API int VXWL_WritePACList(PAC_LIST* list, const char* name)
{
    if (!list || (list->Count && !list->Entries) || list->Count > wlan::sim::kMaxPacEntries)
        return VXWL_ERROR_FAIL;
    std::vector<PAC_ENTRY> entries(list->Entries, list->Entries + list->Count);
    return profiles().set_pac_list(name_of(name), std::move(entries)) ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_API int VXWL_Read8021XCert(KT_BLOB_KEY* cert, const char* name)
{
    if (!cert)
        return VXWL_ERROR_FAIL;
    auto const found = profiles().find(name_of(name));
    *cert = found ? found->user_cert : KT_BLOB_KEY {};
    return found ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

VXWL_CHECK_TYPE(ReadActiveProfileName);
VXWL_CHECK_TYPE(ReadProfileData);
VXWL_CHECK_TYPE(ReadProfileList);
VXWL_CHECK_TYPE(CopyProfileToCurrentSetting);
VXWL_CHECK_TYPE(ResetToDefaultConnecctionSetting);
VXWL_CHECK_TYPE(WriteProfile);
VXWL_CHECK_TYPE(DeleteProfile);
VXWL_CHECK_TYPE(GetNextProfileID);
VXWL_CHECK_TYPE(IsDuplicateProfileID);
VXWL_CHECK_TYPE(CheckDuplicatedProfileName);
VXWL_CHECK_TYPE(ImportProfile);
VXWL_CHECK_TYPE(ExportProfile);
VXWL_CHECK_TYPE(ReadPACList);
VXWL_CHECK_TYPE(WritePACList);
VXWL_CHECK_TYPE(Read8021XCert);
