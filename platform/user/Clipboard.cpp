// The text clipboard of the process and the beep counter. The clipboard keeps one CF_TEXT
// block from the C heap (what GlobalAlloc hands out), freed when the clipboard is emptied.
#include "platform/user/InputDriver.h"

#include "platform/user/WindowCore.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform::user {

namespace {

std::atomic<int> g_beeps { 0 };

class Clipboard {
public:
    static Clipboard& the()
    {
        static Clipboard clipboard;
        return clipboard;
    }

    bool open(HWND owner)
    {
        std::lock_guard lock(m_mutex);
        if (m_open)
            return false;
        m_open = true;
        m_opener = owner;
        return true;
    }

    bool close()
    {
        std::lock_guard lock(m_mutex);
        bool was = m_open;
        m_open = false;
        return was;
    }

    bool empty()
    {
        std::lock_guard lock(m_mutex);
        if (!m_open)
            return false;
        std::free(m_text);
        m_text = nullptr;
        return true;
    }

    HANDLE set(HANDLE data)
    {
        std::lock_guard lock(m_mutex);
        if (!m_open || !data)
            return nullptr;
        if (data != m_text)
            std::free(m_text);
        m_text = data;
        return data;
    }

    HANDLE get()
    {
        std::lock_guard lock(m_mutex);
        return m_open ? m_text : nullptr;
    }

    bool has_text()
    {
        std::lock_guard lock(m_mutex);
        return m_text != nullptr;
    }

private:
    std::mutex m_mutex;
    bool m_open {};
    HWND m_opener {};
    HANDLE m_text {};
};

}

int beep_count()
{
    return g_beeps;
}

void reset_beep_count()
{
    g_beeps = 0;
}

std::string clipboard_text()
{
    std::string result;
    if (!OpenClipboard(nullptr))
        return result;
    if (auto* text = static_cast<char const*>(GetClipboardData(CF_TEXT)))
        result = text;
    CloseClipboard();
    return result;
}

void set_clipboard_text(std::string_view text)
{
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    auto* block = static_cast<char*>(std::malloc(text.size() + 1));
    if (block) {
        std::memcpy(block, text.data(), text.size());
        block[text.size()] = 0;
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

}

using namespace platform::user;

extern "C" {

BOOL MessageBeep(UINT)
{
    ++g_beeps;
    return TRUE;
}

BOOL OpenClipboard(HWND owner)
{
    return Clipboard::the().open(owner);
}

BOOL CloseClipboard()
{
    return Clipboard::the().close();
}

BOOL EmptyClipboard()
{
    return Clipboard::the().empty();
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    return format == CF_TEXT ? Clipboard::the().set(data) : nullptr;
}

HANDLE GetClipboardData(UINT format)
{
    return format == CF_TEXT ? Clipboard::the().get() : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    return format == CF_TEXT && Clipboard::the().has_text();
}

}
