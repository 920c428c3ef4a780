#include "duplicates/md5/Md5Kernels.h"

#ifdef YUZHOU_MD5_X86

#include "duplicates/md5/Md5Rounds.h"

// GCC 12's AVX-512 intrinsics start many results from a deliberately undefined register,
// which its own uninitialised-use check then reports once they are inlined here.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// Built with -mavx512f; called only where the CPU has AVX-512F. Keep other code out of this
// file: anything inline it pulled in would be compiled for AVX-512 too.

namespace yuzhou::md5detail {

namespace {

struct Avx512Ops {
    using Word = __m512i;
    static Word add(Word x, Word y) { return _mm512_add_epi32(x, y); }
    static Word constant(std::uint32_t k) { return _mm512_set1_epi32(static_cast<int>(k)); }
    // Each mixing function is one ternary-logic instruction; the immediate is its truth table.
    static Word f(Word b, Word c, Word d) { return _mm512_ternarylogic_epi32(b, c, d, 0xca); }
    static Word addG(Word x, Word b, Word c, Word d) {
        return add(x, _mm512_ternarylogic_epi32(d, b, c, 0xca));
    }
    static Word h(Word b, Word c, Word d) { return _mm512_ternarylogic_epi32(b, c, d, 0x96); }
    static Word i(Word b, Word c, Word d) { return _mm512_ternarylogic_epi32(b, c, d, 0x39); }
    template <int S> static Word rotl(Word x) { return _mm512_rol_epi32(x, S); }
};

__m128i load128(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Words 4c .. 4c+3 of the sixteen lanes' blocks into m[4c .. 4c+3], lane i in element i. Each
// 128-bit part of a register is filled straight from memory with four words of one lane, so
// only a 4x4 transpose inside the parts is left; that is fewer shuffles than a full 16x16
// transpose of whole-block loads, and faster than gathers.
[[gnu::always_inline]] inline void loadWords(__m512i* m, const std::uint8_t* const* p, int c) {
    __m512i r[4];
    for (int k = 0; k < 4; ++k) {
        __m512i row = _mm512_castsi128_si512(load128(p[k] + 16 * c));
        row = _mm512_inserti32x4(row, load128(p[4 + k] + 16 * c), 1);
        row = _mm512_inserti32x4(row, load128(p[8 + k] + 16 * c), 2);
        r[k] = _mm512_inserti32x4(row, load128(p[12 + k] + 16 * c), 3);
    }
    const __m512i t0 = _mm512_unpacklo_epi32(r[0], r[1]);
    const __m512i t1 = _mm512_unpackhi_epi32(r[0], r[1]);
    const __m512i t2 = _mm512_unpacklo_epi32(r[2], r[3]);
    const __m512i t3 = _mm512_unpackhi_epi32(r[2], r[3]);
    m[4 * c + 0] = _mm512_unpacklo_epi64(t0, t2);
    m[4 * c + 1] = _mm512_unpackhi_epi64(t0, t2);
    m[4 * c + 2] = _mm512_unpacklo_epi64(t1, t3);
    m[4 * c + 3] = _mm512_unpackhi_epi64(t1, t3);
}

// Loads the next block's words a quarter at a time during the steps of the current one. Placed
// after the current block, the loads would wait behind its steps in the processor's window and
// add their time to the block's.
struct LoadNext {
    __m512i* next;
    const std::uint8_t* const* p;

    template <std::size_t Step> [[gnu::always_inline]] void afterStep() {
        if constexpr (Step % 16 == 4) {
            loadWords(next, p, static_cast<int>(Step / 16));
        }
    }
};

alignas(64) constexpr std::uint8_t kIdleBlock[64] = {};

} // namespace

void avx512Blocks(std::uint32_t* state, const std::uint8_t* const* lanes, std::size_t blocks,
                  std::uint32_t mask) {
    if (blocks == 0) {
        return;
    }
    // Idle lanes read a block of zeros that never moves and keep their state: only the active
    // columns are stored at the end.
    const std::uint8_t* p[16];
    for (int j = 0; j < 16; ++j) {
        p[j] = (mask >> j & 1) != 0 ? lanes[j] : kIdleBlock;
    }
    __m512i s[4];
    for (int k = 0; k < 4; ++k) {
        s[k] = _mm512_loadu_si512(state + k * kStateColumns);
    }
    __m512i m[16];
    for (int c = 0; c < 4; ++c) {
        loadWords(m, p, c);
    }
    for (std::size_t block = 0; block < blocks; ++block) {
        // The last block loads the idle block as its "next", so nothing past the input is read.
        const std::uint8_t* q[16];
        for (int j = 0; j < 16; ++j) {
            q[j] = (mask >> j & 1) != 0 && block + 1 < blocks ? p[j] + 64 : kIdleBlock;
        }
        __m512i next[16];
        const __m512i start[4] = {s[0], s[1], s[2], s[3]};
        md5Rounds<Avx512Ops>(s, m, LoadNext{next, q});
        for (int k = 0; k < 4; ++k) {
            s[k] = _mm512_add_epi32(s[k], start[k]);
        }
        for (int k = 0; k < 16; ++k) {
            m[k] = next[k];
        }
        for (int j = 0; j < 16; ++j) {
            p[j] = q[j];
        }
    }
    const __mmask16 store = static_cast<__mmask16>(mask);
    for (int k = 0; k < 4; ++k) {
        _mm512_mask_storeu_epi32(state + k * kStateColumns, store, s[k]);
    }
}

} // namespace yuzhou::md5detail

#endif
