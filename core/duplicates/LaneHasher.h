#pragma once

#include "duplicates/FingerprintPool.h"
#include "duplicates/md5/MultiMd5.h"

#include <memory>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace yuzhou {

/// One fingerprint worker's files in flight: one file per SIMD lane of a MultiMd5, each
/// read in pieces into its own buffer, all lanes hashed together.
class LaneHasher {
public:
    LaneHasher();
    ~LaneHasher();
    LaneHasher(const LaneHasher&) = delete;
    LaneHasher& operator=(const LaneHasher&) = delete;

    std::size_t laneCount() const { return m_md5.laneCount(); }
    std::size_t busyLanes() const { return m_busy; }
    bool hasIdleLane() const { return m_busy < m_lanes.size(); }

    /// Takes a job into an idle lane: opens the file and reads its first piece. A job that
    /// fails at once (cancelled, gone, of another size) is answered at once.
    void take(FingerprintJob job);

    /// Hashes until some lane needs its next piece or ends, reads those pieces and answers
    /// the jobs whose files are done. Gives how many jobs were answered.
    std::size_t step();

    /// Answers every job in flight with nothing (the pool is going).
    void abandonAll();

private:
    struct Lane {
        std::optional<FingerprintJob> job;
        int fd = -1;
        struct stat before {};
        std::int64_t total = 0;
        std::unique_ptr<std::uint8_t[]> buffer;
    };

    /// Reads and hands the lane its next piece; false when reading failed.
    bool feedNext(std::size_t index);
    void answer(std::size_t index, std::optional<FileFingerprint> result);

    MultiMd5 m_md5;
    std::vector<Lane> m_lanes;
    std::size_t m_busy = 0;
};

} // namespace yuzhou
