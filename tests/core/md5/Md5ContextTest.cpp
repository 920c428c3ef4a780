#include "duplicates/md5/Md5Context.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace yuzhou {
namespace {

struct Vector {
    std::string_view message;
    std::string_view digest;
};

// The test suite of RFC 1321, appendix A.5.
constexpr Vector kRfc1321Vectors[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

Md5Digest opensslMd5(const std::vector<std::uint8_t>& message) {
    Md5Digest digest{};
    unsigned int size = 0;
    EXPECT_EQ(EVP_Digest(message.data(), message.size(), digest.data(), &size, EVP_md5(), nullptr), 1);
    EXPECT_EQ(size, 16u);
    return digest;
}

TEST(Md5Digest, TextIsTwoLowercaseHexDigitsPerByte) {
    const Md5Digest digest = {0x00, 0x01, 0x0f, 0x10, 0x7f, 0x80, 0x9a, 0xab,
                              0xbc, 0xcd, 0xde, 0xef, 0xf0, 0xfe, 0xff, 0x5a};
    EXPECT_EQ(md5Text(digest), "00010f107f809aabbccddeeff0feff5a");
    EXPECT_EQ(md5Text(Md5Digest{}), std::string(32, '0'));
}

TEST(Md5Context, Rfc1321Vectors) {
    Md5Context md5;
    for (const Vector& v : kRfc1321Vectors) {
        SCOPED_TRACE(std::string(v.message));
        md5.init();
        md5.update(v.message.data(), v.message.size());
        md5.finish();
        EXPECT_EQ(md5.digestText(), v.digest);
        EXPECT_EQ(md5Text(md5.digest()), v.digest);
    }
}

TEST(Md5Context, PiecesGiveTheDigestOfTheWhole) {
    std::mt19937 random(1321);
    std::vector<std::uint8_t> message(100'000);
    for (std::uint8_t& byte : message) {
        byte = static_cast<std::uint8_t>(random());
    }
    Md5Context md5;
    std::size_t done = 0;
    while (done < message.size()) {
        const std::size_t piece = std::min<std::size_t>(message.size() - done, random() % 5000);
        md5.update(message.data() + done, piece);
        done += piece;
    }
    md5.finish();
    EXPECT_EQ(md5.digest(), opensslMd5(message));
}

TEST(Md5Context, InitEmptiesTheTextAndStartsAnewMessage) {
    Md5Context md5;
    EXPECT_EQ(md5.digestText(), "");
    md5.update("abc", 3);
    md5.finish();
    EXPECT_EQ(md5.digestText(), "900150983cd24fb0d6963f7d28e17f72");
    md5.init();
    EXPECT_EQ(md5.digestText(), "");
    md5.update("a", 1);
    md5.finish();
    EXPECT_EQ(md5.digestText(), "0cc175b9c0f1b6a831c399e269772661");
}

TEST(Md5Context, MovedContextGoesOnWithTheMessage) {
    Md5Context first;
    first.update("message ", 8);
    Md5Context second(std::move(first));
    second.update("digest", 6);
    Md5Context third;
    third = std::move(second);
    third.finish();
    EXPECT_EQ(third.digestText(), "f96b697d7cb7938d525a2f31aaf161d0");

    // A moved-from context is usable again after init.
    first.init();
    first.finish();
    EXPECT_EQ(first.digestText(), "d41d8cd98f00b204e9800998ecf8427e");
}

} // namespace
} // namespace yuzhou
