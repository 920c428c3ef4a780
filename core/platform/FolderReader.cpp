#include "platform/FolderReader.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace yuzhou {

FolderReader::FolderReader(const std::string& folder) : m_dir(opendir(folder.c_str())) {}

FolderReader::~FolderReader() {
    if (m_dir != nullptr) {
        closedir(m_dir);
    }
}

namespace {

EntryKind kindOfMode(mode_t mode) {
    if (S_ISREG(mode)) {
        return EntryKind::File;
    }
    return S_ISDIR(mode) ? EntryKind::Folder : EntryKind::Other;
}

} // namespace

bool FolderReader::next(FolderEntry& entry) {
    if (m_dir == nullptr) {
        return false;
    }
    while (const dirent* d = readdir(m_dir)) {
        if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0) {
            continue;
        }
        entry.name.assign(d->d_name);
        switch (d->d_type) {
        case DT_REG:
            entry.kind = EntryKind::File;
            break;
        case DT_DIR:
            entry.kind = EntryKind::Folder;
            break;
        case DT_UNKNOWN: {
            // Some file systems do not tell the type in the listing.
            struct stat st {};
            entry.kind = fstatat(dirfd(m_dir), d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0
                             ? kindOfMode(st.st_mode)
                             : EntryKind::Other;
            break;
        }
        default:
            entry.kind = EntryKind::Other;
            break;
        }
        return true;
    }
    return false;
}

} // namespace yuzhou
