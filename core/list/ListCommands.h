#pragma once

#include <string>

namespace yuzhou {

struct ProgramState;
class WindowToolkit;

/// The commands of the list's pop-up menu "编辑菜单", on the selected row. Each first reads
/// the row's name; when there is none (no row selected, or an empty name) it says so and
/// does nothing else.
void copyRowText(const ProgramState& state, WindowToolkit& toolkit);
void copyFileName(const ProgramState& state, WindowToolkit& toolkit);
void copyPath(const ProgramState& state, WindowToolkit& toolkit);
/// Asks, then deletes the row's file; the row stays in the list.
void deleteSelectedFile(const ProgramState& state, WindowToolkit& toolkit);
/// Shows the row's file selected in the file manager.
void openContainingFolder(const ProgramState& state, WindowToolkit& toolkit);

/// A double click on the list: opens the selected row's file with its default program, or
/// says that the file is gone. With no row selected nothing happens.
void openFile(const ProgramState& state, WindowToolkit& toolkit);

/// "全选": ticks every row when the box is now checked, unticks every row otherwise.
void tickAll(ProgramState& state, bool checked);

/// The text "复制本行" puts on the clipboard: 序号, 名称, 路径, 大小, 创建时间 and 修改时间
/// of the row, joined by single spaces.
std::string rowText(const ProgramState& state, std::size_t row);

} // namespace yuzhou
