#include "accesspoint/pages/EventArray.h"

#include <algorithm>

namespace hotvane {

CArray<KT_802_11_EVENT_LOG> G_aryEventLog;
int G_nEventLogShown = 0;

void AppendEventTable(EventTable const& table)
{
    INT_PTR const count = std::min<INT_PTR>(table.Count, AP_EVENT_TABLE_ENTRIES);
    INT_PTR const excess = count + G_aryEventLog.GetSize() - kMaxEventLogEntries;
    if (excess > 0) {
        G_aryEventLog.RemoveAt(0, excess);
        G_nEventLogShown = static_cast<int>(std::max<INT_PTR>(G_nEventLogShown - excess, 0));
    }
    for (INT_PTR i = 0; i < count; ++i)
        G_aryEventLog.Add(table.Event[i]);
}

}
