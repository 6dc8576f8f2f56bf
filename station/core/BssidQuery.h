// Fetching the library's scan list into a page's 0x8000-byte list buffer, and the flags by
// which the scan-finished callback tells the pages' timers that a fresh list can be fetched.
// The callback runs on the library's own thread, so the flags are atomic; everything else
// here runs on the user-interface thread.
#pragma once

#include "wlan/api/Records.h"

#include <atomic>
#include <cstddef>
#include <string>

// A scan has finished and the site survey page may fetch its list.
extern std::atomic<int> m_bSurveyComplete;
// The same news for the WPS page, which reads and clears it on its own timer.
extern std::atomic<int> G_bScanComplete;

// The callback the pages give to VXWL_SiteSurveyScan: unless a WAPI connection is under way,
// raises both flags. Nothing else: the pages' timers do the work.
void FuncScanFinished();

// VXWL_SiteSurveyQuery into `list` (BSSID_LIST_BUFFER_SIZE bytes): offers 15364 bytes first,
// and when the library answers that it needs more (-10), asks once more with the size it
// reported, cut to the buffer. Any other answer than 1 is traced; the buffer is left as the
// library left it. Answers the library's last answer.
int QueryBssidList(void* list);

// Traces the list's count and every address in it, as far as the list is sound.
void TraceBssidList(void const* list);

// A text field of the element digest: its bytes up to the first zero, or the whole field when
// it is full, since a full field carries no terminator.
std::string DigestText(char const* field, std::size_t size);
template<std::size_t N>
std::string DigestText(char const (&field)[N])
{
    return DigestText(field, N);
}
