#include "duplicates/md5/MultiMd5.h"

#include "duplicates/md5/Md5Kernels.h"
#include "duplicates/md5/Md5Padding.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace yuzhou {

static_assert(md5detail::kStateColumns == 16, "the state rows are as wide as the widest kernel");

namespace {

std::size_t lanesOf(Md5Kernel kernel) {
    switch (kernel) {
    case Md5Kernel::Avx512:
        return 16;
    case Md5Kernel::Avx2:
        return 8;
    case Md5Kernel::Scalar:
        break;
    }
    // The scalar kernel gains nothing from more lanes, but a few keep the caller's loop the
    // same as with the SIMD kernels.
    return 4;
}

} // namespace

MultiMd5::MultiMd5() : MultiMd5(bestKernel()) {}

MultiMd5::MultiMd5(Md5Kernel kernel) : m_kernel(kernel), m_laneCount(lanesOf(kernel)) {
    if (!kernelSupported(kernel)) {
        throw std::invalid_argument("this CPU does not run the MD5 kernel " +
                                    std::string(md5KernelName(kernel)));
    }
    switch (kernel) {
#ifdef YUZHOU_MD5_X86
    case Md5Kernel::Avx512:
        m_blocks = md5detail::avx512Blocks;
        break;
    case Md5Kernel::Avx2:
        m_blocks = md5detail::avx2Blocks;
        break;
#endif
    default:
        m_blocks = md5detail::scalarBlocks;
        break;
    }
}

bool MultiMd5::kernelSupported(Md5Kernel kernel) {
    switch (kernel) {
    case Md5Kernel::Scalar:
        return true;
#ifdef YUZHOU_MD5_X86
    case Md5Kernel::Avx2:
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2");
    case Md5Kernel::Avx512:
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f");
#endif
    default:
        return false;
    }
}

Md5Kernel MultiMd5::bestKernel() {
    for (Md5Kernel kernel : {Md5Kernel::Avx512, Md5Kernel::Avx2}) {
        if (kernelSupported(kernel)) {
            return kernel;
        }
    }
    return Md5Kernel::Scalar;
}

MultiMd5::Lane& MultiMd5::laneAt(std::size_t lane) {
    if (lane >= m_laneCount) {
        throw std::out_of_range("MultiMd5: no such lane");
    }
    return m_lanes[lane];
}

const MultiMd5::Lane& MultiMd5::laneAt(std::size_t lane) const {
    if (lane >= m_laneCount) {
        throw std::out_of_range("MultiMd5: no such lane");
    }
    return m_lanes[lane];
}

void MultiMd5::start(std::size_t lane) {
    Lane& l = laneAt(lane);
    l = Lane{};
    l.state = LaneState::Open;
    for (std::size_t k = 0; k < 4; ++k) {
        m_state[k * kMaxLanes + lane] = md5detail::kInitialState[k];
    }
}

void MultiMd5::feed(std::size_t lane, const std::uint8_t* data, std::size_t size) {
    feedPiece(lane, data, size, false);
}

void MultiMd5::feedLast(std::size_t lane, const std::uint8_t* data, std::size_t size) {
    feedPiece(lane, data, size, true);
}

void MultiMd5::feedPiece(std::size_t lane, const std::uint8_t* data, std::size_t size, bool last) {
    if (!needsInput(lane)) {
        throw std::logic_error("MultiMd5: the lane takes no input now");
    }
    Lane& l = m_lanes[lane];
    l.length += size;
    if (last) {
        l.state = LaneState::Closing;
    }
    if (l.buffered > 0) {
        // The partial block of the previous piece is completed from this one and hashed from
        // the buffer; the rest of the piece follows from the caller's memory.
        const std::size_t take = std::min(64 - l.buffered, size);
        if (take > 0) {
            std::memcpy(l.buffer + l.buffered, data, take);
        }
        l.buffered += take;
        data += take;
        size -= take;
        if (l.buffered == 64) {
            l.buffered = 0;
            l.next = l.buffer;
            l.nextBlocks = 1;
        }
    }
    l.piece = data;
    l.pieceBlocks = size / 64;
    l.tail = data + 64 * l.pieceBlocks;
    l.tailSize = size % 64;
    if (l.nextBlocks == 0) {
        nextSegment(l);
    }
}

