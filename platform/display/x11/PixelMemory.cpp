#include "platform/display/x11/PixelMemory.h"

#include <sys/ipc.h>
#include <sys/shm.h>

namespace platform::display::x11 {

PixelMemory::PixelMemory(std::size_t count, bool shared)
{
    if (shared && count > 0) {
        int const id = ::shmget(IPC_PRIVATE, count * sizeof(std::uint32_t), IPC_CREAT | 0600);
        void* address = id >= 0 ? ::shmat(id, nullptr, 0) : reinterpret_cast<void*>(-1);
        if (id >= 0) {
            // Removed at once: the segment lives while this process or the server has it
            // attached, and nothing is left behind when either ends, however it ends. Linux
            // lets the server attach a segment marked so.
            ::shmctl(id, IPC_RMID, nullptr);
        }
        if (address != reinterpret_cast<void*>(-1)) {
            m_segment = id;
            m_data = static_cast<std::uint32_t*>(address);
            return;
        }
    }
    m_plain.assign(count, 0);
    m_data = m_plain.data();
}

PixelMemory::~PixelMemory()
{
    if (m_segment >= 0)
        ::shmdt(m_data);
}

}
