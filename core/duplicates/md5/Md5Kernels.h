#pragma once

// The block functions behind MultiMd5. Not for use elsewhere: MultiMd5 decides which of them
// this CPU may run.

#include <cstddef>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#define YUZHOU_MD5_X86 1
#endif

namespace yuzhou::md5detail {

/// Columns of the lane state: the state is four rows (a, b, c, d) of this many words, lane i
/// in column i, so that a SIMD kernel loads one row with one instruction.
inline constexpr std::size_t kStateColumns = 16;

/// A lane's state (a, b, c, d) before its message's first block.
inline constexpr std::uint32_t kInitialState[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

/// Hashes `blocks` 64-byte blocks in each lane whose bit is set in `mask`: lane i reads them
/// from lanes[i] onwards (any alignment), and its columns of `state` advance. The other lanes'
/// pointers are not read and their columns do not change.
using BlockFunction = void (*)(std::uint32_t* state, const std::uint8_t* const* lanes, std::size_t blocks,
                               std::uint32_t mask);

/// Hashes `blocks` blocks from `data` into one state (a, b, c, d).
void compressBlocks(std::uint32_t* abcd, const std::uint8_t* data, std::size_t blocks);

/// One lane after another with compressBlocks; any number of lanes up to kStateColumns.
void scalarBlocks(std::uint32_t* state, const std::uint8_t* const* lanes, std::size_t blocks,
                  std::uint32_t mask);

#ifdef YUZHOU_MD5_X86
/// Eight lanes at once; needs AVX2.
void avx2Blocks(std::uint32_t* state, const std::uint8_t* const* lanes, std::size_t blocks,
                std::uint32_t mask);
/// Sixteen lanes at once; needs AVX-512F.
void avx512Blocks(std::uint32_t* state, const std::uint8_t* const* lanes, std::size_t blocks,
                  std::uint32_t mask);
#endif

} // namespace yuzhou::md5detail
