// Sending and posting: same-thread sends are direct calls; everything that crosses threads
// goes through the receiving thread's MessageQueue.
#include "platform/user/MessageQueue.h"
#include "platform/user/Trace.h"
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

#include <map>
#include <mutex>
#include <string>
#include <strings.h>

namespace platform::user {

namespace {

struct ForeignState {
    std::mutex mutex;
    ForeignWindowHooks hooks;
};

ForeignState& foreign()
{
    static ForeignState state;
    return state;
}

bool is_foreign(HWND hwnd)
{
    return (reinterpret_cast<ULONG_PTR>(hwnd) & foreign_window_bit) != 0 && reinterpret_cast<ULONG_PTR>(hwnd) <= 0xFFFFFFFFu;
}

std::shared_ptr<MessageQueue> ui_queue()
{
    DWORD ui = WindowTable::the().ui_thread();
    if (ui == 0 || ui == GetCurrentThreadId())
        return MessageQueue::current_shared();
    return MessageQueue::of_thread(ui);
}

constexpr ULONG_PTR broadcast_target = 0xFFFF;

}

void set_foreign_window_hooks(ForeignWindowHooks hooks)
{
    std::lock_guard lock(foreign().mutex);
    foreign().hooks = std::move(hooks);
}

ForeignWindowHooks foreign_window_hooks()
{
    std::lock_guard lock(foreign().mutex);
    return foreign().hooks;
}

bool on_ui_thread()
{
    return WindowTable::the().on_ui_thread();
}

namespace {

std::function<void()>& before_block_hook()
{
    static std::function<void()> hook;
    return hook;
}

}

void set_before_block_hook(std::function<void()> hook)
{
    before_block_hook() = std::move(hook);
}

void before_block()
{
    // Only the user-interface thread sets and reads the hook.
    if (!on_ui_thread())
        return;
    if (auto const& hook = before_block_hook())
        hook();
}

DWORD ui_thread_id()
{
    return WindowTable::the().ui_thread();
}

LRESULT send_to_ui_thread(std::function<LRESULT()> call)
{
    if (on_ui_thread())
        return call();
    auto queue = MessageQueue::of_thread(WindowTable::the().ui_thread());
    auto sent = std::make_shared<SentMessage>();
    sent->call = std::move(call);
    if (!queue || !queue->send_and_wait(sent))
        return 0;
    return sent->result;
}

void post_to_ui_thread(std::function<void()> call)
{
    auto queue = MessageQueue::of_thread(WindowTable::the().ui_thread());
    if (!queue)
        return;
    auto sent = std::make_shared<SentMessage>();
    sent->call = [call = std::move(call)]() -> LRESULT {
        call();
        return 0;
    };
    queue->send_later(sent);
}

void broadcast(UINT message, WPARAM wparam, LPARAM lparam)
{
    run_on_ui_thread([=]() -> LRESULT {
        std::vector<HWND> targets;
        for (Window* w : WindowTable::the().top_levels())
            targets.push_back(w->handle);
        for (HWND hwnd : targets)
            SendMessage(hwnd, message, wparam, lparam);
        return 0;
    });
}

}

using namespace platform;
using namespace platform::user;

extern "C" {

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto window = WindowTable::the().find(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (WindowTable::the().on_ui_thread())
        return window->proc ? window->proc(hwnd, message, wparam, lparam) : 0;
    auto queue = ui_queue();
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wparam = wparam;
    sent->lparam = lparam;
    window.reset(); // the receiver may destroy it meanwhile
    if (!queue || !queue->send_and_wait(sent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return sent->result;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (!hwnd)
        return PostThreadMessage(GetCurrentThreadId(), message, wparam, lparam);
    if (reinterpret_cast<ULONG_PTR>(hwnd) == broadcast_target) {
        run_on_ui_thread([=]() -> LRESULT {
            for (Window* w : WindowTable::the().top_levels())
                PostMessage(w->handle, message, wparam, lparam);
            return 0;
        });
        return TRUE;
    }
    if (is_foreign(hwnd)) {
        auto hooks = foreign_window_hooks();
        return hooks.post && hooks.post(hwnd, message, wparam, lparam);
    }
    if (!WindowTable::the().is_live(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MessageQueue* queue = MessageQueue::ui();
    MSG msg { hwnd, message, wparam, lparam, GetTickCount(), cursor_position() };
    if (!queue || !queue->post(msg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto queue = thread_id == GetCurrentThreadId() ? MessageQueue::current_shared() : MessageQueue::of_thread(thread_id);
    MSG msg { nullptr, message, wparam, lparam, GetTickCount(), cursor_position() };
    if (!queue || !queue->post(msg)) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return TRUE;
}

void PostQuitMessage(int exit_code)
{
    MessageQueue::current().post_quit(exit_code);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    return proc ? proc(hwnd, message, wparam, lparam) : 0;
}

BOOL InSendMessage()
{
    return MessageQueue::current().in_send();
}

// Registered message numbers are shared by every module of the process, from 0xC000 up.
UINT RegisterWindowMessage(LPCSTR name)
{
    static std::mutex mutex;
    static std::map<std::string, UINT> numbers;
    if (!name || !*name)
        return 0;
    std::string key(name);
    for (auto& c : key)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    std::lock_guard lock(mutex);
    auto [it, added] = numbers.emplace(key, 0xC000 + static_cast<UINT>(numbers.size()));
    return it->second;
}

}
