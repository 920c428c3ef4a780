#include "duplicates/DigestList.h"

namespace yuzhou {

void DigestList::reset(std::size_t candidates) {
    std::lock_guard lock(m_mutex);
    m_entries.assign(candidates, std::nullopt);
    m_set.assign(candidates, false);
    m_finished = 0;
    m_sealed = true;
}

void DigestList::open() {
    reset(0);
    std::lock_guard lock(m_mutex);
    m_sealed = false;
}

std::size_t DigestList::add() {
    std::lock_guard lock(m_mutex);
    m_entries.emplace_back();
    m_set.push_back(false);
    return m_entries.size() - 1;
}

void DigestList::seal() {
    {
        std::lock_guard lock(m_mutex);
        m_sealed = true;
    }
    m_changed.notify_all();
}

void DigestList::set(std::size_t candidate, std::optional<FileFingerprint> fingerprint) {
    bool complete = false;
    {
        std::lock_guard lock(m_mutex);
        if (candidate >= m_entries.size() || m_set[candidate]) {
            return;
        }
        m_entries[candidate] = std::move(fingerprint);
        m_set[candidate] = true;
        ++m_finished;
        complete = completeLocked();
    }
    // Waiters look at the progress on their own time; they need waking only for the end.
    if (complete) {
        m_changed.notify_all();
    }
}

std::size_t DigestList::candidateCount() const {
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

std::size_t DigestList::finishedCount() const {
    std::lock_guard lock(m_mutex);
    return m_finished;
}

void DigestList::wake() {
    { std::lock_guard lock(m_mutex); }
    m_changed.notify_all();
}

std::optional<FileFingerprint> DigestList::entry(std::size_t candidate) const {
    std::lock_guard lock(m_mutex);
    return candidate < m_entries.size() ? m_entries[candidate] : std::nullopt;
}

} // namespace yuzhou
