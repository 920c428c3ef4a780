// Single-thread throughput of MD5 over messages in memory: OpenSSL's EVP stream, one message
// after another, against MultiMd5 with each kernel this CPU runs.
//
//   yuzhou-md5-bench [--repeat N]
//
// Each figure is the best of N runs (default 3), in GB/s (10^9 bytes per second) on one core.

#include "duplicates/md5/Md5Context.h"
#include "duplicates/md5/MultiMd5.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace yuzhou;
using Messages = std::vector<std::span<const std::uint8_t>>;

struct Workload {
    const char* name;
    std::size_t count;
    std::size_t size;
};

double bestSeconds(int repeat, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < repeat; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(end - begin).count());
    }
    return best;
}

std::vector<Md5Digest> opensslDigests(const Messages& messages) {
    std::vector<Md5Digest> digests;
    Md5Context md5;
    for (const auto& message : messages) {
        md5.init();
        md5.update(message.data(), message.size());
        md5.finish();
        digests.push_back(md5.digest());
    }
    return digests;
}

// The way a file-reading worker would go: every lane gets its message in pieces of `piece`
// bytes and ends it with finish (`useFinish`) or with feedLast. With `copy`, each piece is first
// copied into a buffer of the lane's own, as read() would bring it from the page cache.
std::vector<Md5Digest> streamed(const Messages& messages, Md5Kernel kernel, std::size_t piece, bool useFinish,
                                bool copy) {
    std::vector<Md5Digest> digests(messages.size());
    MultiMd5 md5(kernel);
    std::vector<std::size_t> owner(md5.laneCount());
    std::vector<std::size_t> fed(md5.laneCount());
    std::vector<std::vector<std::uint8_t>> buffers(copy ? md5.laneCount() : 0,
                                                   std::vector<std::uint8_t>(piece));
    std::size_t next = 0;
    std::size_t left = messages.size();
    while (left > 0) {
        for (std::size_t lane = 0; lane < md5.laneCount(); ++lane) {
            if (md5.digestReady(lane)) {
                digests[owner[lane]] = md5.takeDigest(lane);
                --left;
            }
            if (!md5.active(lane)) {
                if (next == messages.size()) {
                    continue;
                }
                owner[lane] = next++;
                fed[lane] = 0;
                md5.start(lane);
            }
            if (!md5.needsInput(lane)) {
                continue;
            }
            const auto& message = messages[owner[lane]];
            const std::size_t size = std::min(piece, message.size() - fed[lane]);
            if (size == 0 && useFinish) {
                digests[owner[lane]] = md5.finish(lane);
                --left;
                --lane; // let the lane take its next message in this round
                continue;
            }
            const std::uint8_t* data = message.data() + fed[lane];
            if (copy) {
                std::memcpy(buffers[lane].data(), data, size);
                data = buffers[lane].data();
            }
            if (fed[lane] + size == message.size() && !useFinish) {
                md5.feedLast(lane, data, size);
            } else {
                md5.feed(lane, data, size);
            }
            fed[lane] += size;
        }
        md5.run();
    }
    return digests;
}

} // namespace

int main(int argc, char** argv) {
    int repeat = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: %s [--repeat N]\n", argv[0]);
            return 2;
        }
    }

    const Workload workloads[] = {
        {"16 x 64 MiB", 16, std::size_t{64} << 20},
        {"4096 x 16 KiB", 4096, std::size_t{16} << 10},
    };
    std::vector<Md5Kernel> kernels;
    for (Md5Kernel kernel : {Md5Kernel::Scalar, Md5Kernel::Avx2, Md5Kernel::Avx512}) {
        if (MultiMd5::kernelSupported(kernel)) {
            kernels.push_back(kernel);
        }
    }

    bool allMatch = true;
    std::printf("%-15s %-40s %8s\n", "messages", "hasher", "GB/s");
    for (const Workload& workload : workloads) {
        std::vector<std::uint8_t> data(workload.count * workload.size);
        std::mt19937_64 random(42);
        for (std::size_t i = 0; i < data.size(); i += 8) {
            const std::uint64_t word = random();
            std::memcpy(data.data() + i, &word, std::min<std::size_t>(8, data.size() - i));
        }
        Messages messages;
        for (std::size_t i = 0; i < workload.count; ++i) {
            messages.emplace_back(data.data() + i * workload.size, workload.size);
        }
        const double bytes = static_cast<double>(data.size());
        auto report = [&](const std::string& hasher, const std::function<std::vector<Md5Digest>()>& hash,
                          const std::vector<Md5Digest>* expected) {
            std::vector<Md5Digest> digests;
            const double seconds = bestSeconds(repeat, [&] { digests = hash(); });
            const bool match = expected == nullptr || digests == *expected;
            allMatch = allMatch && match;
            std::printf("%-15s %-40s %8.2f%s\n", workload.name, hasher.c_str(), bytes / seconds / 1e9,
                        match ? "" : "  WRONG DIGESTS");
            std::fflush(stdout);
        };

        const std::vector<Md5Digest> expected = opensslDigests(messages);
        report(
            "openssl evp, one stream", [&] { return opensslDigests(messages); }, nullptr);
        for (Md5Kernel kernel : kernels) {
            const std::string name = "multi " + std::string(md5KernelName(kernel));
            report(
                name + ", whole, feedLast", [&] { return MultiMd5::hashMessages(messages, kernel); },
                &expected);
            const std::size_t piece = std::min<std::size_t>(workload.size, 256 << 10);
            report(
                name + ", " + std::to_string(piece >> 10) + " KiB, finish",
                [&] { return streamed(messages, kernel, piece, true, false); }, &expected);
        }
        if (workload.count <= 16) {
            // What a reader's piece size costs: every piece copied into the lane's buffer first.
            const Md5Kernel best = MultiMd5::bestKernel();
            for (std::size_t piece : {16u << 10, 64u << 10, 128u << 10, 256u << 10, 1u << 20, 4u << 20}) {
                report(
                    "multi " + std::string(md5KernelName(best)) + ", copied " + std::to_string(piece >> 10) +
                        " KiB pieces",
                    [&] { return streamed(messages, best, piece, true, true); }, &expected);
            }
        }
    }
    return allMatch ? 0 : 1;
}
