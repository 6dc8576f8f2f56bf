#include "station/core/FileVersionText.h"

#include "platform/system/FileAttributes.h"
#include "platform/system/Version.h"
#include "platform/user/User.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::string date_of(std::string const& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    FILETIME local {};
    SYSTEMTIME time {};
    if (!::GetFileAttributesEx(path.c_str(), GetFileExInfoStandard, &data) || !::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)
        || !::FileTimeToSystemTime(&local, &time))
        return {};
    char text[32] {};
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", time.wMonth, time.wDay, time.wYear);
    return text;
}

std::string copyright_of(void const* block)
{
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValue(block, "\\StringFileInfo\\040904B0\\LegalCopyright", &value, &length) || !value || length == 0)
        return {};
    auto const* text = static_cast<char const*>(value);
    return std::string(text, ::strnlen(text, length));
}

}

std::optional<FileVersionText> ReadFileVersionText(std::string const& path)
{
    DWORD handle = 0;
    DWORD const size = ::GetFileVersionInfoSize(path.c_str(), &handle);
    if (size == 0)
        return std::nullopt;
    std::vector<BYTE> block(size);
    void* value = nullptr;
    UINT length = 0;
    if (!::GetFileVersionInfo(path.c_str(), handle, size, block.data()) || !::VerQueryValue(block.data(), "\\", &value, &length)
        || length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    auto const* fixed = static_cast<VS_FIXEDFILEINFO const*>(value);
    char version[48] {};
    std::snprintf(version, sizeof version, "%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
        HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    return FileVersionText { version, date_of(path), copyright_of(block.data()) };
}
