// The hand-over area of the authentication progress lines: 200 text slots of 256 bytes and the
// index of the next one, one object for the whole run that outlives every window. The status
// callback and the worker threads announce lines into it from their own threads; the progress
// window reads a slot when the posted WM_AUTH_STATUS_LINE names it. One lock covers writing a
// slot, posting its message and advancing the index, so a slot is reused only after 199 later
// lines whatever the threads do.
//
// "The window is up" is the progress window's live handle: the window sets it when it is
// created and clears it when it goes, so nobody posts to a window that has gone.
#pragma once

#include "platform/user/Types.h"

#include <array>
#include <mutex>
#include <string>
#include <string_view>

constexpr UINT WM_AUTH_STATUS_LINE = 0x8000 + 2;

namespace station::core {

class AuthStatusRing {
public:
    static constexpr int kSlots = 200;
    static constexpr std::size_t kSlotSize = 256;

    static AuthStatusRing& the();

    void set_window(HWND hwnd);
    HWND window() const;
    bool window_up() const;

    // Copies `text` (cut to 255 bytes) into the current slot, posts WM_AUTH_STATUS_LINE with
    // the slot's index to the window and advances the index, wrapping at 200. Does nothing and
    // answers false while the window is not up.
    bool announce(std::string_view text);
    // Announces "OK", the line that ends a run of lines, and starts the next run at slot 0.
    bool announce_end();
    // Index back to 0 and every slot emptied (the window's Stop, OK and the "OK" line).
    void reset();

    std::string slot(int index) const;
    int index() const;

private:
    bool write_locked(std::string_view text);

    mutable std::mutex m_mutex;
    std::array<std::array<char, kSlotSize>, kSlots> m_slots {};
    int m_index { 0 };
    HWND m_window { nullptr };
};

}
