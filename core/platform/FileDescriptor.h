#pragma once

#include <unistd.h>

namespace yuzhou {

/// An open file descriptor, closed when the object goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    /// Closes now and tells whether closing worked (a late write error shows here).
    bool closeNow() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || close(fd) == 0;
    }

private:
    int m_fd;
};

} // namespace yuzhou
