#include "platform/display/SurfaceSource.h"

#include "platform/display/GdiSurfaceSource.h"

#include <mutex>

namespace platform::display {

namespace {

std::mutex g_mutex;
std::shared_ptr<SurfaceSource> g_source;

}

void set_surface_source(std::shared_ptr<SurfaceSource> source)
{
    std::lock_guard lock(g_mutex);
    g_source = std::move(source);
}

std::shared_ptr<SurfaceSource> surface_source()
{
    std::lock_guard lock(g_mutex);
    if (!g_source)
        g_source = std::make_shared<GdiSurfaceSource>();
    return g_source;
}

}
