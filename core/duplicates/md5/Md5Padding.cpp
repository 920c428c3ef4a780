#include "duplicates/md5/Md5Padding.h"

#include <cstring>

namespace yuzhou {

std::size_t md5Pad(std::uint8_t* blocks, std::uint64_t messageSize) {
    const std::size_t used = static_cast<std::size_t>(messageSize % 64);
    const std::size_t count = used < 56 ? 1 : 2;
    const std::size_t end = 64 * count;
    blocks[used] = 0x80;
    std::memset(blocks + used + 1, 0, end - 8 - used - 1);
    // Unsigned arithmetic wraps, which is what MD5 asks for: only the low 64 bits of the bit
    // count are kept.
    const std::uint64_t bits = messageSize * 8;
    for (std::size_t i = 0; i < 8; ++i) {
        blocks[end - 8 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    return count;
}

} // namespace yuzhou
