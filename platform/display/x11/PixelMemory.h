// The memory of a shown window's pixels. Where the X server can read this process's memory
// (MIT-SHM, a server on the same machine) it is a shared segment, which the server attaches
// once; a damaged area then reaches the server as its coordinates alone, where through the
// connection an 800 x 600 window is 2 MB. Elsewhere it is ordinary memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::display::x11 {

class PixelMemory {
public:
    // `count` pixels, zeroed; in a shared segment when `shared` and the system gives one.
    PixelMemory(std::size_t count, bool shared);
    ~PixelMemory();
    PixelMemory(PixelMemory const&) = delete;
    PixelMemory& operator=(PixelMemory const&) = delete;

    std::uint32_t* data() { return m_data; }
    std::uint32_t const* data() const { return m_data; }
    // The segment's id, or -1 for ordinary memory.
    int segment() const { return m_segment; }

private:
    std::uint32_t* m_data { nullptr };
    int m_segment { -1 };
    std::vector<std::uint32_t> m_plain;
};

}
