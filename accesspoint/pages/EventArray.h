// The event array: the access point's recent events, oldest first, at most 100, that the
// hidden dialog collects from the library's event table every tick and the event log page
// lists. `G_nEventLogShown` counts the entries the page's list already holds; a new sheet sets
// it to 0 so that it lists the whole array. User-interface thread only.
#pragma once

#include "platform/framework/Collections.h"
#include "wlan/api/ApRecords.h"

namespace hotvane {

constexpr INT_PTR kMaxEventLogEntries = 100;

extern CArray<KT_802_11_EVENT_LOG> G_aryEventLog;
extern int G_nEventLogShown;

// Appends the table's events (its count taken within 0 to 10) in their order, first dropping
// as many of the oldest entries as the array would go past 100 by, and lowering
// `G_nEventLogShown` by as many, not below 0.
void AppendEventTable(EventTable const& table);

}
