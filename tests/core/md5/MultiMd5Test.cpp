#include "duplicates/md5/MultiMd5.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace yuzhou {

// Test names and failure messages show the kernel by name.
static void PrintTo(Md5Kernel kernel, std::ostream* out) {
    *out << md5KernelName(kernel);
}

namespace {

using Bytes = std::vector<std::uint8_t>;

Md5Digest opensslMd5(const std::uint8_t* data, std::size_t size) {
    Md5Digest digest{};
    unsigned int digestSize = 0;
    EXPECT_EQ(EVP_Digest(data, size, digest.data(), &digestSize, EVP_md5(), nullptr), 1);
    EXPECT_EQ(digestSize, 16u);
    return digest;
}

Md5Digest opensslMd5(const Bytes& message) {
    return opensslMd5(message.data(), message.size());
}

Bytes randomBytes(std::mt19937& random, std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; i += 4) {
        const std::uint32_t word = random();
        std::memcpy(bytes.data() + i, &word, std::min<std::size_t>(4, size - i));
    }
    return bytes;
}

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// The CPU's feature flags as the kernel reports them, to check the run-time detection against.
bool cpuinfoHasFlag(const std::string& flag) {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("flags", 0) == 0) {
            std::istringstream words(line.substr(line.find(':') + 1));
            std::string word;
            while (words >> word) {
                if (word == flag) {
                    return true;
                }
            }
            return false;
        }
    }
    return false;
}

/// Drives a MultiMd5 the way a worker reading files might, but with every decision random: which
/// lane gets a message, the size of each piece, whether a lane is left without input through a
/// run, whether a message ends with feed + finish or with feedLast + takeDigest. Each piece is
/// copied to a buffer at a random misalignment, and the buffer is overwritten as soon as the
/// lane may no longer read it.
class RandomDriver {
public:
    using PieceSize = std::function<std::size_t(std::mt19937&)>;

    RandomDriver(MultiMd5& md5, std::uint32_t seed, PieceSize pieceSize)
        : m_md5(md5), m_random(seed), m_pieceSize(std::move(pieceSize)), m_lanes(md5.laneCount()) {}

    std::vector<Md5Digest> hash(const std::vector<Bytes>& messages) {
        std::vector<Md5Digest> digests(messages.size());
        std::size_t next = 0;
        std::size_t left = messages.size();
        while (left > 0) {
            for (std::size_t lane = 0; lane < m_lanes.size(); ++lane) {
                std::optional<Job>& job = m_lanes[lane];
                if (!job && next < messages.size() && chance(3, 4)) {
                    m_md5.start(lane);
                    job = Job{next++, 0, {}, false};
                }
                if (!job) {
                    EXPECT_FALSE(m_md5.active(lane));
                    continue;
                }
                EXPECT_TRUE(m_md5.active(lane));
                const Bytes& message = messages[job->message];
                if (job->closing) {
                    if (m_md5.digestReady(lane)) {
                        digests[job->message] = m_md5.takeDigest(lane);
                        scribble(job->buffer);
                        job.reset();
                        --left;
                    }
                    continue;
                }
                if (!m_md5.needsInput(lane)) {
                    continue;
                }
                scribble(job->buffer);
                const std::size_t remaining = message.size() - job->fed;
                if (remaining == 0 && chance(1, 2)) {
                    digests[job->message] = m_md5.finish(lane);
                    job.reset();
                    --left;
                    continue;
                }
                if (chance(1, 5)) {
                    continue; // this lane sits out the next run
                }
                const std::size_t piece = std::min(remaining, m_pieceSize(m_random));
                const std::size_t offset = m_random() % 64;
                job->buffer.assign(offset + piece, 0);
                std::copy_n(message.begin() + static_cast<std::ptrdiff_t>(job->fed), piece,
                            job->buffer.begin() + static_cast<std::ptrdiff_t>(offset));
                if (piece == remaining && chance(1, 2)) {
                    m_md5.feedLast(lane, job->buffer.data() + offset, piece);
                    job->closing = true;
                } else {
                    m_md5.feed(lane, job->buffer.data() + offset, piece);
                }
                job->fed += piece;
            }
            runAndCheck();
        }
        return digests;
    }

private:
    struct Job {
        std::size_t message;
        std::size_t fed;
        Bytes buffer;
        bool closing;
    };

    bool chance(unsigned times, unsigned outOf) { return m_random() % outOf < times; }

    static void scribble(Bytes& buffer) { std::fill(buffer.begin(), buffer.end(), std::uint8_t{0xa5}); }

