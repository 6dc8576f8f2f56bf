#include "platform/gdi/SystemParameters.h"

#include "platform/user/WindowCore.h"

#include <atomic>
#include <cstddef>
#include <cstring>
#include <mutex>

namespace platform::gdi {

namespace {

LOGFONT dialog_font(LONG weight)
{
    LOGFONT lf {};
    lf.lfHeight = -11;
    lf.lfWeight = weight;
    std::strcpy(lf.lfFaceName, "Tahoma");
    return lf;
}

NONCLIENTMETRICS default_metrics()
{
    NONCLIENTMETRICS m {};
    m.cbSize = sizeof m;
    m.iBorderWidth = 1;
    m.iScrollWidth = 16;
    m.iScrollHeight = 16;
    m.iCaptionWidth = 18;
    m.iCaptionHeight = 18;
    m.lfCaptionFont = dialog_font(700);
    m.iSmCaptionWidth = 15;
    m.iSmCaptionHeight = 15;
    m.lfSmCaptionFont = dialog_font(700);
    m.iMenuWidth = 18;
    m.iMenuHeight = 18;
    m.lfMenuFont = dialog_font(400);
    m.lfStatusFont = dialog_font(400);
    m.lfMessageFont = dialog_font(400);
    return m;
}

struct Parameters {
    std::mutex mutex;
    NONCLIENTMETRICS metrics = default_metrics();
    bool gradient { true };
};

Parameters& parameters()
{
    static Parameters* p = new Parameters; // asked until the process ends
    return *p;
}

std::atomic<unsigned> g_frame_generation { 0 };

// Programs built before iPaddedBorderWidth existed pass the shorter size.
bool valid_metrics_size(UINT size)
{
    return size == sizeof(NONCLIENTMETRICS) || size == offsetof(NONCLIENTMETRICS, iPaddedBorderWidth);
}

BOOL get_metrics(UINT size, PVOID value)
{
    auto* out = static_cast<NONCLIENTMETRICS*>(value);
    if (!out || !valid_metrics_size(out->cbSize) || (size != 0 && size != out->cbSize))
        return FALSE;
    NONCLIENTMETRICS m = nonclient_metrics();
    UINT wanted = out->cbSize;
    std::memcpy(out, &m, wanted);
    out->cbSize = wanted;
    return TRUE;
}

BOOL set_metrics(PVOID value)
{
    auto const* in = static_cast<NONCLIENTMETRICS const*>(value);
    if (!in || !valid_metrics_size(in->cbSize))
        return FALSE;
    std::lock_guard lock(parameters().mutex);
    std::memcpy(&parameters().metrics, in, in->cbSize);
    parameters().metrics.cbSize = sizeof(NONCLIENTMETRICS);
    return TRUE;
}

BOOL get_gradient(PVOID value)
{
    if (!value)
        return FALSE;
    *static_cast<BOOL*>(value) = gradient_captions() ? TRUE : FALSE;
    return TRUE;
}

BOOL set_gradient(PVOID value)
{
    // The new value travels in the pointer itself.
    std::lock_guard lock(parameters().mutex);
    parameters().gradient = value != nullptr;
    return TRUE;
}

BOOL apply(UINT action, UINT param, PVOID value)
{
    switch (action) {
    case SPI_GETNONCLIENTMETRICS: return get_metrics(param, value);
    case SPI_SETNONCLIENTMETRICS: return set_metrics(value);
    case SPI_GETGRADIENTCAPTIONS: return get_gradient(value);
    case SPI_SETGRADIENTCAPTIONS: return set_gradient(value);
    case SPI_GETICONTITLELOGFONT:
        if (!value)
            return FALSE;
        *static_cast<LOGFONT*>(value) = nonclient_metrics().lfMessageFont;
        return TRUE;
    }
    return FALSE;
}

}

NONCLIENTMETRICS nonclient_metrics()
{
    std::lock_guard lock(parameters().mutex);
    return parameters().metrics;
}

bool gradient_captions()
{
    std::lock_guard lock(parameters().mutex);
    return parameters().gradient;
}

BOOL system_parameters(UINT action, UINT param, PVOID value, UINT win_ini)
{
    if (!apply(action, param, value))
        return FALSE;
    bool set = action == SPI_SETNONCLIENTMETRICS || action == SPI_SETGRADIENTCAPTIONS;
    if (set) {
        bump_frame_generation();
        if (win_ini & SPIF_SENDCHANGE)
            user::broadcast(WM_SETTINGCHANGE, action, 0);
    }
    return TRUE;
}

void reset_system_parameters()
{
    {
        std::lock_guard lock(parameters().mutex);
        parameters().metrics = default_metrics();
        parameters().gradient = true;
    }
    bump_frame_generation();
}

unsigned frame_generation()
{
    return g_frame_generation.load();
}

void bump_frame_generation()
{
    ++g_frame_generation;
}

}
