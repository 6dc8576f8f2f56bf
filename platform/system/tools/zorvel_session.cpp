// zorvel-session: shows or switches the active console session of the user's programs, as
// fast user switching did. The programs notice the switch on their next session poll.
//
//   zorvel-session          prints the active console session and this shell's own session
//   zorvel-session ID       makes session ID (a decimal number) the active console session
#include "platform/system/ProcessTable.h"
#include "platform/system/Session.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool parse_session(char const* text, DWORD& session)
{
    if (!text || *text < '0' || *text > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > 0xFFFFFFFEul)
        return false;
    session = static_cast<DWORD>(value);
    return true;
}

}

int main(int argc, char** argv)
{
    if (argc == 1) {
        std::printf("active %u\nown %u\n", WTSGetActiveConsoleSessionId(), platform::system::own_session_id());
        return 0;
    }
    DWORD session = 0;
    if (argc != 2 || !parse_session(argv[1], session)) {
        std::fprintf(stderr, "usage: zorvel-session [SESSION-ID]\n");
        return 2;
    }
    platform::system::set_active_console_session(session);
    return WTSGetActiveConsoleSessionId() == session ? 0 : 1;
}
