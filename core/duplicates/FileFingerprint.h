#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace yuzhou {

/// What reading a whole file told: its fingerprint, and the identity and state of the
/// file at that moment, so a later command can tell whether it is still the same file.
struct FileFingerprint {
    std::string digestText; // 32 lowercase hex digits of the MD5 of the whole content
    std::int64_t size = 0;
    std::int64_t modificationTimeNs = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

/// Bytes read from a file at a time.
inline constexpr std::size_t kFingerprintPiece = 5u << 20;

/// Reads a whole file and gives its fingerprint. Nothing (in bounded time) when the file
/// cannot be opened or read, when it ends before `expectedSize` bytes or holds more, when
/// it changed while it was read, or when `cancel` is set.
std::optional<FileFingerprint> fingerprintFile(const std::string& path, std::int64_t expectedSize,
                                               const std::atomic<bool>* cancel = nullptr);

/// The state of a file now, to compare with the one its fingerprint recorded.
struct FileState {
    std::int64_t size = 0;
    std::int64_t modificationTimeNs = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};
std::optional<FileState> currentFileState(const std::string& path);

} // namespace yuzhou
