#include "station/core/Trace.h"

#include "platform/system/DebugOutput.h"
#include "station/core/VxWlLib.h"

#include <cstdarg>

void TraceMsg(int level, const char* format, ...)
{
    if (level > G_VxWlLib.nDebugMode.load(std::memory_order_relaxed) || !format)
        return;
    char buffer[512];
    va_list args;
    va_start(args, format);
    wvnsprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    OutputDebugString(buffer);
}
