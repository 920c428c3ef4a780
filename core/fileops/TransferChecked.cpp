#include "fileops/TransferChecked.h"

#include "ProgramState.h"
#include "fileops/FileOpsTexts.h"
#include "platform/FileInfo.h"
#include "platform/FileOperations.h"
#include "toolkit.h"

#include <vector>

namespace yuzhou {

namespace {

struct TickedFile {
    std::string name;
    std::string path;
};

/// The files of the ticked rows as they are now: what the command acts on, whatever a new
/// search or sort does to the list while it runs.
std::vector<TickedFile> tickedFiles(const ResultList& results) {
    std::vector<TickedFile> files;
    results.forEachRow([&](std::size_t, const ResultList::RowView& row) {
        if (row.tick == kTicked) {
            files.push_back({std::string(row.cells[kNameColumn]), std::string(row.cells[kPathColumn])});
        }
    });
    return files;
}

struct ModeTexts {
    CommandButton button;
    std::string_view caption;
    std::string_view runningCaption;
    std::string_view runningPane;
    std::string_view finishedPane;
};

ModeTexts textsOf(TransferMode mode) {
    if (mode == TransferMode::Copy) {
        return {CommandButton::Copy, texts::kCopyCaption, texts::kCopyRunningCaption, texts::kCopyRunningPane,
                texts::kCopyFinishedPane};
    }
    return {CommandButton::Move, texts::kMoveCaption, texts::kMoveRunningCaption, texts::kMoveRunningPane,
            texts::kMoveFinishedPane};
}

} // namespace

std::string collisionTargetName(std::string_view folder, std::string_view name) {
    const std::size_t dot = extensionStart(name);
    std::string target(folder);
    target += '/';
    target += name.substr(0, dot);
    target += texts::kCollisionSuffix;
    target += name.substr(dot);
    return target;
}

void transferChecked(ProgramState& state, WindowToolkit& toolkit, TransferMode mode) {
    const std::string folder = toolkit.targetFolderText();
    if (folder.empty()) {
        toolkit.showMessage(texts::kNoTargetFolder);
        return;
    }
    if (const std::optional<FileInfo> info = readFileInfo(folder); !info || !info->isDirectory) {
        toolkit.showMessage(texts::targetFolderMissing(folder));
        return;
    }
    const ModeTexts modeTexts = textsOf(mode);
    toolkit.setButton(modeTexts.button, modeTexts.runningCaption, false);
    toolkit.setProgressVisible(true);
    toolkit.clearStatusPanes();
    toolkit.addStatusPane(modeTexts.runningPane, texts::kTransferPaneWidth);
    toolkit.addStatusPane("", -1);
    toolkit.placeProgressOverStatusPane(1);
    toolkit.setProgressValue(0);

    const std::vector<TickedFile> files = tickedFiles(state.results);
    toolkit.setProgressMaximum(static_cast<std::int64_t>(files.size()));
    std::size_t collisions = 0;
    std::size_t failures = 0;
    std::size_t done = 0;
    for (const TickedFile& file : files) {
        if (mode == TransferMode::Copy) {
            toolkit.processEvents();
        }
        // Whether the plain name is taken shows when the file is put in place, not by a
        // look beforehand that another program could make stale.
        const std::string destination = folder + "/" + file.name;
        const std::string whenTaken = collisionTargetName(folder, file.name);
        const TransferOutcome outcome = mode == TransferMode::Copy
                                            ? copyFileInto(file.path, destination, whenTaken)
                                            : moveFileInto(file.path, destination, whenTaken);
        collisions += outcome.collided ? 1 : 0;
        failures += outcome.done ? 0 : 1;
        ++done;
        if (mode == TransferMode::Move) {
            toolkit.processEvents();
        }
        toolkit.setProgressValue(static_cast<std::int64_t>(done));
        if (toolkit.closing()) {
            return;
        }
    }

    std::string report = mode == TransferMode::Copy ? texts::copyReport(files.size(), collisions)
                                                    : texts::moveReport(files.size(), collisions);
    if (failures > 0) {
        report += mode == TransferMode::Copy ? texts::copyFailures(failures) : texts::moveFailures(failures);
    }
    if (mode == TransferMode::Copy) {
        toolkit.setButton(modeTexts.button, modeTexts.caption, true);
        toolkit.showMessage(report);
    } else {
        toolkit.showMessage(report);
        toolkit.setButton(modeTexts.button, modeTexts.caption, true);
    }
    toolkit.setStatusPaneText(0, modeTexts.finishedPane);
}

void deleteChecked(ProgramState& state, WindowToolkit& toolkit) {
    toolkit.clearStatusPanes();
    const std::vector<TickedFile> files = tickedFiles(state.results);
    if (toolkit.showMessage(texts::deleteQuestion(files.size()), MessageIcon::Exclamation,
                            MessageButtons::OkCancel, texts::kDeleteTitle) != MessageAnswer::Ok) {
        return;
    }
    std::size_t failures = 0;
    for (const TickedFile& file : files) {
        failures += deleteFile(file.path) ? 0 : 1;
        toolkit.processEvents();
        if (toolkit.closing()) {
            return;
        }
    }
    std::string report = texts::deleteReport(files.size());
    if (failures > 0) {
        report += texts::deleteFailures(failures);
    }
    toolkit.showMessage(report);
}

} // namespace yuzhou
