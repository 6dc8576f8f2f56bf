#include "platform/user/KernelObject.h"

#include "platform/user/Clock.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"
#include "platform/user/WindowCore.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <ctime>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace platform {

namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_map<ULONG_PTR, std::shared_ptr<KernelObject>> objects;
    ULONG_PTR next { 0x100 };
};

HandleTable& handles()
{
    static HandleTable table;
    return table;
}

// Threads that end after main returns still signal through these, so they are never
// destroyed.
std::condition_variable& wait_condition()
{
    static auto* condition = new std::condition_variable;
    return *condition;
}

// How long a timed wait on the thread that drives a manual clock waits in real time for
// another thread to signal, before it moves the clock to its deadline and times out.
constexpr auto manual_clock_grace = std::chrono::seconds(2);
constexpr auto polling_period = std::chrono::milliseconds(10);

using Objects = std::vector<std::shared_ptr<KernelObject>>;

// Index of the satisfying object, or -1. Called with wait_mutex() held.
int satisfied_index(Objects const& objects, bool wait_all)
{
    if (!wait_all) {
        for (size_t i = 0; i < objects.size(); ++i) {
            if (objects[i]->is_signalled()) {
                objects[i]->on_wait_satisfied();
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    for (auto const& object : objects) {
        if (!object->is_signalled())
            return -1;
    }
    for (auto const& object : objects)
        object->on_wait_satisfied();
    return 0;
}

bool any_polling(Objects const& objects)
{
    for (auto const& object : objects) {
        if (object->needs_polling())
            return true;
    }
    return false;
}

thread_local std::uint64_t t_wakeups = 0;

// How long to block before looking again. A manual clock or an object of another process
// can change without notifying us, so those are re-checked on a short period.
std::chrono::milliseconds wait_slice(Clock& time, std::uint64_t deadline, bool polling)
{
    if (polling || time.is_manual())
        return polling_period;
    std::uint64_t now = time.now_ms();
    return std::chrono::milliseconds(deadline > now ? deadline - now : 1);
}

// The one object of a wait whose changes another process announces through a shared word,
// so the wait can block on it instead of polling; null when the wait cannot.
std::uint32_t* single_wake_word(Objects const& objects, Clock& time)
{
    if (objects.size() != 1 || time.is_manual())
        return nullptr;
    return objects.front()->wake_word();
}

// Blocks on `word` while it still holds `seen`, until woken or `timeout_ms` passes.
void block_on_word(std::uint32_t* word, std::uint32_t seen, DWORD timeout_ms, Clock& time, std::uint64_t deadline)
{
    timespec relative {};
    timespec* timeout = nullptr;
    if (timeout_ms != INFINITE) {
        std::uint64_t now = time.now_ms();
        std::uint64_t left = deadline > now ? deadline - now : 1;
        relative.tv_sec = static_cast<time_t>(left / 1000);
        relative.tv_nsec = static_cast<long>(left % 1000) * 1000000L;
        timeout = &relative;
    }
    ::syscall(SYS_futex, word, FUTEX_WAIT, seen, timeout, nullptr, 0);
}

void block(std::unique_lock<std::mutex>& lock, Objects const& objects, DWORD timeout_ms, std::uint64_t deadline,
    std::uint32_t seen)
{
    Clock& time = clock();
    if (std::uint32_t* word = single_wake_word(objects, time)) {
        lock.unlock();
        block_on_word(word, seen, timeout_ms, time, deadline);
        lock.lock();
    } else if (timeout_ms == INFINITE && !time.is_manual() && !any_polling(objects)) {
        wait_condition().wait(lock);
    } else {
        wait_condition().wait_for(lock, wait_slice(time, deadline, any_polling(objects)));
    }
    ++t_wakeups;
}

DWORD wait_for(Objects const& objects, bool wait_all, DWORD timeout_ms)
{
    Clock& time = clock();
    std::uint64_t const deadline = time.now_ms() + timeout_ms;
    auto const real_start = std::chrono::steady_clock::now();
    std::uint32_t* word = single_wake_word(objects, time);
    if (timeout_ms != 0)
        user::before_block();
    std::unique_lock lock(wait_mutex());
    for (;;) {
        // Read before the check: a change after it moves the word, and the block returns at once.
        std::uint32_t seen = word ? std::atomic_ref<std::uint32_t>(*word).load() : 0;
        int index = satisfied_index(objects, wait_all);
        if (index >= 0)
            return WAIT_OBJECT_0 + static_cast<DWORD>(index);
        if (timeout_ms == 0)
            return WAIT_TIMEOUT;
        if (timeout_ms != INFINITE && time.now_ms() >= deadline)
            return WAIT_TIMEOUT;
        if (timeout_ms != INFINITE && time.is_manual()
            && std::chrono::steady_clock::now() - real_start > manual_clock_grace) {
            lock.unlock();
            time.sleep_until(deadline);
            lock.lock();
            continue;
        }
        block(lock, objects, timeout_ms, deadline, seen);
    }
}

}

std::mutex& wait_mutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

void notify_waiters()
{
    wait_condition().notify_all();
}

void wake_word_waiters(std::uint32_t* word)
{
    ::syscall(SYS_futex, word, FUTEX_WAKE, INT_MAX, nullptr, nullptr, 0);
}

std::uint64_t wait_wakeups()
{
    return t_wakeups;
}

HANDLE add_handle(std::shared_ptr<KernelObject> object)
{
    auto& table = handles();
    std::lock_guard lock(table.mutex);
    ULONG_PTR value = table.next;
    table.next += 4;
    table.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> find_handle(HANDLE handle)
{
    auto& table = handles();
    std::lock_guard lock(table.mutex);
    auto it = table.objects.find(reinterpret_cast<ULONG_PTR>(handle));
    return it == table.objects.end() ? nullptr : it->second;
}

}

using namespace platform;

extern "C" {

BOOL CloseHandle(HANDLE handle)
{
    auto& table = handles();
    std::lock_guard lock(table.mutex);
    if (table.objects.erase(reinterpret_cast<ULONG_PTR>(handle)) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD timeout_ms)
{
    return WaitForMultipleObjects(1, &handle, FALSE, timeout_ms);
}

DWORD WaitForMultipleObjects(DWORD count, HANDLE const* handle_list, BOOL wait_all, DWORD timeout_ms)
{
    Objects objects;
    for (DWORD i = 0; i < count; ++i) {
        auto object = find_handle(handle_list[i]);
        if (!object) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        objects.push_back(std::move(object));
    }
    if (objects.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    return wait_for(objects, wait_all != FALSE, timeout_ms);
}

}
