#pragma once

#include "duplicates/FileFingerprint.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <vector>

namespace yuzhou {

/// The fingerprints of one duplicate pass, one entry per candidate in the order the
/// candidates were queued, filled by the fingerprint workers in whatever order they
/// finish and read by the grouping stage. Every candidate gets exactly one entry: its
/// fingerprint, or nothing when its file could not be read, so the grouping stage always
/// learns of every candidate and never waits for ever.
class DigestList {
public:
    /// Starts a pass with this many candidates, all still to come; the list is complete
    /// (sealed) with them.
    void reset(std::size_t candidates);
    /// Starts a pass whose candidates are added one by one while the search still runs.
    void open();
    /// Adds a candidate to an open list and gives its number.
    std::size_t add();
    /// No candidate comes any more.
    void seal();
    void set(std::size_t candidate, std::optional<FileFingerprint> fingerprint);

    std::size_t candidateCount() const;
    /// Candidates with an entry so far.
    std::size_t finishedCount() const;
    /// Waits until every candidate has its entry, `stop` says to give up, or the time is
    /// up; gives whether every candidate has its entry.
    template <typename Stop> bool waitForAll(std::chrono::milliseconds timeout, Stop stop) {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, timeout, [&] { return completeLocked() || stop(); });
        return completeLocked();
    }
    /// Wakes waiters, so they look at their stop condition again.
    void wake();

    std::optional<FileFingerprint> entry(std::size_t candidate) const;

private:
    bool completeLocked() const { return m_sealed && m_finished == m_entries.size(); }

    mutable std::mutex m_mutex;
    bool m_sealed = true;
    std::condition_variable m_changed;
    std::vector<std::optional<FileFingerprint>> m_entries;
    std::vector<bool> m_set;
    std::size_t m_finished = 0;
};

} // namespace yuzhou
