#include "platform/FileOperations.h"

#include "platform/FileDescriptor.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <linux/fs.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace yuzhou {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int renameNoReplace(const char* from, const char* to) {
    return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
}

bool copyContents(int from, int to, off_t size) {
    off_t copied = 0;
    while (copied < size) {
        // copy_file_range lets the kernel (or the file system) move the bytes itself.
        const ssize_t moved =
            copy_file_range(from, nullptr, to, nullptr, static_cast<std::size_t>(size - copied), 0);
        if (moved > 0) {
            copied += moved;
            continue;
        }
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved == 0) {
            return false; // the source ended early
        }
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
            return false;
        }
        // Not offered here: plain reads and writes.
        char buffer[1 << 16];
        while (copied < size) {
            const ssize_t got = read(from, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return false;
            }
            for (ssize_t written = 0; written < got;) {
                const ssize_t put = write(to, buffer + written, static_cast<std::size_t>(got - written));
                if (put < 0 && errno == EINTR) {
                    continue;
                }
                if (put <= 0) {
                    return false;
                }
                written += put;
            }
            copied += got;
        }
    }
    return true;
}

/// Writes a complete copy of `source` under a fresh temporary name in the destination's
/// folder and gives that name; empty when anything fails, and then nothing is left.
std::string writeTemporaryCopy(const std::string& source, const std::string& destination) {
    const FileDescriptor from(open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (from.get() < 0 || fstat(from.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return {};
    }
    std::string temporary = folderOf(destination) + "/." + nameOf(destination) + ".yuzhou-XXXXXX";
    FileDescriptor to(mkostemp(temporary.data(), O_CLOEXEC));
    if (to.get() < 0) {
        return {};
    }
    const timespec times[2] = {st.st_atim, st.st_mtim};
    struct stat written {};
    const bool complete = copyContents(from.get(), to.get(), st.st_size) && fstat(to.get(), &written) == 0 &&
                          written.st_size == st.st_size && fchmod(to.get(), st.st_mode & 07777) == 0 &&
                          futimens(to.get(), times) == 0;
    if (!to.closeNow() || !complete) {
        unlink(temporary.c_str());
        return {};
    }
    return temporary;
}

/// Gives `from` the name `to` unless `to` exists: 0 when done, else the error (EEXIST when
/// the name is taken). Where the file system has no such rename, a hard link, which never
/// replaces either, followed by removing the old name.
int placeNoReplace(const std::string& from, const std::string& to) {
    if (renameNoReplace(from.c_str(), to.c_str()) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    if (link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    if (unlink(from.c_str()) != 0) {
        const int error = errno;
        unlink(to.c_str());
        return error;
    }
    return 0;
}

bool nameTaken(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

} // namespace

TransferOutcome copyFileInto(const std::string& source, const std::string& destination,
                             const std::string& whenTaken) {
    const std::string temporary = writeTemporaryCopy(source, destination);
    if (temporary.empty()) {
        return {nameTaken(destination), false};
    }
    const int placed = placeNoReplace(temporary, destination);
    if (placed == 0) {
        return {false, true};
    }
    if (placed == EEXIST && rename(temporary.c_str(), whenTaken.c_str()) == 0) {
        return {true, true};
    }
    unlink(temporary.c_str());
    return {placed == EEXIST, false};
}

TransferOutcome moveFileInto(const std::string& source, const std::string& destination,
                             const std::string& whenTaken) {
    struct stat st {};
    if (lstat(source.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return {nameTaken(destination), false};
    }
    int placed = placeNoReplace(source, destination);
    if (placed == 0) {
        return {false, true};
    }
    if (placed == EEXIST) {
        placed = placeNoReplace(source, whenTaken);
        if (placed == 0) {
            return {true, true};
        }
        if (placed != EXDEV) {
            return {true, false};
        }
        return {true, moveFileNoReplace(source, whenTaken)};
    }
    if (placed != EXDEV && placed != EPERM) {
        return {nameTaken(destination), false};
    }
    // Another file system: a complete copy, placed without replacing, then the source goes.
    const std::string temporary = writeTemporaryCopy(source, destination);
    if (temporary.empty()) {
        return {nameTaken(destination), false};
    }
    bool collided = false;
    placed = placeNoReplace(temporary, destination);
    if (placed == EEXIST) {
        collided = true;
        placed = placeNoReplace(temporary, whenTaken);
    }
    if (placed != 0) {
        unlink(temporary.c_str());
        return {collided, false};
    }
    if (unlink(source.c_str()) != 0) {
        unlink((collided ? whenTaken : destination).c_str());
        return {collided, false};
    }
    return {collided, true};
}

bool copyFileReplacing(const std::string& source, const std::string& destination) {
    const std::string temporary = writeTemporaryCopy(source, destination);
    if (temporary.empty()) {
        return false;
    }
    if (rename(temporary.c_str(), destination.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool moveFileNoReplace(const std::string& source, const std::string& destination) {
    struct stat st {};
    if (lstat(source.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    if (renameNoReplace(source.c_str(), destination.c_str()) == 0) {
        return true;
    }
    if (errno == EINVAL || errno == ENOSYS) {
        // A file system without the no-replace rename: a hard link cannot replace either.
        if (link(source.c_str(), destination.c_str()) == 0) {
            if (unlink(source.c_str()) == 0) {
                return true;
            }
            unlink(destination.c_str());
            return false;
        }
        if (errno != EXDEV && errno != EPERM) {
            return false;
        }
    } else if (errno != EXDEV) {
        return false; // the destination exists, or the move is not allowed
    }
    // Another file system: a complete copy first, put in place without replacing, and the
    // source removed only then. Should that fail, the copy goes again.
    const std::string temporary = writeTemporaryCopy(source, destination);
    if (temporary.empty()) {
        return false;
    }
    if (renameNoReplace(temporary.c_str(), destination.c_str()) != 0) {
        const bool noRenameNoReplace = errno == EINVAL || errno == ENOSYS;
        if (!noRenameNoReplace || link(temporary.c_str(), destination.c_str()) != 0) {
            unlink(temporary.c_str());
            return false;
        }
        unlink(temporary.c_str());
    }
    if (unlink(source.c_str()) != 0) {
        unlink(destination.c_str());
        return false;
    }
    return true;
}

bool deleteFile(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        return false;
    }
    if (S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return false; // read-only
    }
    return unlink(path.c_str()) == 0;
}

} // namespace yuzhou
