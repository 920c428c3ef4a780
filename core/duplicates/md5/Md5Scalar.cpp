#include "duplicates/md5/Md5Kernels.h"
#include "duplicates/md5/Md5Rounds.h"

#include <bit>

namespace yuzhou::md5detail {

namespace {

struct ScalarOps {
    using Word = std::uint32_t;
    static Word add(Word x, Word y) { return x + y; }
    static Word constant(std::uint32_t k) { return k; }
    static Word f(Word b, Word c, Word d) { return d ^ (b & (c ^ d)); }
    // (b & d) and (c & ~d) have no bit in common: adding them one at a time lets c & ~d go in
    // before b is known.
    static Word addG(Word x, Word b, Word c, Word d) { return (x + (c & ~d)) + (b & d); }
    static Word h(Word b, Word c, Word d) { return b ^ c ^ d; }
    static Word i(Word b, Word c, Word d) { return c ^ (b | ~d); }
    template <int S> static Word rotl(Word x) { return std::rotl(x, S); }
};

// Message words are little-endian whatever the machine; compilers turn this into one load.
std::uint32_t loadLittleEndian(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

} // namespace

void compressBlocks(std::uint32_t* abcd, const std::uint8_t* data, std::size_t blocks) {
    std::uint32_t s[4] = {abcd[0], abcd[1], abcd[2], abcd[3]};
    for (std::size_t block = 0; block < blocks; ++block, data += 64) {
        std::uint32_t m[16];
        for (std::size_t k = 0; k < 16; ++k) {
            m[k] = loadLittleEndian(data + 4 * k);
        }
        const std::uint32_t start[4] = {s[0], s[1], s[2], s[3]};
        md5Rounds<ScalarOps>(s, m);
        for (std::size_t k = 0; k < 4; ++k) {
            s[k] += start[k];
        }
    }
    for (std::size_t k = 0; k < 4; ++k) {
        abcd[k] = s[k];
    }
}

void scalarBlocks(std::uint32_t* state, const std::uint8_t* const* lanes, std::size_t blocks,
                  std::uint32_t mask) {
    for (std::size_t lane = 0; lane < kStateColumns; ++lane) {
        if ((mask >> lane & 1) == 0) {
            continue;
        }
        std::uint32_t abcd[4];
        for (std::size_t k = 0; k < 4; ++k) {
            abcd[k] = state[k * kStateColumns + lane];
        }
        compressBlocks(abcd, lanes[lane], blocks);
        for (std::size_t k = 0; k < 4; ++k) {
            state[k * kStateColumns + lane] = abcd[k];
        }
    }
}

} // namespace yuzhou::md5detail