void MultiMd5::nextSegment(Lane& l) {
    if (l.pieceBlocks > 0) {
        l.next = l.piece;
        l.nextBlocks = l.pieceBlocks;
        l.pieceBlocks = 0;
        return;
    }
    if (l.tailSize > 0) {
        // Copied now rather than later: from here on the caller may reuse its buffer.
        std::memcpy(l.buffer + l.buffered, l.tail, l.tailSize);
        l.buffered += l.tailSize;
        l.tailSize = 0;
    }
    if (l.state != LaneState::Closing) {
        return;
    }
    if (!l.padded) {
        l.padded = true;
        l.next = l.buffer;
        l.nextBlocks = md5Pad(l.buffer, l.length);
        l.buffered = 0;
    } else {
        l.state = LaneState::Done;
    }
}

bool MultiMd5::needsInput(std::size_t lane) const {
    const Lane& l = laneAt(lane);
    return l.state == LaneState::Open && l.nextBlocks == 0;
}

bool MultiMd5::active(std::size_t lane) const {
    return laneAt(lane).state != LaneState::Idle;
}

bool MultiMd5::digestReady(std::size_t lane) const {
    return laneAt(lane).state == LaneState::Done;
}

void MultiMd5::run() {
    std::uint32_t mask = 0;
    for (std::size_t lane = 0; lane < m_laneCount; ++lane) {
        if (m_lanes[lane].nextBlocks > 0) {
            mask |= std::uint32_t{1} << lane;
        }
    }
    if (mask == 0) {
        return;
    }
    for (;;) {
        // As many blocks as every lane has in one stretch of memory, in one call of the kernel.
        const std::uint8_t* pointers[kMaxLanes] = {};
        std::size_t blocks = std::numeric_limits<std::size_t>::max();
        for (std::size_t lane = 0; lane < m_laneCount; ++lane) {
            if (mask >> lane & 1) {
                pointers[lane] = m_lanes[lane].next;
                blocks = std::min(blocks, m_lanes[lane].nextBlocks);
            }
        }
        m_blocks(m_state, pointers, blocks, mask);
        bool stop = false;
        for (std::size_t lane = 0; lane < m_laneCount; ++lane) {
            if (mask >> lane & 1) {
                Lane& l = m_lanes[lane];
                l.next += 64 * blocks;
                l.nextBlocks -= blocks;
                if (l.nextBlocks == 0) {
                    nextSegment(l);
                    stop = stop || l.nextBlocks == 0;
                }
            }
        }
        if (stop) {
            return;
        }
    }
}

Md5Digest MultiMd5::laneDigest(std::size_t lane) const {
    Md5Digest digest;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::uint32_t word = m_state[k * kMaxLanes + lane];
        for (std::size_t i = 0; i < 4; ++i) {
            digest[4 * k + i] = static_cast<std::uint8_t>(word >> (8 * i));
        }
    }
    return digest;
}

Md5Digest MultiMd5::finish(std::size_t lane) {
    if (!needsInput(lane)) {
        throw std::logic_error("MultiMd5: finish while the lane still has input or no message");
    }
    Lane& l = m_lanes[lane];
    const std::size_t blocks = md5Pad(l.buffer, l.length);
    std::uint32_t abcd[4];
    for (std::size_t k = 0; k < 4; ++k) {
        abcd[k] = m_state[k * kMaxLanes + lane];
    }
    md5detail::compressBlocks(abcd, l.buffer, blocks);
    for (std::size_t k = 0; k < 4; ++k) {
        m_state[k * kMaxLanes + lane] = abcd[k];
    }
    l = Lane{};
    return laneDigest(lane);
}

Md5Digest MultiMd5::takeDigest(std::size_t lane) {
    if (!digestReady(lane)) {
        throw std::logic_error("MultiMd5: no digest ready in the lane");
    }
    m_lanes[lane] = Lane{};
    return laneDigest(lane);
}

std::vector<Md5Digest> MultiMd5::hashMessages(std::span<const std::span<const std::uint8_t>> messages,
                                              Md5Kernel kernel) {
    std::vector<Md5Digest> digests(messages.size());
    MultiMd5 md5(kernel);
    std::size_t owner[kMaxLanes] = {};
    std::size_t nextMessage = 0;
    std::size_t left = messages.size();
    auto startNext = [&](std::size_t lane) {
        if (nextMessage < messages.size()) {
            md5.start(lane);
            md5.feedLast(lane, messages[nextMessage].data(), messages[nextMessage].size());
            owner[lane] = nextMessage++;
        }
    };
    for (std::size_t lane = 0; lane < md5.laneCount(); ++lane) {
        startNext(lane);
    }
    while (left > 0) {
        md5.run();
        for (std::size_t lane = 0; lane < md5.laneCount(); ++lane) {
            if (md5.digestReady(lane)) {
                digests[owner[lane]] = md5.takeDigest(lane);
                --left;
                startNext(lane);
            }
        }
    }
    return digests;
}

} // namespace yuzhou
