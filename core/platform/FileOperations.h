#pragma once

#include <string>

namespace yuzhou {

/// Copies `source` to `destination`, replacing a file that is there. The copy is written
/// under a temporary name in the destination's folder and renamed into place only when
/// complete, so a failed copy leaves nothing behind and an existing destination is either
/// the old file or the whole new one. The modification time and the permissions are kept.
bool copyFileReplacing(const std::string& source, const std::string& destination);

/// Moves `source` to `destination` without ever replacing a file there, also not one that
/// appears between any test and the move. Within one file system this is one rename;
/// across file systems the file is copied, the copy checked to be complete, put in place
/// without replacing, and only then is the source removed.
bool moveFileNoReplace(const std::string& source, const std::string& destination);

/// Deletes a file for good. Never a folder, and not a file nobody may write to.
bool deleteFile(const std::string& path);

} // namespace yuzhou
