#include "platform/gdi/GdiObject.h"

#include <cstring>

namespace platform::gdi {

// A handle is (generation << 32) | (slot + first_slot); values below first_slot stay free for
// the system colour numbers that stand for brushes (COLOR_BTNFACE + 1).
static constexpr std::uintptr_t first_slot = 0x1000;

ObjectTable& ObjectTable::the()
{
    static ObjectTable* table = new ObjectTable; // lives until exit: stock objects outlive statics
    return *table;
}

void* ObjectTable::add(std::unique_ptr<GdiObject> object)
{
    std::lock_guard lock(m_mutex);
    std::uint32_t index;
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        index = static_cast<std::uint32_t>(m_slots.size());
        m_slots.emplace_back();
    }
    Slot& slot = m_slots[index];
    slot.object = std::move(object);
    ++slot.generation;
    std::uintptr_t value = (static_cast<std::uintptr_t>(slot.generation) << 32) | (index + first_slot);
    return reinterpret_cast<void*>(value);
}

GdiObject* ObjectTable::find(void const* handle)
{
    std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
    std::uintptr_t low = value & 0xFFFFFFFFu;
    if (low < first_slot)
        return nullptr;
    std::size_t index = low - first_slot;
    std::uint32_t generation = static_cast<std::uint32_t>(value >> 32);
    std::lock_guard lock(m_mutex);
    if (index >= m_slots.size() || m_slots[index].generation != generation)
        return nullptr;
    return m_slots[index].object.get();
}

bool ObjectTable::remove(void const* handle)
{
    std::unique_ptr<GdiObject> doomed;
    {
        std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
        std::uintptr_t low = value & 0xFFFFFFFFu;
        if (low < first_slot)
            return false;
        std::size_t index = low - first_slot;
        std::lock_guard lock(m_mutex);
        if (index >= m_slots.size() || m_slots[index].generation != static_cast<std::uint32_t>(value >> 32))
            return false;
        Slot& slot = m_slots[index];
        if (!slot.object || slot.object->stock() || slot.object->selections() > 0)
            return false;
        doomed = std::move(slot.object);
        ++slot.generation;
        m_free.push_back(static_cast<std::uint32_t>(index));
    }
    return true; // `doomed` is destroyed outside the lock: a DC's destructor deselects objects
}

std::size_t ObjectTable::live_count()
{
    std::lock_guard lock(m_mutex);
    return m_slots.size() - m_free.size();
}

std::unique_ptr<Surface> copy_surface(Surface const& source)
{
    auto copy = std::make_unique<Surface>(source.width(), source.height(), source.bits_per_pixel());
    copy->set_palette(source.palette());
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(copy->row(y), source.row(y), static_cast<std::size_t>(source.stride()));
    return copy;
}

}
