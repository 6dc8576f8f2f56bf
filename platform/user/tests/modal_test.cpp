#include "CoreFixture.h"

#include <atomic>
#include <thread>

using platform::testing::advance;
using platform::testing::pump_until_idle;
using platform::user::run_dialog_modal;
using platform::user::run_modal_loop;
using platform::user::end_modal_loop;

namespace {

constexpr UINT WM_START = WM_APP + 1;

HWND make_dialog(HWND owner, DLGPROC proc)
{
    HWND dialog = CreateWindowEx(0, "#32770", "dialog", WS_POPUP | WS_CAPTION, 50, 50, 200, 100, owner, nullptr, nullptr, nullptr);
    SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    return dialog;
}

// Creates a dialog, sends WM_INITDIALOG and runs it, as the dialog manager does.
INT_PTR do_modal(HWND owner, DLGPROC proc)
{
    HWND dialog = make_dialog(owner, proc);
    SendMessage(dialog, WM_INITDIALOG, 0, 0);
    return run_dialog_modal(dialog, owner);
}

std::vector<std::string> events;

}

TEST_F(CoreTest, ModalDialogReturnsTheFirstEndDialogValueAndCodeAfterItRuns)
{
    HWND owner = make_top();
    events.clear();
    platform::user::set_modal_hook([](HWND dialog) {
        events.push_back("opened");
        PostMessage(dialog, WM_START, 0, 0);
    });
    INT_PTR result = do_modal(owner, [](HWND h, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_START) {
            EXPECT_FALSE(IsWindowEnabled(GetWindow(h, GW_OWNER)));
            EndDialog(h, 17);
            events.push_back("after end");
            EndDialog(h, 99);
            return TRUE;
        }
        if (m == WM_DESTROY)
            events.push_back("destroyed");
        return FALSE;
    });
    EXPECT_EQ(result, 17);
    EXPECT_EQ(events, (std::vector<std::string> { "opened", "after end", "destroyed" }));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(CoreTest, EndDialogDuringInitDialogEndsAtOnceWithoutShowing)
{
    HWND owner = make_top();
    static bool shown;
    shown = false;
    platform::user::set_modal_hook([](HWND) { ADD_FAILURE() << "the loop must not start"; });
    INT_PTR result = do_modal(owner, [](HWND h, UINT m, WPARAM w, LPARAM) -> INT_PTR {
        if (m == WM_INITDIALOG)
            EndDialog(h, 5);
        if (m == WM_SHOWWINDOW && w)
            shown = true;
        return FALSE;
    });
    EXPECT_EQ(result, 5);
    EXPECT_FALSE(shown);
}

// The run paints the dialog as it shows it, before the modal loop runs; observers hear of the
// showing only after that paint, and never of a dialog that hides itself when it first paints
// (a program's hidden main window).
TEST_F(CoreTest, ModalRunPaintsTheDialogBeforeObserversSeeItShown)
{
    struct Recorder final : platform::user::WindowObserver {
        void window_shown(HWND hwnd, bool visible) override
        {
            events.push_back(std::string(visible ? "shown " : "hidden ") + (IsWindowVisible(hwnd) ? "visible" : "invisible"));
        }
    } recorder;
    static bool hide_on_paint = false;
    auto const proc = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message != WM_PAINT)
            return FALSE;
        events.push_back("paint");
        ValidateRect(hwnd, nullptr);
        if (hide_on_paint)
            ShowWindow(hwnd, SW_HIDE);
        return TRUE;
    };
    HWND owner = make_top();
    platform::user::set_modal_hook([](HWND dialog) {
        events.push_back("opened");
        EndDialog(dialog, 1);
    });
    platform::user::add_window_observer(&recorder);
    for (bool hides : { false, true }) {
        SCOPED_TRACE(hides ? "hides on its first paint" : "stays");
        events.clear();
        hide_on_paint = hides;
        EXPECT_EQ(do_modal(owner, proc), 1);
        std::vector<std::string> const expected = hides ? std::vector<std::string> { "paint", "opened" }
                                                        : std::vector<std::string> { "paint", "shown visible", "opened", "hidden invisible" };
        EXPECT_EQ(events, expected);
    }
    platform::user::remove_window_observer(&recorder);
}

