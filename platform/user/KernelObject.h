// Kernel objects: things a thread can wait for (threads, events, mutexes), reached through
// HANDLE values from one process-wide handle table. All waits share one lock and one
// condition, which keeps WaitForMultipleObjects simple and free of lost wake-ups.
#pragma once

#include "platform/user/Types.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace platform {

class KernelObject {
public:
    virtual ~KernelObject() = default;
    virtual char const* type_name() const = 0;
    // Both are called with wait_mutex() held.
    virtual bool is_signalled() const = 0;
    // A wait on this object was satisfied: auto-reset events reset, mutexes are taken.
    virtual void on_wait_satisfied() { }
    // Objects whose state lives outside this process are re-checked on a short period...
    virtual bool needs_polling() const { return false; }
    // ...unless they offer a word in memory shared with the other processes that every change
    // of their state increments and wakes (a futex): a wait on that object alone blocks on it.
    virtual std::uint32_t* wake_word() const { return nullptr; }
};

std::mutex& wait_mutex();
// Wakes every waiter to re-check its objects; call after changing a signal state.
void notify_waiters();
// Wakes every thread of any process blocked on `word` (see KernelObject::wake_word); call
// after incrementing it.
void wake_word_waiters(std::uint32_t* word);
// How many times a wait of the calling thread blocked and woke up again; tests count wake-ups.
std::uint64_t wait_wakeups();

HANDLE add_handle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> find_handle(HANDLE handle);

template<typename T>
std::shared_ptr<T> find_handle_as(HANDLE handle)
{
    return std::dynamic_pointer_cast<T>(find_handle(handle));
}

}
