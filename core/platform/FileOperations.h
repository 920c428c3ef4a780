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

/// How a transfer into a folder went: whether the plain name was taken, and whether the
/// file arrived (under the plain name, or the other one when it was taken).
struct TransferOutcome {
    bool collided = false;
    bool done = false;
};

/// Copies `source` to `destination`, or to `whenTaken` when a file or folder already has
/// the name `destination`; a file at `whenTaken` is replaced. Whether the name is taken is
/// decided by putting the finished copy in place without replacing, so no file can slip
/// in between a test and the copy. A failed copy leaves nothing behind.
TransferOutcome copyFileInto(const std::string& source, const std::string& destination,
                             const std::string& whenTaken);

/// Moves `source` to `destination`, or to `whenTaken` when that name is taken; never
/// replaces anything, across file systems too.
TransferOutcome moveFileInto(const std::string& source, const std::string& destination,
                             const std::string& whenTaken);

/// Deletes a file for good. Never a folder, and not a file nobody may write to.
bool deleteFile(const std::string& path);

} // namespace yuzhou