    // run() must stop only when one of the lanes that had input needs more or is done.
    void runAndCheck() {
        std::vector<std::size_t> busy;
        for (std::size_t lane = 0; lane < m_lanes.size(); ++lane) {
            if (m_md5.active(lane) && !m_md5.needsInput(lane) && !m_md5.digestReady(lane)) {
                busy.push_back(lane);
            }
        }
        m_md5.run();
        if (!busy.empty()) {
            EXPECT_TRUE(std::any_of(busy.begin(), busy.end(), [&](std::size_t lane) {
                return m_md5.needsInput(lane) || m_md5.digestReady(lane);
            }));
        }
    }

    MultiMd5& m_md5;
    std::mt19937 m_random;
    PieceSize m_pieceSize;
    std::vector<std::optional<Job>> m_lanes;
};

std::size_t smallPiece(std::mt19937& random) {
    static constexpr std::size_t kSizes[] = {0, 1, 2, 63, 64, 65, 127, 128, 129};
    if (random() % 3 == 0) {
        return random() % 200;
    }
    return kSizes[random() % std::size(kSizes)];
}

std::size_t largePiece(std::mt19937& random) {
    switch (random() % 4) {
    case 0:
        return smallPiece(random);
    case 1:
        return 65536;
    case 2:
        return (1u << 20) + 37;
    default:
        return random() % (1u << 20);
    }
}

class Md5MultiTest : public testing::TestWithParam<Md5Kernel> {
protected:
    void SetUp() override {
        if (!MultiMd5::kernelSupported(GetParam())) {
            GTEST_SKIP() << "this CPU lacks the instructions of the " << md5KernelName(GetParam())
                         << " kernel";
        }
    }
};

TEST_P(Md5MultiTest, LaneCountFitsTheKernel) {
    MultiMd5 md5(GetParam());
    EXPECT_EQ(md5.kernel(), GetParam());
    const std::size_t expected = GetParam() == Md5Kernel::Avx512 ? 16 : GetParam() == Md5Kernel::Avx2 ? 8 : 4;
    EXPECT_EQ(md5.laneCount(), expected);
    for (std::size_t lane = 0; lane < md5.laneCount(); ++lane) {
        EXPECT_FALSE(md5.active(lane));
        EXPECT_FALSE(md5.needsInput(lane));
    }
    EXPECT_THROW(md5.start(md5.laneCount()), std::out_of_range);
}

TEST_P(Md5MultiTest, Rfc1321Vectors) {
    const std::pair<std::string_view, std::string_view> vectors[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    std::vector<Bytes> messages;
    for (const auto& vector : vectors) {
        messages.push_back(bytesOf(vector.first));
    }
    std::vector<std::span<const std::uint8_t>> spans(messages.begin(), messages.end());

    // All at once, ended with feedLast, ...
    const std::vector<Md5Digest> together = MultiMd5::hashMessages(spans, GetParam());
    ASSERT_EQ(together.size(), std::size(vectors));
    // ... and each alone in the last lane, ended with finish.
    MultiMd5 md5(GetParam());
    const std::size_t lane = md5.laneCount() - 1;
    for (std::size_t i = 0; i < std::size(vectors); ++i) {
        SCOPED_TRACE(std::string(vectors[i].first));
        EXPECT_EQ(md5Text(together[i]), vectors[i].second);
        md5.start(lane);
        md5.feed(lane, messages[i].data(), messages[i].size());
        md5.run();
        ASSERT_TRUE(md5.needsInput(lane));
        EXPECT_EQ(md5Text(md5.finish(lane)), vectors[i].second);
        EXPECT_FALSE(md5.active(lane));
    }
}

TEST_P(Md5MultiTest, EveryLengthUpTo300InRandomPieces) {
    std::mt19937 random(300);
    std::vector<Bytes> messages;
    for (std::size_t size = 0; size <= 300; ++size) {
        messages.push_back(randomBytes(random, size));
    }
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        MultiMd5 md5(GetParam());
        const std::vector<Md5Digest> digests = RandomDriver(md5, seed, smallPiece).hash(messages);
        for (std::size_t size = 0; size <= 300; ++size) {
            EXPECT_EQ(md5Text(digests[size]), md5Text(opensslMd5(messages[size]))) << "length " << size;
        }
    }
}

