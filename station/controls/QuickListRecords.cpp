#include "station/controls/QuickListRecords.h"

#include <utility>

void QuickCellRequest::reset()
{
    // The strings are moved out and back so that their buffers survive: a request then
    // allocates nothing unless the parent's text outgrows what an earlier cell needed.
    CString text = std::move(m_strText);
    CString tip = std::move(m_strTipText);
    text.Empty();
    *this = QuickCellRequest {};
    m_strText = std::move(text);
    m_strTipText = std::move(tip);
}
