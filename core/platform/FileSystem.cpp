#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace yuzhou {

std::string currentFolder() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

namespace {

bool writeAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

mode_t creationMode() {
    // umask can only be read by setting it; put it straight back.
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool writeFileAtomically(const std::string& path, std::string_view contents) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    struct stat old {};
    const mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : creationMode();
    bool ok = fchmod(fd, mode) == 0 && writeAll(fd, contents) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (ok && rename(temporary.c_str(), path.c_str()) == 0) {
        return true;
    }
    unlink(temporary.c_str());
    return false;
}

bool readFilePrefix(const std::string& path, std::size_t limit, std::string& contents) {
    contents.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    char buffer[65536];
    while (contents.size() < limit) {
        const ssize_t got = read(fd, buffer, std::min(sizeof buffer, limit - contents.size()));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return true;
}

bool removeFile(const std::string& path) {
    return unlink(path.c_str()) == 0 || errno == ENOENT;
}

} // namespace yuzhou
