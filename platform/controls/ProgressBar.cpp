#include "platform/controls/ProgressBar.h"

#include "platform/controls/ControlPaint.h"

#include <algorithm>

namespace platform::controls {

ProgressBar::ProgressBar(HWND hwnd)
    : Control(hwnd)
{
}

void ProgressBar::register_class()
{
    register_control<ProgressBar>(PROGRESS_CLASS, CS_HREDRAW | CS_VREDRAW);
}

LRESULT ProgressBar::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case PBM_SETRANGE:
        return set_range(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
    case PBM_SETRANGE32: {
        LRESULT old = set_range(static_cast<int>(wparam), static_cast<int>(lparam));
        return old;
    }
    case PBM_GETRANGE:
        if (auto* range = reinterpret_cast<PBRANGE*>(lparam))
            *range = PBRANGE { m_low, m_high };
        return wparam ? m_low : m_high;
    case PBM_SETPOS:
        return set_position(static_cast<int>(wparam));
    case PBM_DELTAPOS:
        return set_position(static_cast<long long>(m_position) + static_cast<int>(wparam));
    case PBM_SETSTEP: {
        int old = m_step;
        m_step = static_cast<int>(wparam);
        return old;
    }
    case PBM_STEPIT: {
        long long next = static_cast<long long>(m_position) + m_step;
        if (next > m_high)
            next = m_low + (next - m_high);
        return set_position(next);
    }
    case PBM_GETPOS:
        return m_position;
    case PBM_SETBARCOLOR: {
        COLORREF old = m_bar;
        m_bar = static_cast<COLORREF>(lparam);
        invalidate();
        return old;
    }
    case PBM_SETBKCOLOR: {
        COLORREF old = m_background;
        m_background = static_cast<COLORREF>(lparam);
        invalidate();
        return old;
    }
    }
    return default_handling(message, wparam, lparam);
}

// The old range in PBM_SETRANGE's form: low in the low word, high in the high word.
LRESULT ProgressBar::set_range(int low, int high)
{
    LRESULT old = MAKELONG(static_cast<WORD>(m_low), static_cast<WORD>(m_high));
    m_low = low;
    m_high = high;
    m_position = std::clamp(m_position, std::min(low, high), std::max(low, high));
    invalidate();
    return old;
}

LRESULT ProgressBar::set_position(long long position)
{
    int old = m_position;
    m_position = static_cast<int>(std::clamp<long long>(position, std::min(m_low, m_high), std::max(m_low, m_high)));
    if (m_position != old)
        invalidate();
    return old;
}

void ProgressBar::paint(HDC dc)
{
    ProgressLook look { m_low, m_high, m_position, (style() & PBS_VERTICAL) != 0, (style() & PBS_SMOOTH) != 0, m_bar, m_background };
    paint_progress(dc, client_rect(), look);
}

}
