#include "duplicates/FingerprintPool.h"

#include "duplicates/LaneHasher.h"

namespace yuzhou {

FingerprintPool::~FingerprintPool() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    for (std::thread& worker : m_workers) {
        worker.join();
    }
    // Jobs nobody will read still get their answer.
    for (FingerprintJob& job : m_queue) {
        job.done(std::nullopt);
    }
}

bool FingerprintPool::start(int threadCount) {
    std::lock_guard lock(m_mutex);
    if (!m_workers.empty()) {
        return false;
    }
    const int count = threadCount <= 0 ? 10 : threadCount;
    for (int i = 0; i < count; ++i) {
        m_workers.emplace_back([this] { work(); });
    }
    return true;
}

bool FingerprintPool::started() const {
    std::lock_guard lock(m_mutex);
    return !m_workers.empty();
}

bool FingerprintPool::post(FingerprintJob job) {
    {
        std::lock_guard lock(m_mutex);
        if (m_workers.empty() || m_stopping) {
            return false;
        }
        m_queue.push_back(std::move(job));
    }
    m_queued.notify_one();
    return true;
}

std::optional<FingerprintJob> FingerprintPool::waitForJob() {
    std::unique_lock lock(m_mutex);
    m_queued.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
    if (m_stopping) {
        return std::nullopt;
    }
    FingerprintJob job = std::move(m_queue.front());
    m_queue.pop_front();
    ++m_inFlight;
    return job;
}

std::optional<FingerprintJob> FingerprintPool::fairJob(std::size_t heldByMe) {
    std::lock_guard lock(m_mutex);
    if (m_stopping || m_queue.empty()) {
        return std::nullopt;
    }
    const std::size_t workers = m_workers.size();
    const std::size_t share = (m_inFlight + m_queue.size() + workers - 1) / workers;
    if (heldByMe >= share) {
        return std::nullopt;
    }
    FingerprintJob job = std::move(m_queue.front());
    m_queue.pop_front();
    ++m_inFlight;
    return job;
}

void FingerprintPool::finished(std::size_t jobs) {
    std::lock_guard lock(m_mutex);
    m_inFlight -= jobs;
}

void FingerprintPool::work() {
    LaneHasher lanes;
    // Jobs taken from the queue and not yet counted as finished; a job may end as soon as it
    // is taken (a file that is gone), or during any step.
    std::size_t held = 0;
    const auto countFinished = [&] {
        finished(held - lanes.busyLanes());
        held = lanes.busyLanes();
    };
    for (;;) {
        if (lanes.busyLanes() == 0) {
            std::optional<FingerprintJob> job = waitForJob();
            if (!job) {
                return;
            }
            ++held;
            lanes.take(std::move(*job));
        }
        while (lanes.hasIdleLane()) {
            std::optional<FingerprintJob> job = fairJob(lanes.busyLanes());
            if (!job) {
                break;
            }
            ++held;
            lanes.take(std::move(*job));
        }
        lanes.step();
        countFinished();
        bool stopping = false;
        {
            std::lock_guard lock(m_mutex);
            stopping = m_stopping;
        }
        if (stopping) {
            lanes.abandonAll();
            countFinished();
            return;
        }
    }
}

} // namespace yuzhou
