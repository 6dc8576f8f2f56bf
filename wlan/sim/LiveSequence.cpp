#include "wlan/sim/LiveSequence.h"

#include "wlan/sim/Store.h"

#include <atomic>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wlan::sim {

namespace {

// Other processes change the number through their own mappings: only an atomic that needs no
// lock of this process's own is safe there.
static_assert(std::atomic_ref<std::uint64_t>::is_always_lock_free);

constexpr off_t kSize = sizeof(std::uint64_t);

// A file made by another process may still be empty; growing it to the number's size keeps
// what a faster process wrote (a file at that size already is left as it is).
bool sized(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return info.st_size >= kSize || ::ftruncate(fd, kSize) == 0;
}

}

LiveSequence::LiveSequence(Store const& store)
{
    int const fd = ::open(store.path_of(kLiveSequenceKey).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        return;
    void* const map = sized(fd) ? ::mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0) : MAP_FAILED;
    ::close(fd);
    if (map != MAP_FAILED)
        m_value = static_cast<std::uint64_t*>(map);
}

LiveSequence::~LiveSequence()
{
    if (m_value)
        ::munmap(m_value, kSize);
}

// Acquire: a reader that sees a writer's raise sees the log as that writer left it.
std::uint64_t LiveSequence::load() const
{
    return m_value ? std::atomic_ref<std::uint64_t>(*m_value).load(std::memory_order_acquire) : 0;
}

void LiveSequence::raise()
{
    if (m_value)
        std::atomic_ref<std::uint64_t>(*m_value).fetch_add(1, std::memory_order_acq_rel);
}

void raise_live_sequence(Store const& store) { LiveSequence(store).raise(); }

}
