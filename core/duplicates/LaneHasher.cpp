#include "duplicates/LaneHasher.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace yuzhou {

namespace {

/// Bytes read per lane at a time: a multiple of 64, so pieces are hashed where they lie,
/// and small enough that all lanes' pieces stay in the processor's cache.
constexpr std::size_t kLanePiece = 64u << 10;

std::int64_t modificationNs(const struct stat& st) {
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

bool cancelled(const FingerprintJob& job) {
    return job.cancelled != nullptr && job.cancelled->load(std::memory_order_relaxed);
}

} // namespace

LaneHasher::LaneHasher() : m_lanes(m_md5.laneCount()) {
    for (Lane& lane : m_lanes) {
        lane.buffer.reset(new std::uint8_t[kLanePiece]);
    }
}

LaneHasher::~LaneHasher() {
    abandonAll();
}

void LaneHasher::answer(std::size_t index, std::optional<FileFingerprint> result) {
    Lane& lane = m_lanes[index];
    if (lane.fd >= 0) {
        close(lane.fd);
        lane.fd = -1;
    }
    if (lane.job) {
        FingerprintJob job = std::move(*lane.job);
        lane.job.reset();
        --m_busy;
        job.done(std::move(result));
    }
}

void LaneHasher::take(FingerprintJob job) {
    const auto idle =
        std::find_if(m_lanes.begin(), m_lanes.end(), [](const Lane& lane) { return !lane.job; });
    if (idle == m_lanes.end() || cancelled(job)) {
        job.done(std::nullopt);
        return;
    }
    const auto index = static_cast<std::size_t>(idle - m_lanes.begin());
    Lane& lane = *idle;
    lane.fd = open(job.path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    lane.job = std::move(job);
    ++m_busy;
    if (lane.fd < 0 || fstat(lane.fd, &lane.before) != 0 || !S_ISREG(lane.before.st_mode) ||
        lane.before.st_size != lane.job->expectedSize) {
        answer(index, std::nullopt);
        return;
    }
    posix_fadvise(lane.fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    lane.total = 0;
    m_md5.start(index);
    if (!feedNext(index)) {
        answer(index, std::nullopt);
    }
}

bool LaneHasher::feedNext(std::size_t index) {
    Lane& lane = m_lanes[index];
    const std::int64_t expected = lane.job->expectedSize;
    const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(kLanePiece, expected - lane.total));
    if (wanted == 0) {
        m_md5.feedLast(index, lane.buffer.get(), 0);
        return true;
    }
    ssize_t got = 0;
    do {
        got = read(lane.fd, lane.buffer.get(), wanted);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        return false; // a read error, or the file ended before its listed size
    }
    lane.total += got;
    if (lane.total == expected) {
        m_md5.feedLast(index, lane.buffer.get(), static_cast<std::size_t>(got));
    } else {
        m_md5.feed(index, lane.buffer.get(), static_cast<std::size_t>(got));
    }
    return true;
}

std::size_t LaneHasher::step() {
    if (m_busy == 0) {
        return 0;
    }
    m_md5.run();
    std::size_t answered = 0;
    for (std::size_t index = 0; index < m_lanes.size(); ++index) {
        Lane& lane = m_lanes[index];
        if (!lane.job) {
            continue;
        }
        if (m_md5.digestReady(index)) {
            const Md5Digest digest = m_md5.takeDigest(index);
            // A file that grew or was rewritten while it was read has no single content.
            struct stat after {};
            char extra = 0;
            const bool unchanged = fstat(lane.fd, &after) == 0 && after.st_size == lane.before.st_size &&
                                   modificationNs(after) == modificationNs(lane.before) &&
                                   read(lane.fd, &extra, 1) == 0;
            std::optional<FileFingerprint> result;
            if (unchanged) {
                result = FileFingerprint{md5Text(digest), lane.before.st_size, modificationNs(lane.before),
                                         lane.before.st_dev, lane.before.st_ino};
            }
            answer(index, std::move(result));
            ++answered;
        } else if (m_md5.needsInput(index)) {
            if (cancelled(*lane.job) || !feedNext(index)) {
                answer(index, std::nullopt);
                ++answered;
            }
        }
    }
    return answered;
}

void LaneHasher::abandonAll() {
    for (std::size_t index = 0; index < m_lanes.size(); ++index) {
        answer(index, std::nullopt);
    }
}

} // namespace yuzhou
