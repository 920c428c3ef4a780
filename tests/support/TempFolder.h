#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace yuzhou::test {

/// A fresh folder under the system's temporary folder, removed with everything in it
/// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    /// The full path of a relative name inside the folder.
    std::string operator/(std::string_view relative) const;

    /// Writes a file (making its folders) with the given contents and gives its path.
    std::string write(std::string_view relative, std::string_view contents = {}) const;
    /// A file of `size` bytes that takes no room on disk.
    std::string writeSparse(std::string_view relative, std::int64_t size) const;
    std::string makeFolder(std::string_view relative) const;
    /// A symbolic link at `relative` pointing to `target` as given.
    std::string link(std::string_view relative, std::string_view target) const;

private:
    std::string m_path;
};

/// Sets a file's modification (and access) time, seconds since the epoch.
void setModificationTime(const std::string& path, std::int64_t seconds);

/// Runs `body` in a child process that has given up root for the user "nobody", and gives
/// whether the body returned true. Lets tests see what an ordinary user sees of files
/// that root may always read. When the process is not root it runs as it is.
bool runAsOrdinaryUser(bool (*body)(const std::string&), const std::string& argument);

/// Sets the TZ environment variable for the lifetime of the object.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::string m_old;
    bool m_hadOld = false;
};

/// Changes the current folder for the lifetime of the object.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::string& folder);
    ~ScopedCurrentFolder();
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
    std::string m_old;
};

/// The whole contents of a file, or empty.
std::string readWholeFile(const std::string& path);

} // namespace yuzhou::test
