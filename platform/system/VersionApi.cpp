// The version-information functions over the project's version notes. A program names a file
// the original platform's way ("VxWLAPI.dll", "\" separators); program_file_path finds the file
// that stands for it.
#include "platform/system/Version.h"

#include "platform/system/ProcessTable.h"
#include "platform/system/VersionNote.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <cstring>
#include <optional>
#include <vector>

namespace {

std::optional<std::vector<std::uint8_t>> block_of(LPCSTR file_name)
{
    if (!file_name || !*file_name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    auto note = platform::system::read_version_note(platform::system::program_file_path(file_name));
    if (!note) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return std::nullopt;
    }
    return platform::system::make_version_block(*note);
}

}

extern "C" {

DWORD GetFileVersionInfoSize(LPCSTR file_name, LPDWORD handle)
{
    if (handle)
        *handle = 0;
    auto block = block_of(file_name);
    return block ? static_cast<DWORD>(block->size()) : 0;
}

// A buffer smaller than the block is refused whole: a cut block would not describe itself.
BOOL GetFileVersionInfo(LPCSTR file_name, DWORD, DWORD size, LPVOID data)
{
    auto block = block_of(file_name);
    if (!block)
        return FALSE;
    if (!data || size < block->size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(data, block->data(), block->size());
    return TRUE;
}

BOOL VerQueryValue(LPCVOID block, LPCSTR sub_block, LPVOID* buffer, UINT* length)
{
    void const* value = nullptr;
    unsigned size = 0;
    if (!sub_block || !buffer || !length || !platform::system::query_version_block(block, sub_block, &value, &size)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    *buffer = const_cast<void*>(value);
    *length = size;
    return TRUE;
}

}
