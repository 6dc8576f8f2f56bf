#include "accesspoint/core/Trace.h"

#include "accesspoint/core/VxApApi.h"
#include "platform/system/DebugOutput.h"

#include <cstdarg>

namespace hotvane {

int TraceMsg(const char* format, ...)
{
    if (!format)
        return 0;
    char buffer[512];
    va_list args;
    va_start(args, format);
    int const length = wvnsprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (G_VxApApi.DebugMode == 1)
        OutputDebugString(buffer);
    return length;
}

}
