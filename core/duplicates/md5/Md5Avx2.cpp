#include "duplicates/md5/Md5Kernels.h"

#ifdef YUZHOU_MD5_X86

#include "duplicates/md5/Md5Rounds.h"

#include <immintrin.h>

// Built with -mavx2; called only where the CPU has AVX2. Keep other code out of this file:
// anything inline it pulled in would be compiled for AVX2 too.

namespace yuzhou::md5detail {

namespace {

struct Avx2Ops {
    using Word = __m256i;
    static Word add(Word x, Word y) { return _mm256_add_epi32(x, y); }
    static Word constant(std::uint32_t k) { return _mm256_set1_epi32(static_cast<int>(k)); }
    // Written so that b, the word the previous step produced, goes through as few
    // instructions as possible.
    static Word f(Word b, Word c, Word d) {
        return _mm256_xor_si256(d, _mm256_and_si256(b, _mm256_xor_si256(c, d)));
    }
    // (b & d) and (c & ~d) have no bit in common, so g is their sum: c & ~d is added while b is
    // still being computed, and b then passes through one and and one add.
    static Word addG(Word x, Word b, Word c, Word d) {
        return add(add(x, _mm256_andnot_si256(d, c)), _mm256_and_si256(b, d));
    }
    static Word h(Word b, Word c, Word d) { return _mm256_xor_si256(b, _mm256_xor_si256(c, d)); }
    static Word i(Word b, Word c, Word d) {
        return _mm256_xor_si256(c, _mm256_or_si256(b, _mm256_xor_si256(d, _mm256_set1_epi32(-1))));
    }
    template <int S> static Word rotl(Word x) {
        return _mm256_or_si256(_mm256_slli_epi32(x, S), _mm256_srli_epi32(x, 32 - S));
    }
};

// Word k of every lane's block into m[k], lane i in element i. Each 128-bit half of a register
// is filled straight from memory with four words of one lane, so only a 4x4 transpose inside
// the halves is left: fewer shuffles, and no slow lane-crossing ones, than transposing whole
// 32-byte loads.
[[gnu::always_inline]] inline void loadBlocks(__m256i* m, const std::uint8_t* const* p) {
    for (int c = 0; c < 4; ++c) {
        __m256i r[4];
        for (int k = 0; k < 4; ++k) {
            const __m256i row =
                _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p[k] + 16 * c)));
            r[k] = _mm256_inserti128_si256(
                row, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p[4 + k] + 16 * c)), 1);
        }
        const __m256i t0 = _mm256_unpacklo_epi32(r[0], r[1]);
        const __m256i t1 = _mm256_unpackhi_epi32(r[0], r[1]);
        const __m256i t2 = _mm256_unpacklo_epi32(r[2], r[3]);
        const __m256i t3 = _mm256_unpackhi_epi32(r[2], r[3]);
        m[4 * c + 0] = _mm256_unpacklo_epi64(t0, t2);
        m[4 * c + 1] = _mm256_unpackhi_epi64(t0, t2);
        m[4 * c + 2] = _mm256_unpacklo_epi64(t1, t3);
        m[4 * c + 3] = _mm256_unpackhi_epi64(t1, t3);
    }
}

alignas(64) constexpr std::uint8_t kIdleBlock[64] = {};

} // namespace

void avx2Blocks(std::uint32_t* state, const std::uint8_t* const* lanes, std::size_t blocks,
                std::uint32_t mask) {
    // Idle lanes read a block of zeros that never moves and keep their state: only the active
    // columns are stored at the end.
    const std::uint8_t* p[8];
    std::size_t stride[8];
    for (int j = 0; j < 8; ++j) {
        const bool on = (mask >> j & 1) != 0;
        p[j] = on ? lanes[j] : kIdleBlock;
        stride[j] = on ? 64 : 0;
    }
    __m256i s[4];
    for (int k = 0; k < 4; ++k) {
        s[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(state + k * kStateColumns));
    }
    for (std::size_t block = 0; block < blocks; ++block) {
        __m256i m[16];
        loadBlocks(m, p);
        const __m256i start[4] = {s[0], s[1], s[2], s[3]};
        md5Rounds<Avx2Ops>(s, m);
        for (int k = 0; k < 4; ++k) {
            s[k] = _mm256_add_epi32(s[k], start[k]);
        }
        for (int j = 0; j < 8; ++j) {
            p[j] += stride[j];
        }
    }
    const __m256i bits = _mm256_setr_epi32(1, 2, 4, 8, 16, 32, 64, 128);
    const __m256i store =
        _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_set1_epi32(static_cast<int>(mask)), bits), bits);
    for (int k = 0; k < 4; ++k) {
        _mm256_maskstore_epi32(reinterpret_cast<int*>(state + k * kStateColumns), store, s[k]);
    }
}

} // namespace yuzhou::md5detail

#endif
