#include "platform/user/WindowTable.h"

#include "platform/user/WindowCore.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace platform::user {

namespace {

constexpr size_t max_slots = 0xFFFE;
constexpr WORD max_generation = 0x7FFF;

HWND encode(size_t index, WORD generation)
{
    return reinterpret_cast<HWND>((static_cast<ULONG_PTR>(generation) << 16) | (index + 1));
}

}

void WindowTable::FreeLive::operator()(ULONG_PTR* live) const
{
    std::free(live);
}

WindowTable& WindowTable::the()
{
    static WindowTable table;
    return table;
}

WindowTable::WindowTable()
    : m_live(static_cast<ULONG_PTR*>(std::calloc(max_slots, sizeof(ULONG_PTR))))
{
    if (!m_live)
        throw std::bad_alloc();
    m_desktop = std::make_shared<Window>();
    m_desktop->style = WS_VISIBLE | WS_CLIPCHILDREN;
    m_desktop->rect = { 0, 0, 1024, 768 };
    m_desktop->handle = add(m_desktop);
}

WindowTable::Slot const* WindowTable::slot_of(HWND hwnd) const
{
    auto value = reinterpret_cast<ULONG_PTR>(hwnd);
    if (value == 0 || (value & foreign_window_bit) || value > 0xFFFFFFFFu)
        return nullptr;
    size_t index = (value & 0xFFFF) - 1;
    auto generation = static_cast<WORD>(value >> 16);
    if (index >= m_slots.size() || m_slots[index].generation != generation || !m_slots[index].window)
        return nullptr;
    return &m_slots[index];
}

HWND WindowTable::add(std::shared_ptr<Window> window)
{
    std::lock_guard lock(m_mutex);
    size_t index;
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        if (m_slots.size() >= max_slots)
            return nullptr;
        index = m_slots.size();
        m_slots.emplace_back();
    }
    Slot& slot = m_slots[index];
    slot.generation = slot.generation >= max_generation ? 1 : slot.generation + 1;
    slot.window = std::move(window);
    HWND hwnd = encode(index, slot.generation);
    slot.window->handle = hwnd;
    std::atomic_ref(m_live[index]).store(reinterpret_cast<ULONG_PTR>(hwnd), std::memory_order_release);
    return hwnd;
}

void WindowTable::remove(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    if (!slot_of(hwnd))
        return;
    size_t index = (reinterpret_cast<ULONG_PTR>(hwnd) & 0xFFFF) - 1;
    std::atomic_ref(m_live[index]).store(0, std::memory_order_release);
    m_slots[index].window.reset();
    m_free.push_back(index);
}

std::shared_ptr<Window> WindowTable::find(HWND hwnd) const
{
    if (is_writer()) {
        Slot const* slot = slot_of(hwnd);
        return slot ? slot->window : nullptr;
    }
    std::lock_guard lock(m_mutex);
    Slot const* slot = slot_of(hwnd);
    return slot ? slot->window : nullptr;
}

bool WindowTable::is_live(HWND hwnd) const
{
    auto value = reinterpret_cast<ULONG_PTR>(hwnd);
    if (value == 0 || (value & foreign_window_bit) || value > 0xFFFFFFFFu)
        return false;
    size_t index = (value & 0xFFFF) - 1;
    return index < max_slots && std::atomic_ref(m_live[index]).load(std::memory_order_acquire) == value;
}

Window* WindowTable::get(HWND hwnd) const
{
    Slot const* slot = slot_of(hwnd);
    return slot ? slot->window.get() : nullptr;
}

std::unique_lock<std::mutex> WindowTable::read_lock() const
{
    if (is_writer())
        return {};
    return std::unique_lock(m_mutex);
}

void WindowTable::for_each_window(std::function<void(Window&)> const& visit)
{
    // Visitors may destroy windows: hold every window we are about to visit.
    auto hold = [](std::vector<Window*> const& list) {
        std::vector<std::shared_ptr<Window>> held;
        for (Window* w : list)
            held.push_back(w->shared_from_this());
        return held;
    };
    std::function<void(Window&)> walk = [&](Window& w) {
        if (!w.alive)
            return;
        visit(w);
        for (auto const& child : hold(w.children))
            walk(*child);
    };
    for (auto const& top : hold(m_top_levels))
        walk(*top);
}

bool WindowTable::claim_ui_thread()
{
    DWORD expected = 0;
    DWORD self = GetCurrentThreadId();
    return m_ui_thread.compare_exchange_strong(expected, self) || expected == self;
}

bool WindowTable::is_writer() const
{
    return m_ui_thread.load() == GetCurrentThreadId();
}

bool WindowTable::on_ui_thread() const
{
    DWORD ui = m_ui_thread.load();
    return ui == 0 || ui == GetCurrentThreadId();
}

Window* window_from(HWND hwnd)
{
    return WindowTable::the().get(hwnd);
}

}
