#include "platform/framework/HandleMap.h"

#include "platform/framework/MenuObject.h"
#include "platform/framework/Wnd.h"

#include <map>
#include <memory>
#include <mutex>

namespace platform::framework {

namespace {

struct Maps {
    std::mutex mutex;
    std::map<HWND, CWnd*> permanent;
    std::map<HWND, std::unique_ptr<CWnd>> temporary;
};

Maps& maps()
{
    static Maps m;
    return m;
}

}

CWnd* permanent_object(HWND hwnd)
{
    std::lock_guard lock(maps().mutex);
    auto it = maps().permanent.find(hwnd);
    return it == maps().permanent.end() ? nullptr : it->second;
}

void add_permanent(HWND hwnd, CWnd* object)
{
    std::lock_guard lock(maps().mutex);
    maps().permanent[hwnd] = object;
}

void remove_permanent(HWND hwnd)
{
    std::lock_guard lock(maps().mutex);
    maps().permanent.erase(hwnd);
}

CWnd* temporary_object(HWND hwnd)
{
    std::lock_guard lock(maps().mutex);
    auto& slot = maps().temporary[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hwnd;
    }
    return slot.get();
}

void delete_temporary_objects()
{
    std::map<HWND, std::unique_ptr<CWnd>> doomed;
    {
        std::lock_guard lock(maps().mutex);
        doomed.swap(maps().temporary);
    }
    // A temporary object never owns its window: forget the handle before it goes.
    for (auto& [hwnd, object] : doomed)
        object->m_hWnd = nullptr;
}

CWnd*& creating_object()
{
    thread_local CWnd* object = nullptr;
    return object;
}

}

void AfxDeleteTempMap()
{
    platform::framework::delete_temporary_objects();
    platform::framework::delete_temporary_menus();
    platform::framework::delete_temporary_dcs();
    platform::framework::delete_temporary_gdi_objects();
}
