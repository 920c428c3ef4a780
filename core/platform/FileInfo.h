#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yuzhou {

/// What one metadata call tells about a file.
struct FileInfo {
    std::int64_t size = 0;
    /// Seconds since the epoch. The creation time is the birth time where the file system
    /// records one, else the modification time.
    std::int64_t creationTime = 0;
    std::int64_t modificationTime = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool isDirectory = false;
    bool isRegularFile = false;
    /// Whether this process may open the file for reading, judged from the permission bits
    /// without opening it.
    bool readable = false;
};

/// Metadata of the file a path names, following symbolic links; nothing when it does not
/// exist or cannot be reached.
std::optional<FileInfo> readFileInfo(const std::string& path);

/// Metadata of the file `name` in the open folder `folderFd`, not following a symbolic
/// link; resolving one name instead of a whole path is what keeps a search fast.
std::optional<FileInfo> readFileInfoAt(int folderFd, const char* name);

/// True when the path names an existing file or folder.
bool pathExists(const std::string& path);

/// Where the extension of a file name begins: at its last ".", unless a blank or a "/"
/// follows that dot, and at the end of the name when there is none. ".profile" has the
/// extension ".profile"; "a." has the extension ".".
std::size_t extensionStart(std::string_view name);

/// The extension without its dot: "jpg" for "a.jpg", "" for "readme", "a." and "a.b c".
std::string_view extensionOf(std::string_view name);

} // namespace yuzhou
