#include "list/ListCommands.h"

#include "ProgramState.h"
#include "fileops/FileOpsTexts.h"
#include "platform/FileInfo.h"
#include "platform/FileOperations.h"
#include "toolkit.h"

#include <optional>

namespace yuzhou {

namespace {

/// The selected row when it has a name, else nothing after the command's message.
std::optional<std::size_t> guardedRow(const ProgramState& state, WindowToolkit& toolkit,
                                      std::string_view message) {
    const std::optional<std::size_t> row = toolkit.selectedRow();
    if (!row || state.results.cell(*row, kNameColumn).empty()) {
        toolkit.showMessage(message);
        return std::nullopt;
    }
    return row;
}

} // namespace

std::string rowText(const ProgramState& state, std::size_t row) {
    const ResultRow cells = state.results.row(row);
    std::string text;
    for (int column :
         {kNumberColumn, kNameColumn, kPathColumn, kSizeColumn, kCreatedColumn, kModifiedColumn}) {
        if (column != kNumberColumn) {
            text += ' ';
        }
        text += cells.cells[static_cast<std::size_t>(column)];
    }
    return text;
}

void copyRowText(const ProgramState& state, WindowToolkit& toolkit) {
    if (const auto row = guardedRow(state, toolkit, texts::kEmptyRowCopyRow)) {
        toolkit.setClipboardText(rowText(state, *row));
    }
}

void copyFileName(const ProgramState& state, WindowToolkit& toolkit) {
    if (const auto row = guardedRow(state, toolkit, texts::kEmptyRowCopyName)) {
        toolkit.setClipboardText(state.results.cell(*row, kNameColumn));
    }
}

void copyPath(const ProgramState& state, WindowToolkit& toolkit) {
    if (const auto row = guardedRow(state, toolkit, texts::kEmptyRowCopyPath)) {
        toolkit.setClipboardText(state.results.cell(*row, kPathColumn));
    }
}

void deleteSelectedFile(const ProgramState& state, WindowToolkit& toolkit) {
    const auto row = guardedRow(state, toolkit, texts::kEmptyRowDelete);
    if (!row) {
        return;
    }
    // The row is read again after the question: the path deleted is the one asked about.
    const std::string name = state.results.cell(*row, kNameColumn);
    const std::string path = state.results.cell(*row, kPathColumn);
    if (toolkit.showMessage(texts::deleteFileQuestion(name), MessageIcon::Exclamation,
                            MessageButtons::OkCancel) == MessageAnswer::Ok) {
        deleteFile(path);
    }
}

void openContainingFolder(const ProgramState& state, WindowToolkit& toolkit) {
    if (const auto row = guardedRow(state, toolkit, texts::kEmptyRowOpenFolder)) {
        toolkit.showInFileManager(state.results.cell(*row, kPathColumn));
    }
}

void openFile(const ProgramState& state, WindowToolkit& toolkit) {
    const std::optional<std::size_t> row = toolkit.selectedRow();
    if (!row || *row >= state.results.rowCount()) {
        return;
    }
    const std::string path = state.results.cell(*row, kPathColumn);
    if (pathExists(path)) {
        toolkit.openWithDefaultProgram(path);
    } else {
        toolkit.showMessage(texts::kFileGone);
    }
}

void tickAll(ProgramState& state, bool checked) {
    state.results.setAllTicks(checked ? kTicked : kUnticked);
}

} // namespace yuzhou
