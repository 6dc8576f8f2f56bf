// A small program the system tests start as a real process. It writes its arguments, one per
// line, to the file named by ZORVEL_HELPER_OUT (written whole, then renamed into place), then,
// when ZORVEL_HELPER_FIFO names a pipe, holds it open for reading until the test closes the
// other end: the test knows the process runs while it keeps the pipe, and never sleeps.
// With ZORVEL_HELPER_MODE set it runs one of the modes of helper_system.cpp instead.
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#ifdef ZORVEL_HELPER_WITH_SYSTEM
int run_system_mode(char const* mode, int argc, char** argv);
#endif

int main(int argc, char** argv)
{
#ifdef ZORVEL_HELPER_WITH_SYSTEM
    if (char const* mode = std::getenv("ZORVEL_HELPER_MODE"))
        return run_system_mode(mode, argc, argv);
#endif
    if (char const* out = std::getenv("ZORVEL_HELPER_OUT")) {
        std::string temporary = std::string(out) + ".part";
        if (FILE* file = std::fopen(temporary.c_str(), "w")) {
            for (int i = 0; i < argc; ++i)
                std::fprintf(file, "%s\n", argv[i]);
            std::fclose(file);
            std::rename(temporary.c_str(), out);
        }
    }
    if (char const* fifo = std::getenv("ZORVEL_HELPER_FIFO")) {
        int fd = ::open(fifo, O_RDONLY);
        char byte;
        while (fd >= 0 && ::read(fd, &byte, 1) > 0) { }
        if (fd >= 0)
            ::close(fd);
    }
    if (char const* code = std::getenv("ZORVEL_HELPER_EXIT"))
        return std::atoi(code);
    return 0;
}
