#include "platform/user/Modal.h"

#include "platform/user/MessageQueue.h"
#include "platform/user/Visibility.h"
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

namespace platform::user {

namespace {

struct ModalState {
    bool active {};
    bool ended {};
    INT_PTR result {};
};

struct ModalStates {
    std::mutex mutex;
    std::condition_variable ended;
    std::map<HWND, ModalState> states;
    ModalHook hook;
};

ModalStates& modal()
{
    static ModalStates s;
    return s;
}

bool is_ended(HWND hwnd)
{
    std::lock_guard lock(modal().mutex);
    auto it = modal().states.find(hwnd);
    return it != modal().states.end() && it->second.ended;
}

INT_PTR finish(HWND hwnd)
{
    std::lock_guard lock(modal().mutex);
    auto it = modal().states.find(hwnd);
    INT_PTR result = it != modal().states.end() && it->second.ended ? it->second.result : IDCANCEL;
    if (it != modal().states.end())
        it->second.active = false;
    return result;
}

void call_hook(HWND hwnd)
{
    ModalHook hook = modal().hook;
    if (hook)
        hook(hwnd);
}

// Shows the dialog and paints it at once, as the original framework's modal run does with
// UpdateWindow: the presenters see it only painted, and a dialog that hides itself on its
// first paint (a program's hidden main window) never reaches the screen.
void show_and_paint(HWND dialog, int command)
{
    HoldShowing hold(dialog);
    ShowWindow(dialog, command);
    UpdateWindow(dialog);
}

HWND owner_of(HWND hwnd)
{
    HWND owner = GetWindow(hwnd, GW_OWNER);
    return owner ? owner : GetParent(hwnd);
}

// One turn of a modal loop; the idle work runs when nothing is waiting.
template<typename Idle>
void modal_step(MessageQueue& queue, Idle&& idle)
{
    std::uint64_t ticket = queue.wake_ticket();
    MSG msg;
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (idle() && queue.wake_ticket() == ticket) {
            auto due = queue.timers().wake_time();
            queue.wait(due ? *due : 0, ticket);
        }
        return;
    }
    if (msg.message == WM_QUIT) {
        // The outer loop must see it too, so it goes back in the queue.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
    }
    if (!filter_message(msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

bool quit_pending(MessageQueue& queue)
{
    MSG msg;
    return queue.has_posted() && PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

// Waits for a loop that another thread ends. Showing the window is the one thing that needs
// the user-interface thread; the modal hook runs with it, so tests see the window shown.
int wait_off_thread(HWND hwnd, DWORD flags)
{
    if (flags & MLF_SHOWONIDLE) {
        run_on_ui_thread([=]() -> LRESULT {
            ShowWindow(hwnd, SW_SHOWNORMAL);
            call_hook(hwnd);
            return 0;
        });
    }
    std::unique_lock lock(modal().mutex);
    modal().ended.wait(lock, [&] {
        auto it = modal().states.find(hwnd);
        return it == modal().states.end() || it->second.ended;
    });
    auto it = modal().states.find(hwnd);
    int result = it != modal().states.end() ? static_cast<int>(it->second.result) : IDCANCEL;
    if (it != modal().states.end())
        it->second.active = false;
    return result;
}

}

void set_modal_hook(ModalHook hook)
{
    std::lock_guard lock(modal().mutex);
    modal().hook = std::move(hook);
}

bool in_modal_loop(HWND hwnd)
{
    std::lock_guard lock(modal().mutex);
    auto it = modal().states.find(hwnd);
    return it != modal().states.end() && it->second.active && !it->second.ended;
}

void end_modal_loop(HWND hwnd, int result)
{
    {
        std::lock_guard lock(modal().mutex);
        auto it = modal().states.find(hwnd);
        if (it == modal().states.end() || !it->second.active || it->second.ended)
            return;
        it->second.ended = true;
        it->second.result = result;
    }
    modal().ended.notify_all();
    MessageQueue::wake_all();
}

void modal_window_destroyed(HWND hwnd)
{
    {
        std::lock_guard lock(modal().mutex);
        auto it = modal().states.find(hwnd);
        if (it == modal().states.end())
            return;
        if (!it->second.ended) {
            it->second.ended = true;
            it->second.result = IDCANCEL;
        }
        if (!it->second.active)
            modal().states.erase(it);
    }
    modal().ended.notify_all();
}

void clear_modal_states()
{
    {
        std::lock_guard lock(modal().mutex);
        modal().states.clear();
        modal().hook = nullptr;
    }
    modal().ended.notify_all();
}

INT_PTR run_dialog_modal(HWND dialog, HWND owner)
{
    {
        std::lock_guard lock(modal().mutex);
        modal().states[dialog].active = true;
    }
    bool disabled_owner = owner && IsWindowEnabled(owner);
    if (disabled_owner)
        EnableWindow(owner, FALSE);
    if (!is_ended(dialog) && IsWindow(dialog)) {
        show_and_paint(dialog, SW_SHOW);
        call_hook(dialog);
    }
    MessageQueue& queue = MessageQueue::current();
    while (!is_ended(dialog) && IsWindow(dialog) && !quit_pending(queue)) {
        modal_step(queue, [&] {
            if (owner && IsWindow(owner))
                SendMessage(owner, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(dialog));
            return true;
        });
    }
    INT_PTR result = finish(dialog);
    if (disabled_owner && IsWindow(owner))
        EnableWindow(owner, TRUE);
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    {
        std::lock_guard lock(modal().mutex);
        modal().states.erase(dialog);
    }
    return result;
}

int run_modal_loop(HWND hwnd, DWORD flags)
{
    {
        std::lock_guard lock(modal().mutex);
        modal().states[hwnd] = ModalState { true, false, 0 };
    }
    if (!on_ui_thread())
        return wait_off_thread(hwnd, flags);
    call_hook(hwnd);
    MessageQueue& queue = MessageQueue::current();
    LPARAM idle_count = 0;
    while (!is_ended(hwnd) && IsWindow(hwnd) && !quit_pending(queue)) {
        modal_step(queue, [&] {
            if ((flags & MLF_SHOWONIDLE) && !IsWindowVisible(hwnd))
                show_and_paint(hwnd, SW_SHOWNORMAL);
            HWND owner = owner_of(hwnd);
            if (!(flags & MLF_NOIDLEMSG) && owner)
                SendMessage(owner, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(hwnd));
            if (!(flags & MLF_NOKICKIDLE) && IsWindow(hwnd))
                SendMessage(hwnd, WM_KICKIDLE, 0, idle_count++);
            return true;
        });
    }
    return static_cast<int>(finish(hwnd));
}

}

using namespace platform::user;

extern "C" {

// Only marks the dialog's loop to end: code after EndDialog keeps running, and the first
// value given wins. The dialog hides at once, as a modeless dialog ended this way stays
// hidden. Called before the loop runs (during WM_INITDIALOG), the loop never starts.
BOOL EndDialog(HWND dialog, INT_PTR result)
{
    if (!IsWindow(dialog))
        return FALSE;
    {
        std::lock_guard lock(modal().mutex);
        ModalState& state = modal().states[dialog];
        if (!state.ended) {
            state.ended = true;
            state.result = result;
        }
    }
    modal().ended.notify_all();
    ShowWindow(dialog, SW_HIDE);
    MessageQueue::wake_all();
    return TRUE;
}

}
