#include "duplicates/md5/Md5Padding.h"

#include <array>
#include <gtest/gtest.h>

namespace yuzhou {
namespace {

TEST(Md5Padding, MarkerZerosAndBitCountForEveryTailLength) {
    struct Case {
        std::uint64_t size;
        std::size_t blocks;
        std::array<std::uint8_t, 8> bitCount; // little-endian, as it must end the padding
    };
    const Case cases[] = {
        {0, 1, {0, 0, 0, 0, 0, 0, 0, 0}},
        {1, 1, {0x08, 0, 0, 0, 0, 0, 0, 0}},
        {55, 1, {0xb8, 0x01, 0, 0, 0, 0, 0, 0}},               // 440 bits: the last length that fits
        {56, 2, {0xc0, 0x01, 0, 0, 0, 0, 0, 0}},               // 448 bits: the length spills over
        {63, 2, {0xf8, 0x01, 0, 0, 0, 0, 0, 0}},               // 504
        {64, 1, {0x00, 0x02, 0, 0, 0, 0, 0, 0}},               // 512
        {119, 1, {0xb8, 0x03, 0, 0, 0, 0, 0, 0}},              // 952
        {120, 2, {0xc0, 0x03, 0, 0, 0, 0, 0, 0}},              // 960
        {(1ull << 32) + 5, 1, {0x28, 0, 0, 0, 0x08, 0, 0, 0}}, // 2^35 + 40 bits: above 32 bits
        {(1ull << 61) + 3, 1, {0x18, 0, 0, 0, 0, 0, 0, 0}},    // 2^64 + 24 bits: only the low 64 bits stay
        {~0ull, 2, {0xf8, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}}, // (2^64 - 1) * 8 mod 2^64
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const std::size_t used = static_cast<std::size_t>(c.size % 64);
        std::array<std::uint8_t, 129> blocks;
        blocks.fill(0x5c);
        for (std::size_t i = 0; i < used; ++i) {
            blocks[i] = static_cast<std::uint8_t>(i + 1);
        }
        ASSERT_EQ(md5Pad(blocks.data(), c.size), c.blocks);
        const std::size_t end = 64 * c.blocks;
        for (std::size_t i = 0; i < used; ++i) {
            EXPECT_EQ(blocks[i], i + 1) << "message byte " << i;
        }
        EXPECT_EQ(blocks[used], 0x80);
        for (std::size_t i = used + 1; i < end - 8; ++i) {
            EXPECT_EQ(blocks[i], 0) << "padding byte " << i;
        }
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(blocks[end - 8 + i], c.bitCount[i]) << "length byte " << i;
        }
        for (std::size_t i = end; i < blocks.size(); ++i) {
            EXPECT_EQ(blocks[i], 0x5c) << "byte " << i << " lies beyond the padding";
        }
    }
}

} // namespace
} // namespace yuzhou
