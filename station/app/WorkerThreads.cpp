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

// At exit the workers are ended and joined (a thread left running would end the process);
// prompt waits were ended by the hidden dialog's tear-down, whose objects may be gone by now.
WorkerThreads::~WorkerThreads()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_work.notify_all();
    for (auto& w : m_workers)
        w.join();
}

std::shared_future<UINT> WorkerThreads::start(Procedure procedure)
{
    std::packaged_task<UINT()> task([procedure] { return procedure(nullptr); });
    std::shared_future<UINT> result = task.get_future().share();
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return {};
        m_waiting.push_back(std::move(task));
        // Every procedure waiting has an idle worker of its own, or a new worker takes it.
        if (m_waiting.size() > m_idle)
            m_workers.emplace_back([this] { serve(); });
    }
    m_work.notify_one();
    return result;
}

// A worker's life: take the oldest waiting procedure, run it without the lock, wait idle for
// the next; while stopping, finish what is waiting, then end.
void WorkerThreads::serve()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_idle;
        m_idled.notify_all();
        m_work.wait(lock, [this] { return !m_waiting.empty() || m_stopping; });
        --m_idle;
        if (m_waiting.empty())
            return;
        std::packaged_task<UINT()> task = std::move(m_waiting.front());
        m_waiting.pop_front();
        lock.unlock();
        task();
        lock.lock();
    }
}

std::size_t WorkerThreads::worker_count() const
{
    std::lock_guard lock(m_mutex);
    return m_workers.size();
}

bool WorkerThreads::wait_until_idle(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    return m_idled.wait_for(lock, bound, [this] { return m_waiting.empty() && m_idle == m_workers.size(); });
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
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        workers.swap(m_workers);
    }
    m_wake.notify_all();
    m_work.notify_all();
    CPeapSettingDlg::AbortWaits();
    for (auto& w : workers)
        w.join();
}

void WorkerThreads::restart()
{
    std::lock_guard lock(m_mutex);
    m_stopping = false;
}

}
