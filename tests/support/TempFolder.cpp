#include "TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace yuzhou::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "yuzhou-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
    if (fs::exists(m_path, ignored)) {
        // Left behind: folders a test made unreadable, or a tree deeper than the path limit
        // that remove_all cannot reach. chmod and rm work by folder handles.
        const std::string command = "chmod -R u+rwx '" + m_path + "' 2>/dev/null; rm -rf '" + m_path + "'";
        [[maybe_unused]] const int status = std::system(command.c_str());
    }
}

std::string TempFolder::operator/(std::string_view relative) const {
    return m_path + "/" + std::string(relative);
}

std::string TempFolder::write(std::string_view relative, std::string_view contents) const {
    const std::string path = *this / relative;
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    return path;
}

std::string TempFolder::writeSparse(std::string_view relative, std::int64_t size) const {
    const std::string path = write(relative);
    if (truncate(path.c_str(), size) != 0) {
        throw std::runtime_error("cannot size " + path);
    }
    return path;
}

std::string TempFolder::makeFolder(std::string_view relative) const {
    const std::string path = *this / relative;
    fs::create_directories(path);
    return path;
}

std::string TempFolder::link(std::string_view relative, std::string_view target) const {
    const std::string path = *this / relative;
    fs::create_directories(fs::path(path).parent_path());
    if (symlink(std::string(target).c_str(), path.c_str()) != 0) {
        throw std::runtime_error("cannot link " + path);
    }
    return path;
}

void setModificationTime(const std::string& path, std::int64_t seconds) {
    const timespec times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
    if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        throw std::runtime_error("cannot set the time of " + path);
    }
}

bool runAsOrdinaryUser(bool (*body)(const std::string&), const std::string& argument) {
    if (geteuid() != 0) {
        return body(argument);
    }
    const pid_t child = fork();
    if (child == 0) {
        const passwd* nobody = getpwnam("nobody");
        const uid_t uid = nobody ? nobody->pw_uid : 65534;
        const gid_t gid = nobody ? nobody->pw_gid : 65534;
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) {
            _exit(3);
        }
        _exit(body(argument) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ScopedTimeZone::ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) {
        m_old = old;
        m_hadOld = true;
    }
    setenv("TZ", zone, 1);
    tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
    if (m_hadOld) {
        setenv("TZ", m_old.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

ScopedCurrentFolder::ScopedCurrentFolder(const std::string& folder) : m_old(fs::current_path().string()) {
    fs::current_path(folder);
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
    std::error_code ignored;
    fs::current_path(m_old, ignored);
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

} // namespace yuzhou::test
