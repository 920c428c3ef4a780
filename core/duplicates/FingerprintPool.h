#pragma once

#include "duplicates/FileFingerprint.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace yuzhou {

/// One file to fingerprint, and where its result goes.
struct FingerprintJob {
    std::string path;
    /// The file's size when it was listed: a file of another size when it is read has
    /// changed since, and gets no fingerprint.
    std::int64_t expectedSize = 0;
    /// Set when the pass that asked is abandoned: the job then ends at once.
    std::shared_ptr<const std::atomic<bool>> cancelled;
    /// Called exactly once, on a worker thread, with the fingerprint or nothing.
    std::function<void(std::optional<FileFingerprint>)> done;
};

/// Worker threads that fingerprint files taken from a first-in-first-out queue. Started
/// once; they wait while the queue is empty and end when the pool goes. Each worker reads
/// and hashes several files at once, one per SIMD lane, so the jobs finish in any order;
/// each answers through its own callback.
class FingerprintPool {
public:
    FingerprintPool() = default;
    ~FingerprintPool();
    FingerprintPool(const FingerprintPool&) = delete;
    FingerprintPool& operator=(const FingerprintPool&) = delete;

    /// Starts `threadCount` workers (10 when it is 0 or less); false when already started.
    bool start(int threadCount);
    bool started() const;
    /// Adds a job at the tail of the queue; false, and nothing queued, when not started.
    /// Never blocks.
    bool post(FingerprintJob job);

private:
    void work();
    /// Waits for a job; nothing when the pool is going.
    std::optional<FingerprintJob> waitForJob();
    /// A job without waiting, as long as this worker holds no more than its fair share of
    /// the jobs in flight and waiting, so that a few large files spread over all workers.
    std::optional<FingerprintJob> fairJob(std::size_t heldByMe);
    void finished(std::size_t jobs);

    mutable std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<FingerprintJob> m_queue;
    std::vector<std::thread> m_workers;
    bool m_stopping = false;
    std::size_t m_inFlight = 0;
};

} // namespace yuzhou
