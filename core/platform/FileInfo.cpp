#include "platform/FileInfo.h"

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <optional>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace yuzhou {

namespace {

/// The identity that decides whether a file may be opened for reading. The effective ids
/// do not change while the program runs, so they are read once.
struct ReaderIdentity {
    uid_t uid;
    gid_t gid;
    std::vector<gid_t> groups;

    ReaderIdentity() : uid(geteuid()), gid(getegid()) {
        const int count = getgroups(0, nullptr);
        if (count > 0) {
            groups.resize(static_cast<std::size_t>(count));
            groups.resize(static_cast<std::size_t>(std::max(0, getgroups(count, groups.data()))));
        }
    }

    bool inGroup(gid_t group) const {
        if (group == gid) {
            return true;
        }
        for (gid_t g : groups) {
            if (g == group) {
                return true;
            }
        }
        return false;
    }

    bool mayRead(mode_t mode, uid_t owner, gid_t group) const {
        if (uid == 0) {
            return true;
        }
        if (owner == uid) {
            return (mode & S_IRUSR) != 0;
        }
        if (inGroup(group)) {
            return (mode & S_IRGRP) != 0;
        }
        return (mode & S_IROTH) != 0;
    }
};

/// The identity is read once per process. A child process may change its ids after the
/// fork, so a fork makes the child read them again at its first use (the parent's copy is
/// left to the end of the child: it is small, and may be in use).
std::atomic<const ReaderIdentity*> cachedIdentity{nullptr};

const ReaderIdentity& readerIdentity() {
    static const bool forgetOnFork = [] {
        pthread_atfork(nullptr, nullptr, [] { cachedIdentity.store(nullptr); });
        return true;
    }();
    (void)forgetOnFork;
    const ReaderIdentity* identity = cachedIdentity.load(std::memory_order_acquire);
    if (identity == nullptr) {
        auto* fresh = new ReaderIdentity();
        if (cachedIdentity.compare_exchange_strong(identity, fresh, std::memory_order_acq_rel)) {
            identity = fresh;
        } else {
            delete fresh;
        }
    }
    return *identity;
}

std::optional<FileInfo> statxInfo(int folderFd, const char* name, int flags) {
    struct statx st {};
    constexpr unsigned mask =
        STATX_TYPE | STATX_MODE | STATX_UID | STATX_GID | STATX_SIZE | STATX_MTIME | STATX_BTIME | STATX_INO;
    if (name[0] == '\0' || statx(folderFd, name, flags, mask, &st) != 0) {
        return std::nullopt;
    }
    FileInfo info;
    info.size = static_cast<std::int64_t>(st.stx_size);
    info.modificationTime = st.stx_mtime.tv_sec;
    info.creationTime = (st.stx_mask & STATX_BTIME) ? st.stx_btime.tv_sec : st.stx_mtime.tv_sec;
    info.device = makedev(st.stx_dev_major, st.stx_dev_minor);
    info.inode = st.stx_ino;
    info.isDirectory = S_ISDIR(st.stx_mode);
    info.isRegularFile = S_ISREG(st.stx_mode);
    info.readable = readerIdentity().mayRead(st.stx_mode, st.stx_uid, st.stx_gid);
    return info;
}

} // namespace

std::optional<FileInfo> readFileInfo(const std::string& path) {
    return statxInfo(AT_FDCWD, path.c_str(), AT_STATX_SYNC_AS_STAT);
}

std::optional<FileInfo> readFileInfoAt(int folderFd, const char* name) {
    return statxInfo(folderFd, name, AT_STATX_SYNC_AS_STAT | AT_SYMLINK_NOFOLLOW);
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

std::size_t extensionStart(std::string_view name) {
    std::size_t dot = name.size();
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '.') {
            dot = i;
        } else if (c == ' ' || c == '/') {
            dot = name.size();
        }
    }
    return dot;
}

std::string_view extensionOf(std::string_view name) {
    const std::size_t dot = extensionStart(name);
    return dot < name.size() ? name.substr(dot + 1) : std::string_view{};
}

} // namespace yuzhou
