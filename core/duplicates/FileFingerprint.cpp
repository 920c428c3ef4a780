#include "duplicates/FileFingerprint.h"

#include "duplicates/md5/Md5Context.h"
#include "platform/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace yuzhou {

namespace {

std::int64_t modificationNs(const struct stat& st) {
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

} // namespace

std::optional<FileFingerprint> fingerprintFile(const std::string& path, std::int64_t expectedSize,
                                               const std::atomic<bool>* cancel) {
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    struct stat before {};
    if (file.get() < 0 || fstat(file.get(), &before) != 0 || !S_ISREG(before.st_mode) ||
        before.st_size != expectedSize) {
        return std::nullopt;
    }
    posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    // One buffer per thread, reused: memory stays bounded whatever the file's size.
    thread_local std::unique_ptr<char[]> buffer(new char[kFingerprintPiece]);
    Md5Context md5;
    md5.init();
    std::int64_t total = 0;
    while (total < expectedSize) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
            return std::nullopt;
        }
        const auto wanted = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(kFingerprintPiece), expectedSize - total));
        const ssize_t got = read(file.get(), buffer.get(), wanted);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return std::nullopt; // a read error, or the file ended early
        }
        md5.update(buffer.get(), static_cast<std::size_t>(got));
        total += got;
    }
    // A file that grew or was rewritten while it was read has no single content to name.
    struct stat after {};
    char extra = 0;
    if (fstat(file.get(), &after) != 0 || after.st_size != expectedSize ||
        modificationNs(after) != modificationNs(before) || read(file.get(), &extra, 1) != 0) {
        return std::nullopt;
    }
    md5.finish();
    return FileFingerprint{md5.digestText(), expectedSize, modificationNs(before), before.st_dev,
                           before.st_ino};
}

std::optional<FileState> currentFileState(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return FileState{st.st_size, modificationNs(st), st.st_dev, st.st_ino};
}

} // namespace yuzhou
