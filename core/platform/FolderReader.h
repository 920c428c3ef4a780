#pragma once

#include <dirent.h>
#include <string>

namespace yuzhou {

enum class EntryKind { File, Folder, Other };

struct FolderEntry {
    std::string name;
    EntryKind kind = EntryKind::Other;
};

/// Reads the entries of one folder in the order the file system gives them, without "."
/// and "..". Symbolic links count as Other, so a walk neither lists nor follows them.
/// A folder that cannot be opened reads as empty.
class FolderReader {
public:
    explicit FolderReader(const std::string& folder);
    ~FolderReader();
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    bool isOpen() const { return m_dir != nullptr; }
    /// The open folder's descriptor, for reading its entries' metadata; -1 when not open.
    int fd() const { return m_dir != nullptr ? dirfd(m_dir) : -1; }
    /// Fills `entry` with the next entry; false at the end.
    bool next(FolderEntry& entry);

private:
    DIR* m_dir = nullptr;
};

} // namespace yuzhou
