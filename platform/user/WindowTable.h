// Window handles and the records behind them. A handle carries a slot index and a
// generation number: a handle whose window died never reaches the slot's next window.
// The user-interface thread is the one that created the first window; only it changes
// windows, under the table lock, and other threads read them under that lock.
#pragma once

#include "platform/user/Window.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::user {

class WindowTable {
public:
    static WindowTable& the();

    HWND add(std::shared_ptr<Window> window);
    void remove(HWND hwnd);
    // Any thread: the live window of a handle, or null.
    std::shared_ptr<Window> find(HWND hwnd) const;
    // User-interface thread only: the same without taking a reference.
    Window* get(HWND hwnd) const;
    // Any thread, without a lock: whether the handle names a live window at this moment.
    bool is_live(HWND hwnd) const;

    // A lock for reading window fields from another thread; nothing on the user-interface
    // thread, which is the only writer.
    std::unique_lock<std::mutex> read_lock() const;
    template<typename F>
    void write(F&& change)
    {
        std::lock_guard lock(m_mutex);
        change();
    }

    // Top-level windows, top of the z-order first.
    std::vector<Window*>& top_levels() { return m_top_levels; }
    Window& desktop() { return *m_desktop; }
    // Every live window: top-level windows in z-order, each followed by its descendants.
    void for_each_window(std::function<void(Window&)> const& visit);

    DWORD ui_thread() const { return m_ui_thread.load(); }
    // Makes the calling thread the user-interface thread if none is yet; false when another
    // thread already is.
    bool claim_ui_thread();
    bool on_ui_thread() const;
    // Strictly the user-interface thread: the one thread that may read without the lock.
    bool is_writer() const;

private:
    WindowTable();
    struct Slot {
        std::shared_ptr<Window> window;
        WORD generation { 0 };
    };
    Slot const* slot_of(HWND hwnd) const;

    mutable std::mutex m_mutex;
    std::vector<Slot> m_slots;
    // The live handle of each slot (0 when free), readable without the lock: read and written
    // through std::atomic_ref. Zeroed by calloc, so the pages of slots never used (nearly all
    // of its half megabyte) take no memory.
    struct FreeLive {
        void operator()(ULONG_PTR* live) const;
    };
    std::unique_ptr<ULONG_PTR[], FreeLive> m_live;
    std::vector<size_t> m_free;
    std::vector<Window*> m_top_levels;
    std::shared_ptr<Window> m_desktop;
    std::atomic<DWORD> m_ui_thread { 0 };
};

Window* window_from(HWND hwnd);

}
