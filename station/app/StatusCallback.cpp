#include "station/app/StatusCallback.h"

#include "station/core/Trace.h"

namespace station::core {

void rsCallBackFunc(unsigned int event, void*, char*)
{
    TraceMsg(TRACE_STEP, "[Kivra] rsCallBackFunc: event %u\n", event & 0xFFu);
}

}
