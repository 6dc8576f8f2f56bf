// The workers that run the station utility's short procedures: a procedure started while the
// workers are idle runs on one of them (no new thread), procedures started while one is busy
// still run beside it and in order, and stopping ends waits, joins every worker and refuses
// new work. Every wait here is bounded, so a lost wake-up fails instead of hanging.
#include "station/app/WorkerThreads.h"

#include "platform/user/Clock.h"
#include "platform/user/Testing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

using station::app::WorkerThreads;

namespace {

constexpr std::chrono::milliseconds kBound { 10000 };

// A procedure that holds its worker until the test lets it go.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool entered { false };
    bool open { false };
};
Gate g_gate;

UINT held(LPVOID)
{
    std::unique_lock lock(g_gate.mutex);
    g_gate.entered = true;
    g_gate.changed.notify_all();
    g_gate.changed.wait_for(lock, kBound, [] { return g_gate.open; });
    return g_gate.open ? 1 : 0;
}

std::mutex g_order_mutex;
std::vector<int> g_order;

template <int N>
UINT record(LPVOID)
{
    std::lock_guard lock(g_order_mutex);
    g_order.push_back(N);
    return UINT(N);
}

bool done(std::shared_future<UINT> const& f) { return f.valid() && f.wait_for(kBound) == std::future_status::ready; }

class WorkerThreadsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_gate.entered = g_gate.open = false;
        g_order.clear();
    }
    void let_go()
    {
        std::lock_guard lock(g_gate.mutex);
        g_gate.open = true;
        g_gate.changed.notify_all();
    }
    bool held_running()
    {
        std::unique_lock lock(g_gate.mutex);
        return g_gate.changed.wait_for(lock, kBound, [] { return g_gate.entered; });
    }
};

}

TEST_F(WorkerThreadsTest, AnIdleWorkerRunsTheNextProcedure)
{
    WorkerThreads workers;
    for (int round = 0; round < 20; ++round) {
        auto result = workers.start(record<7>);
        ASSERT_TRUE(done(result));
        EXPECT_EQ(result.get(), 7u);
        ASSERT_TRUE(workers.wait_until_idle(kBound));
        EXPECT_EQ(workers.worker_count(), 1u);
    }
    workers.stop_all();
    EXPECT_EQ(g_order.size(), 20u);
}

TEST_F(WorkerThreadsTest, ABusyWorkerDoesNotHoldUpTheOthersAndTheyKeepTheirOrder)
{
    WorkerThreads workers;
    auto busy = workers.start(held);
    ASSERT_TRUE(held_running());
    auto first = workers.start(record<1>);
    ASSERT_TRUE(done(first));
    auto second = workers.start(record<2>);
    auto third = workers.start(record<3>);
    ASSERT_TRUE(done(second));
    ASSERT_TRUE(done(third));
    EXPECT_EQ(busy.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
    EXPECT_EQ(g_order.front(), 1);
    let_go();
    ASSERT_TRUE(done(busy));
    EXPECT_EQ(busy.get(), 1u);
    workers.stop_all();
    EXPECT_EQ(g_order.size(), 3u);
}

TEST_F(WorkerThreadsTest, StoppingEndsSleepsJoinsAndRefusesUntilRestarted)
{
    // The sleep follows the manual clock, which nothing moves: only the stop can end it. Should
    // the stop fail to, a watchdog moves the clock past the sleep after the bound, so the test
    // fails instead of hanging in the join.
    platform::ManualClock& clock = platform::testing::use_manual_clock();
    WorkerThreads workers;
    static WorkerThreads* current = nullptr;
    current = &workers;
    auto sleeper = workers.start([](LPVOID) -> UINT { return current->sleep(3600 * 1000) ? 1 : 2; });
    workers.start(record<1>).wait_for(kBound);
    std::mutex mutex;
    std::condition_variable stopped_changed;
    bool stopped = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!stopped_changed.wait_for(lock, kBound, [&] { return stopped; }))
            clock.advance(3600 * 1000);
    });
    workers.stop_all();
    {
        std::lock_guard lock(mutex);
        stopped = true;
    }
    stopped_changed.notify_all();
    watchdog.join();
    ASSERT_TRUE(done(sleeper));
    EXPECT_EQ(sleeper.get(), 2u) << "the stop did not end the sleep";
    EXPECT_EQ(workers.worker_count(), 0u);
    EXPECT_FALSE(workers.start(record<2>).valid());
    workers.restart();
    auto again = workers.start(record<3>);
    ASSERT_TRUE(done(again));
    workers.stop_all();
    EXPECT_EQ(g_order, (std::vector<int> { 1, 3 }));
    platform::set_clock(std::make_shared<platform::SystemClock>());
}
