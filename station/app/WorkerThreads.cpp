#include "station/app/WorkerThreads.h"

#include "platform/user/Clock.h"
#include "station/profiles/PeapSettingDlg.h"

#include <chrono>

namespace station::app {

WorkerThreads& WorkerThreads::the()
{
    static WorkerThreads workers;
    return workers;
}

std::shared_future<UINT> WorkerThreads::start(Procedure procedure)
{
    std::lock_guard lock(m_mutex);
    if (m_stopping)
        return {};
    std::erase_if(m_threads, [](std::shared_future<UINT> const& t) {
        return t.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    m_threads.push_back(std::async(std::launch::async, procedure, nullptr).share());
    return m_threads.back();
}

bool WorkerThreads::sleep(DWORD ms)
{
    platform::Clock& clock = platform::clock();
    std::uint64_t const deadline = clock.now_ms() + ms;
    std::unique_lock lock(m_mutex);
    while (!m_stopping && clock.now_ms() < deadline) {
        // A manual clock tells nobody that it moved, so it is looked at every few milliseconds.
        auto const slice = clock.is_manual() ? std::chrono::milliseconds(2)
                                             : std::chrono::milliseconds(deadline - clock.now_ms());
        m_wake.wait_for(lock, slice);
    }
    return !m_stopping;
}

bool WorkerThreads::stopping() const
{
    std::lock_guard lock(m_mutex);
    return m_stopping;
}

void WorkerThreads::stop_all()
{
    std::vector<std::shared_future<UINT>> threads;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        threads.swap(m_threads);
    }
    m_wake.notify_all();
    CPeapSettingDlg::AbortWaits();
    for (auto& t : threads)
        t.wait();
}

void WorkerThreads::restart()
{
    std::lock_guard lock(m_mutex);
    m_stopping = false;
}

}
