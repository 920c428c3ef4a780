#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace yuzhou {

class WindowToolkit;

/// Called for every file with its name and its full path (folder, "/", name), both the
/// visitor's own copies, and the descriptor of the file's folder, open during the call,
/// so that the file's metadata can be read without resolving the path again. A visitor
/// cannot stop the walk.
using WalkVisitor = std::function<void(std::string name, std::string path, int folderFd)>;

/// Visits the files of `folder` whose names match `pattern` (empty means "*"), and with
/// `recurse` those of every sub-folder: a depth-first walk in pre-order, the files of a
/// folder in the order the file system lists them before any of its sub-folders, each
/// sub-folder walked completely before the next one. Hidden folders are walked; symbolic
/// links are neither listed nor followed, so no cycle can loop the walk. A folder that
/// cannot be read yields nothing and the walk goes on. The walk keeps its own stack, so the
/// depth of a tree is limited by nothing but path length.
///
/// Pending window events run once after each sub-folder; the walk stops early only when
/// the window is closing.
void walkFolder(std::string_view folder, std::string_view pattern, bool recurse, const WalkVisitor& visitor,
                WindowToolkit& toolkit);

/// The mask the files of a folder are matched against: "*." is put before a pattern that
/// does not hold "*." already, so "*" gives "*.*" and "txt" gives "*.txt".
std::string walkMask(std::string_view pattern);

/// Whether a file name matches a mask of "*" and "?" wildcards, ASCII letters compared
/// without regard to case. "*.*" matches every name, and a mask ending in ".*" also
/// matches the names without that dot ("a.*" matches "a").
bool matchesMask(std::string_view name, std::string_view mask);

} // namespace yuzhou
