#include "platform/system/FileAttributes.h"

#include "platform/system/Shell.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <sys/stat.h>
#include <unistd.h>

extern "C" {

DWORD GetFileAttributes(LPCSTR path)
{
    if (!path || !*path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    // The same mapping ShellExecute opens by: separators, and the HTML twin of a help file.
    std::string const found = platform::system::shell_target(path, "");
    struct stat info {};
    if (found.empty() || ::stat(found.c_str(), &info) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISDIR(info.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    return ::access(found.c_str(), W_OK) == 0 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

BOOL PathFileExists(LPCSTR path)
{
    return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES ? TRUE : FALSE;
}

}
