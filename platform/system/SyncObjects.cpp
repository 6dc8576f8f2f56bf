#include "platform/system/SyncObjects.h"

#include "platform/user/User.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::system {

namespace {

constexpr std::uint32_t event_magic = 0x45564E54; // "EVNT"

}

// A file written by an older build holds the record without its change counter; it is grown
// (the new bytes read as zero) rather than mapped short, which would fault on first access.
bool EventObject::has_room(int fd, bool fresh)
{
    struct stat info {};
    return !fresh && ::fstat(fd, &info) == 0 && static_cast<std::size_t>(info.st_size) >= sizeof(Shared);
}

EventObject::EventObject(bool manual_reset, bool initially_signalled)
    : m_local_state(initially_signalled ? 1 : 0)
    , m_state(&m_local_state)
    , m_manual_reset(manual_reset)
{
}

EventObject::EventObject(std::unique_ptr<NamedRendezvous> rendezvous, bool manual_reset, bool initially_signalled)
    : m_rendezvous(std::move(rendezvous))
    , m_manual_reset(manual_reset)
{
    int fd = m_rendezvous->fd();
    bool fresh = !m_rendezvous->existed();
    if (!has_room(fd, fresh) && ::ftruncate(fd, sizeof(Shared)) != 0)
        return;
    void* map = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED)
        return;
    m_shared = static_cast<Shared*>(map);
    if (fresh || m_shared->magic != event_magic) {
        m_shared->manual_reset = manual_reset ? 1 : 0;
        m_shared->signalled = initially_signalled ? 1 : 0;
        m_shared->magic = event_magic;
    }
    m_state = &m_shared->signalled;
}

EventObject::~EventObject()
{
    if (m_reserved)
        state().store(1); // A signal taken by a wait that then gave up goes back.
    if (m_shared)
        ::munmap(m_shared, sizeof(Shared));
}

bool EventObject::is_signalled() const
{
    if (manual_reset())
        return state().load() != 0;
    if (m_reserved)
        return true;
    std::uint32_t expected = 1;
    // Two processes may test the same auto-reset event at once: the exchange lets one of them
    // take the signal.
    m_reserved = state().compare_exchange_strong(expected, 0);
    return m_reserved;
}

void EventObject::on_wait_satisfied()
{
    m_reserved = false;
}

void EventObject::set()
{
    {
        std::lock_guard lock(wait_mutex());
        state().store(1);
    }
    notify_waiters();
    if (m_shared) {
        std::atomic_ref<std::uint32_t>(m_shared->sequence).fetch_add(1);
        wake_word_waiters(&m_shared->sequence);
    }
}

void EventObject::reset()
{
    std::lock_guard lock(wait_mutex());
    state().store(0);
    if (m_reserved && !manual_reset())
        m_reserved = false;
}

MutexObject::MutexObject() = default;

MutexObject::MutexObject(std::unique_ptr<NamedRendezvous> rendezvous)
    : m_rendezvous(std::move(rendezvous))
{
    // Ownership is a lock on a second file, so that the existence lock stays shared.
    m_owner_fd = ::open((m_rendezvous->path() + ".owner").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

MutexObject::~MutexObject()
{
    if (m_owner_fd >= 0)
        ::close(m_owner_fd);
}

bool MutexObject::is_signalled() const
{
    DWORD me = GetCurrentThreadId();
    if (m_held)
        return m_owner == me;
    if (m_rendezvous && (m_owner_fd < 0 || ::flock(m_owner_fd, LOCK_EX | LOCK_NB) != 0))
        return false;
    m_held = true;
    m_owner = me;
    return true;
}

void MutexObject::on_wait_satisfied()
{
    ++m_count;
}

bool MutexObject::try_acquire()
{
    std::lock_guard lock(wait_mutex());
    if (!is_signalled())
        return false;
    on_wait_satisfied();
    return true;
}

bool MutexObject::release()
{
    {
        std::lock_guard lock(wait_mutex());
        if (!m_held || m_owner != GetCurrentThreadId() || m_count == 0)
            return false;
        if (--m_count > 0)
            return true;
        m_held = false;
        m_owner = 0;
        if (m_owner_fd >= 0)
            ::flock(m_owner_fd, LOCK_UN);
    }
    notify_waiters();
    return true;
}

}
