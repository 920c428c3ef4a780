#pragma once

#include <string>
#include <string_view>

namespace yuzhou {

struct ProgramState;
class WindowToolkit;

enum class TransferMode { Copy, Move };

/// The destination for a file whose name is taken in the target folder: the folder, "/",
/// the name's base, "（有重名的——榆舟）" and its extension (from the last dot on, the
/// dot included, as extensionStart finds it): readme gives readme（有重名的——榆舟）,
/// a.tar.gz gives a.tar（有重名的——榆舟）.gz, .gitignore gives （有重名的——榆舟）.gitignore.
std::string collisionTargetName(std::string_view folder, std::string_view name);

/// The buttons "复制到目标文件夹" and "剪切到目标文件夹": hands the files of the rows
/// ticked when the command starts to the target folder, a taken name replaced by
/// collisionTargetName; reports how many rows were ticked, how many names collided and,
/// when some failed, how many. The list itself does not change.
///
/// A copy never leaves a partial file, and a move never replaces a file. An empty target
/// folder box and a target folder that does not exist are refused before anything starts.
void transferChecked(ProgramState& state, WindowToolkit& toolkit, TransferMode mode);

/// The button "删除选中文件": after one question deletes the files of the rows ticked when
/// the command starts; read-only files and folders are never deleted; the report tells how
/// many rows were ticked and, when some could not be deleted, how many.
void deleteChecked(ProgramState& state, WindowToolkit& toolkit);

} // namespace yuzhou
