#pragma once

#include "duplicates/md5/Md5Digest.h"
#include "duplicates/md5/Md5Kernel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace yuzhou {

/// MD5 of many independent messages at once, one message per lane: with AVX-512 sixteen lanes
/// go through the compression together, with AVX2 eight. The caller streams each lane its
/// message in pieces of any size and drives the hashing with run().
///
/// A lane goes: idle -> start -> feed, run, feed, run, ... -> finish (digest; idle again).
/// Instead of the last feed and finish, feedLast hands over the last piece; run() then hashes
/// the padding together with the other lanes' blocks, and takeDigest collects the digest.
/// That is cheaper for short messages, whose padding block would otherwise be hashed alone.
///
/// run() hashes as many blocks as the lane with the least input has, so pieces of one size
/// keep every lane busy.
///
/// Not thread-safe; one object per worker. The object holds pointers into itself, so it can be
/// neither copied nor moved.
class MultiMd5 {
public:
    /// Lanes of the widest kernel this CPU runs.
    MultiMd5();
    /// Lanes of the given kernel; throws std::invalid_argument unless kernelSupported(kernel).
    explicit MultiMd5(Md5Kernel kernel);
    MultiMd5(const MultiMd5&) = delete;
    MultiMd5& operator=(const MultiMd5&) = delete;

    /// Whether this CPU (and operating system) runs the kernel. Scalar runs everywhere.
    static bool kernelSupported(Md5Kernel kernel);
    /// The widest supported kernel.
    static Md5Kernel bestKernel();

    /// 16 for Avx512, 8 for Avx2, 4 for Scalar.
    std::size_t laneCount() const { return m_laneCount; }
    Md5Kernel kernel() const { return m_kernel; }

    /// Begins a new message in the lane, dropping whatever message it held.
    void start(std::size_t lane);
    /// Hands the lane its next piece. Only when needsInput(lane). The bytes must stay valid until
    /// needsInput(lane) is true again; a partial block at the end is copied inside, so the
    /// caller may reuse its buffer from then on. Pieces of whole 64-byte blocks are hashed
    /// straight from the caller's memory; any other size costs a copy of under 64 bytes.
    void feed(std::size_t lane, const std::uint8_t* data, std::size_t size);
    /// Hands the lane the last piece of its message (may be empty). Only when needsInput(lane).
    /// The bytes must stay valid until digestReady(lane); run() hashes them and the padding.
    void feedLast(std::size_t lane, const std::uint8_t* data, std::size_t size);
    /// True when the lane's message is open and every byte fed so far has been used.
    bool needsInput(std::size_t lane) const;
    /// True from start until the digest is handed out by finish or takeDigest.
    bool active(std::size_t lane) const;
    /// True when the message given with feedLast is hashed to the end.
    bool digestReady(std::size_t lane) const;

    /// Hashes blocks in every lane that has input, all lanes together, and returns once at
    /// least one of them needs input or has its digest ready (or at once when no lane has
    /// input). Lanes without input keep their state.
    void run();

    /// Ends the lane's message: the padding and length are hashed here, in this lane alone.
    /// Only when needsInput(lane). Returns the digest; the lane is idle afterwards.
    Md5Digest finish(std::size_t lane);
    /// The digest of a message ended with feedLast. Only when digestReady(lane). The lane is
    /// idle afterwards.
    Md5Digest takeDigest(std::size_t lane);

    /// MD5 of each message, through the lanes of the given kernel (see kernelSupported).
    static std::vector<Md5Digest> hashMessages(std::span<const std::span<const std::uint8_t>> messages,
                                               Md5Kernel kernel = bestKernel());

private:
    static constexpr std::size_t kMaxLanes = 16;

    enum class LaneState : std::uint8_t {
        Idle,
        Open,    // more pieces may come
        Closing, // the last piece is in; the padding follows it
        Done,    // the digest is in the state columns
    };

    // The bytes of a lane are hashed in this order: `next` (a block in `buffer` or the caller's
    // piece), then the caller's whole blocks at `piece`, then the tail is copied into `buffer`.
    struct Lane {
        const std::uint8_t* next = nullptr;
        std::size_t nextBlocks = 0;
        const std::uint8_t* piece = nullptr;
        std::size_t pieceBlocks = 0;
        const std::uint8_t* tail = nullptr;
        std::size_t tailSize = 0;
        std::size_t buffered = 0; // bytes of a partial block waiting in `buffer`
        std::uint64_t length = 0; // bytes fed since start
        LaneState state = LaneState::Idle;
        bool padded = false;
        alignas(64) std::uint8_t buffer[128];
    };

    using BlockFunction = void (*)(std::uint32_t* state, const std::uint8_t* const* lanes, std::size_t blocks,
                                   std::uint32_t mask);

    Lane& laneAt(std::size_t lane);
    const Lane& laneAt(std::size_t lane) const;
    void feedPiece(std::size_t lane, const std::uint8_t* data, std::size_t size, bool last);
    void nextSegment(Lane& lane);
    Md5Digest laneDigest(std::size_t lane) const;

    // Four rows (a, b, c, d) of kMaxLanes words; lane i in column i.
    alignas(64) std::uint32_t m_state[4 * kMaxLanes] = {};
    std::array<Lane, kMaxLanes> m_lanes;
    Md5Kernel m_kernel;
    std::size_t m_laneCount;
    BlockFunction m_blocks;
};

} // namespace yuzhou