TEST_F(CoreTest, ModalLoopsNestInsideATimerHandlerAndTheOuterLoopResumes)
{
    HWND owner = make_top();
    events.clear();
    // Each dialog moves time in small steps until it is ended (EndDialog hides it).
    platform::user::set_modal_hook([](HWND dialog) {
        while (IsWindowVisible(dialog))
            advance(10);
    });
    // The outer dialog's timer opens an inner dialog; the inner one ends on its own timer,
    // while the outer timer keeps ticking inside the nested loop.
    INT_PTR outer = do_modal(owner, [](HWND h, UINT m, WPARAM w, LPARAM) -> INT_PTR {
        if (m == WM_INITDIALOG) {
            SetTimer(h, 1, 100, nullptr);
            return TRUE;
        }
        if (m == WM_TIMER && w == 1) {
            events.push_back("outer tick");
            if (events.size() == 1) {
                INT_PTR inner = do_modal(h, [](HWND d, UINT im, WPARAM iw, LPARAM) -> INT_PTR {
                    if (im == WM_INITDIALOG)
                        SetTimer(d, 2, 250, nullptr);
                    if (im == WM_TIMER && iw == 2) {
                        events.push_back("inner ends");
                        EndDialog(d, 2);
                    }
                    return FALSE;
                });
                events.push_back("inner returned " + std::to_string(inner));
            } else if (events.size() > 4) {
                EndDialog(h, 1);
            }
        }
        return FALSE;
    });
    EXPECT_EQ(outer, 1);
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(events[0], "outer tick");
    EXPECT_EQ(events[1], "outer tick");
    EXPECT_EQ(events[2], "outer tick");
    EXPECT_EQ(events[3], "inner ends");
    EXPECT_EQ(events[4], "inner returned 2");
}

TEST_F(CoreTest, ModalLoopOnAnExistingWindowShowsOnIdleAndKicksIdle)
{
    HWND owner = make_top();
    HWND popup = make_top("popup", WS_POPUP);
    SetWindowLongPtr(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    watch({ WM_KICKIDLE, WM_ENTERIDLE, WM_SHOWWINDOW });
    handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_KICKIDLE && h == popup) {
            end_modal_loop(popup, 1);
            end_modal_loop(popup, 2);
        }
        return std::nullopt;
    };
    EXPECT_EQ(run_modal_loop(popup, platform::user::MLF_SHOWONIDLE), 1);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(count_of(popup, WM_SHOWWINDOW), 1);
    EXPECT_EQ(count_of(owner, WM_ENTERIDLE), 1);
    EXPECT_EQ(count_of(popup, WM_KICKIDLE), 1);
}

TEST_F(CoreTest, AnotherThreadWaitsForAModalLoopWithoutALoopOfItsOwn)
{
    HWND owner = make_top("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = make_child(owner, 7, { 0, 0, 50, 50 }, WS_CHILD);
    std::atomic<int> result { 0 };
    std::thread worker([&] { result = run_modal_loop(child, platform::user::MLF_SHOWONIDLE); });
    // The worker's show request arrives as a cross-thread call; then end the loop from here.
    while (!IsWindowVisible(child))
        pump_until_idle();
    end_modal_loop(child, 1);
    worker.join();
    EXPECT_EQ(result.load(), 1);
}

TEST_F(CoreTest, DestroyingTheOwnerEndsAWaitWithCancel)
{
    HWND owner = make_top();
    HWND child = make_child(owner, 7, { 0, 0, 50, 50 }, WS_CHILD);
    std::atomic<int> result { 0 };
    std::atomic<bool> started { false };
    std::thread worker([&] {
        started = true;
        result = run_modal_loop(child, 0);
    });
    while (!started || !platform::user::in_modal_loop(child))
        pump_until_idle();
    pump_until_idle();
    DestroyWindow(owner);
    worker.join();
    EXPECT_EQ(result.load(), IDCANCEL);
}

TEST_F(CoreTest, QuitDuringAModalLoopEndsItAndReachesTheOuterLoop)
{
    HWND owner = make_top();
    platform::user::set_modal_hook([](HWND) { PostQuitMessage(4); });
    INT_PTR result = do_modal(owner, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; });
    EXPECT_EQ(result, IDCANCEL);
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 4u);
}