TEST_P(Md5MultiTest, MessagesOfSeveralMegabytesInRandomPieces) {
    // Made once for all kernels: under the sanitizers, making them costs more than hashing them.
    static const std::vector<Bytes> messages = [] {
        std::mt19937 random(4);
        std::vector<Bytes> made;
        for (std::size_t size : {(3u << 20) + 17, (2u << 20) + 64, (5u << 20) - 1, 200'000u, 70'000u}) {
            made.push_back(randomBytes(random, size));
        }
        return made;
    }();
    MultiMd5 md5(GetParam());
    const std::vector<Md5Digest> digests = RandomDriver(md5, 5, largePiece).hash(messages);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(md5Text(digests[i]), md5Text(opensslMd5(messages[i]))) << "length " << messages[i].size();
    }
}

TEST_P(Md5MultiTest, HashMessagesCoversMoreMessagesThanLanes) {
    std::mt19937 random(6);
    std::vector<Bytes> messages;
    for (std::size_t i = 0; i < 100; ++i) {
        messages.push_back(randomBytes(random, random() % 5000));
    }
    std::vector<std::span<const std::uint8_t>> spans(messages.begin(), messages.end());
    const std::vector<Md5Digest> digests = MultiMd5::hashMessages(spans, GetParam());
    ASSERT_EQ(digests.size(), messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(digests[i], opensslMd5(messages[i])) << "message " << i;
    }
    EXPECT_TRUE(MultiMd5::hashMessages({}, GetParam()).empty());
}

TEST_P(Md5MultiTest, RunStopsWhenTheShortestInputIsUsedUp) {
    MultiMd5 md5(GetParam());
    std::mt19937 random(7);
    const Bytes longer = randomBytes(random, 10 * 64);
    const Bytes shorter = randomBytes(random, 3 * 64 + 10);
    md5.start(0);
    md5.start(1);
    md5.feed(0, longer.data(), longer.size());
    md5.feed(1, shorter.data(), shorter.size());
    md5.run();
    EXPECT_FALSE(md5.needsInput(0));
    EXPECT_TRUE(md5.needsInput(1));
    md5.run(); // only lane 0 has input now
    EXPECT_TRUE(md5.needsInput(0));
    EXPECT_EQ(md5.finish(0), opensslMd5(longer));
    EXPECT_EQ(md5.finish(1), opensslMd5(shorter));
    md5.run(); // no lane has input: returns at once
}

TEST_P(Md5MultiTest, LanesFinishAndRestartWhileOthersRun) {
    MultiMd5 md5(GetParam());
    std::mt19937 random(8);
    const Bytes longMessage = randomBytes(random, 512 << 10);
    std::vector<Bytes> shortMessages;
    std::vector<Md5Digest> shortDigests;
    md5.start(0);
    std::size_t fed = 0;
    const std::size_t others = md5.laneCount() - 1;
    std::vector<Bytes> current(md5.laneCount());
    for (std::size_t round = 0; fed < longMessage.size(); ++round) {
        if (md5.needsInput(0)) {
            const std::size_t piece = std::min<std::size_t>(4096 + 3, longMessage.size() - fed);
            md5.feed(0, longMessage.data() + fed, piece);
            fed += piece;
        }
        for (std::size_t lane = 1; lane <= others; ++lane) {
            if (!md5.active(lane)) {
                current[lane] = randomBytes(random, random() % 3000);
                md5.start(lane);
                md5.feed(lane, current[lane].data(), current[lane].size());
            } else if (md5.needsInput(lane)) {
                shortMessages.push_back(current[lane]);
                shortDigests.push_back(md5.finish(lane));
            }
        }
        // Now and then a lane is started afresh in the middle of its message: the old one is dropped.
        if (others > 0 && round % 7 == 3) {
            const std::size_t lane = 1 + round % others;
            current[lane] = randomBytes(random, 100 + round);
            md5.start(lane);
            md5.feed(lane, current[lane].data(), current[lane].size());
        }
        md5.run();
    }
    while (!md5.needsInput(0)) {
        md5.run();
    }
    EXPECT_EQ(md5.finish(0), opensslMd5(longMessage));
    EXPECT_GT(shortMessages.size(), 10u * others);
    for (std::size_t i = 0; i < shortMessages.size(); ++i) {
        EXPECT_EQ(shortDigests[i], opensslMd5(shortMessages[i])) << "message " << i;
    }
}

