#pragma once

// The 64 steps of MD5's compression (RFC 1321, section 3.4), written once for every word type
// the kernels use: a plain 32-bit word, or a SIMD register holding one word of each lane.
//
// Included only by the kernel sources. Each kernel instantiates these templates with an
// operations type of its own, declared in an unnamed namespace, so the instantiations stay
// local to the kernel's object file and never mix code built for different instruction sets.

#include <cstddef>
#include <cstdint>
#include <utility>

namespace yuzhou::md5detail {

/// The sine table: the integer part of 2^32 * |sin(i + 1)|.
inline constexpr std::uint32_t kSineTable[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

inline constexpr int kRotations[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

/// Which message word step `step` adds.
constexpr std::size_t messageWord(std::size_t step) {
    switch (step / 16) {
    case 0:
        return step;
    case 1:
        return (5 * step + 1) % 16;
    case 2:
        return (3 * step + 5) % 16;
    default:
        return (7 * step) % 16;
    }
}

// Ops provides: Word; add(x, y); constant(k) (k in every element); f, h and i of (b, c, d);
// addG(x, b, c, d), which is x + g(b, c, d) (a kernel may split g to shorten the wait for b);
// rotl<S>(x).
template <class Ops, std::size_t Step>
[[gnu::always_inline]] inline void md5Step(typename Ops::Word* s, const typename Ops::Word* m) {
    using Word = typename Ops::Word;
    // The roles of the four state words turn by one each step, so instead of moving values
    // the step picks which of them plays a, b, c and d.
    Word& a = s[(4 - Step % 4) % 4];
    const Word b = s[(5 - Step % 4) % 4];
    const Word c = s[(6 - Step % 4) % 4];
    const Word d = s[(7 - Step % 4) % 4];
    constexpr std::size_t round = Step / 16;
    // a, the message word and the constant do not depend on the previous step, so they are
    // summed first; only the mixing function waits for b.
    const Word early = Ops::add(a, Ops::add(m[messageWord(Step)], Ops::constant(kSineTable[Step])));
    Word sum;
    if constexpr (round == 0) {
        sum = Ops::add(early, Ops::f(b, c, d));
    } else if constexpr (round == 1) {
        sum = Ops::addG(early, b, c, d);
    } else if constexpr (round == 2) {
        sum = Ops::add(early, Ops::h(b, c, d));
    } else {
        sum = Ops::add(early, Ops::i(b, c, d));
    }
    a = Ops::add(b, Ops::template rotl<kRotations[round][Step % 4]>(sum));
}

template <class Ops, class Between, std::size_t... Steps>
[[gnu::always_inline]] inline void md5Steps(typename Ops::Word* s, const typename Ops::Word* m,
                                            Between& between, std::index_sequence<Steps...>) {
    ((md5Step<Ops, Steps>(s, m), between.template afterStep<Steps>()), ...);
}

namespace {
/// Nothing to do between the steps. (In an unnamed namespace, like the kernels' types: each
/// kernel's object file keeps its own copy.)
struct NoWork {
    template <std::size_t Step> void afterStep() {}
};
} // namespace

/// Runs the 64 steps over the message words m[0..15] on the state s[0..3] (a, b, c, d). The
/// caller adds the state it started from afterwards. `between.afterStep<i>()` runs after step i:
/// work placed there (loading the next block) overlaps the steps, which leave much of the
/// processor idle while each waits for the one before.
template <class Ops, class Between = NoWork>
[[gnu::always_inline]] inline void md5Rounds(typename Ops::Word* s, const typename Ops::Word* m,
                                             Between&& between = Between{}) {
    md5Steps<Ops>(s, m, between, std::make_index_sequence<64>{});
}

} // namespace yuzhou::md5detail
