// Events and mutexes as kernel objects, so that WaitForSingleObject and
// WaitForMultipleObjects work on them. An unnamed object lives in this process; a named one
// keeps its state in its rendezvous file (NamedRendezvous.h), shared by every process that
// opened it. A wait on one named event alone blocks on the event's change counter in that file
// (a futex), so it wakes when any process sets it; other waits on named objects re-check them on
// the window core's polling period.
#pragma once

#include "platform/system/NamedRendezvous.h"
#include "platform/user/KernelObject.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace platform::system {

class EventObject final : public KernelObject {
public:
    // An unnamed event.
    EventObject(bool manual_reset, bool initially_signalled);
    // A named event over an open rendezvous; its state is set up when the rendezvous is new.
    EventObject(std::unique_ptr<NamedRendezvous> rendezvous, bool manual_reset, bool initially_signalled);
    ~EventObject() override;

    bool is_valid() const { return m_state != nullptr; }
    char const* type_name() const override { return "event"; }
    bool is_signalled() const override;
    void on_wait_satisfied() override;
    bool needs_polling() const override { return m_rendezvous != nullptr; }
    std::uint32_t* wake_word() const override { return m_shared ? &m_shared->sequence : nullptr; }

    void set();
    void reset();

private:
    struct Shared {
        std::uint32_t magic;
        std::uint32_t manual_reset;
        std::uint32_t signalled;
        // Incremented by every set, in any process; waiters block on it.
        std::uint32_t sequence;
    };
    static bool has_room(int fd, bool fresh);
    std::atomic_ref<std::uint32_t> state() const { return std::atomic_ref<std::uint32_t>(*m_state); }
    bool manual_reset() const { return m_shared ? m_shared->manual_reset != 0 : m_manual_reset; }

    std::unique_ptr<NamedRendezvous> m_rendezvous;
    Shared* m_shared { nullptr };
    std::uint32_t m_local_state { 0 };
    std::uint32_t* m_state { nullptr };
    bool m_manual_reset { false };
    // An auto-reset signal this handle took in is_signalled and the wait has not yet consumed.
    mutable bool m_reserved { false };
};

class MutexObject final : public KernelObject {
public:
    MutexObject();
    explicit MutexObject(std::unique_ptr<NamedRendezvous> rendezvous);
    ~MutexObject() override;

    char const* type_name() const override { return "mutex"; }
    bool is_signalled() const override;
    void on_wait_satisfied() override;
    bool needs_polling() const override { return m_rendezvous != nullptr; }

    // Takes the mutex when free (or already ours); false when another owner has it.
    bool try_acquire();
    // False when the calling thread does not own the mutex.
    bool release();

private:
    std::unique_ptr<NamedRendezvous> m_rendezvous;
    int m_owner_fd { -1 };
    mutable bool m_held { false };
    mutable DWORD m_owner { 0 };
    unsigned m_count { 0 };
};

}