TEST_P(Md5MultiTest, LaneWithoutInputKeepsItsStateThroughManyRuns) {
    MultiMd5 md5(GetParam());
    std::mt19937 random(9);
    const Bytes waiting = randomBytes(random, 1000);
    const std::size_t waitingLane = md5.laneCount() / 2;
    md5.start(waitingLane);
    md5.feed(waitingLane, waiting.data(), 100); // one block hashed, 36 bytes kept
    md5.run();
    ASSERT_TRUE(md5.needsInput(waitingLane));
    for (int round = 0; round < 50; ++round) {
        std::vector<Bytes> messages(md5.laneCount());
        for (std::size_t lane = 0; lane < md5.laneCount(); ++lane) {
            if (lane != waitingLane) {
                messages[lane] = randomBytes(random, 64 * (1 + random() % 8) + random() % 64);
                md5.start(lane);
                md5.feedLast(lane, messages[lane].data(), messages[lane].size());
            }
        }
        for (std::size_t lane = 0; lane < md5.laneCount(); ++lane) {
            if (lane == waitingLane) {
                continue;
            }
            while (!md5.digestReady(lane)) {
                md5.run();
            }
            EXPECT_EQ(md5.takeDigest(lane), opensslMd5(messages[lane])) << "lane " << lane;
        }
        EXPECT_TRUE(md5.needsInput(waitingLane));
    }
    md5.feed(waitingLane, waiting.data() + 100, waiting.size() - 100);
    md5.run();
    EXPECT_EQ(md5.finish(waitingLane), opensslMd5(waiting));
}

TEST_P(Md5MultiTest, UnalignedInputInEveryLane) {
    MultiMd5 md5(GetParam());
    std::mt19937 random(10);
    const Bytes message = randomBytes(random, 64 * 40 + 64);
    const Md5Digest expected = opensslMd5(message.data() + 64, 64 * 40);
    // Every lane hashes the same bytes, each from its own copy at another distance from alignment.
    std::vector<Bytes> copies(md5.laneCount());
    for (std::size_t lane = 0; lane < md5.laneCount(); ++lane) {
        copies[lane].assign(lane + 64 * 40, 0);
        std::copy(message.begin() + 64, message.end(),
                  copies[lane].begin() + static_cast<std::ptrdiff_t>(lane));
        md5.start(lane);
        md5.feed(lane, copies[lane].data() + lane, 64 * 40);
    }
    md5.run();
    for (std::size_t lane = 0; lane < md5.laneCount(); ++lane) {
        ASSERT_TRUE(md5.needsInput(lane));
        EXPECT_EQ(md5.finish(lane), expected) << "lane " << lane;
    }
}

TEST_P(Md5MultiTest, RefusesCallsOutOfTurn) {
    MultiMd5 md5(GetParam());
    const Bytes message(200, 7);
    EXPECT_THROW(md5.feed(0, message.data(), message.size()), std::logic_error); // not started
    EXPECT_THROW(md5.finish(0), std::logic_error);
    md5.start(0);
    md5.feed(0, message.data(), message.size());
    EXPECT_THROW(md5.feed(0, message.data(), 1), std::logic_error); // input not used up
    EXPECT_THROW(md5.finish(0), std::logic_error);
    EXPECT_THROW(md5.takeDigest(0), std::logic_error);
    md5.run();
    md5.feedLast(0, nullptr, 0);
    EXPECT_FALSE(md5.needsInput(0));
    EXPECT_THROW(md5.feed(0, message.data(), 1), std::logic_error); // the message is closed
    md5.run();
    ASSERT_TRUE(md5.digestReady(0));
    EXPECT_EQ(md5.takeDigest(0), opensslMd5(message));
    EXPECT_FALSE(md5.active(0));
}

INSTANTIATE_TEST_SUITE_P(Md5, Md5MultiTest,
                         testing::Values(Md5Kernel::Scalar, Md5Kernel::Avx2, Md5Kernel::Avx512),
                         [](const testing::TestParamInfo<Md5Kernel>& info) {
                             return std::string(md5KernelName(info.param));
                         });

TEST(Md5Kernels, DetectionAgreesWithTheCpuFlags) {
    EXPECT_TRUE(MultiMd5::kernelSupported(Md5Kernel::Scalar));
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_EQ(MultiMd5::kernelSupported(Md5Kernel::Avx2), cpuinfoHasFlag("avx2"));
    EXPECT_EQ(MultiMd5::kernelSupported(Md5Kernel::Avx512), cpuinfoHasFlag("avx512f"));
#endif
    const Md5Kernel best = MultiMd5::bestKernel();
    EXPECT_TRUE(MultiMd5::kernelSupported(best));
    if (MultiMd5::kernelSupported(Md5Kernel::Avx512)) {
        EXPECT_EQ(best, Md5Kernel::Avx512);
    } else if (MultiMd5::kernelSupported(Md5Kernel::Avx2)) {
        EXPECT_EQ(best, Md5Kernel::Avx2);
    }
    EXPECT_EQ(MultiMd5().kernel(), best);
}

} // namespace
} // namespace yuzhou
