#include "duplicates/RemoveDuplicates.h"

#include "ProgramState.h"
#include "duplicates/DuplicatePass.h"
#include "duplicates/DuplicateTexts.h"
#include "toolkit.h"

#include <cerrno>
#include <unistd.h>

namespace yuzhou {

namespace {

/// Whether the file still is what its fingerprint read: same identity, size and time.
bool unchangedSinceFingerprint(const FileFingerprint& taken, const FileState& now) {
    return taken.size == now.size && taken.modificationTimeNs == now.modificationTimeNs &&
           taken.device == now.device && taken.inode == now.inode;
}

/// Whether deleting `copy` keeps a file with its content on disk.
bool safeToDelete(const ProgramState& state, const SurplusCopy& copy) {
    const std::optional<FileState> kept = currentFileState(copy.keptPath);
    const std::optional<FileState> surplus = currentFileState(copy.path);
    if (!kept || !surplus) {
        return false;
    }
    if (kept->device == surplus->device && kept->inode == surplus->inode) {
        return false; // one file reached by two paths: no copy at all
    }
    const std::optional<FileFingerprint> keptPrint = state.duplicatePass.fingerprintOf(copy.keptCandidate);
    const std::optional<FileFingerprint> surplusPrint = state.duplicatePass.fingerprintOf(copy.candidate);
    return keptPrint && surplusPrint && keptPrint->digestText == surplusPrint->digestText &&
           unchangedSinceFingerprint(*keptPrint, *kept) && unchangedSinceFingerprint(*surplusPrint, *surplus);
}

} // namespace

std::vector<SurplusCopy> surplusCopies(const ProgramState& state) {
    std::vector<SurplusCopy> copies;
    std::string lastMark;
    std::string keptPath;
    std::int32_t keptCandidate = -1;
    state.results.forEachRow([&](std::size_t, const ResultList::RowView& row) {
        const std::string_view mark = row.cells[kDuplicateColumn];
        if (!isGroupMark(mark)) {
            return;
        }
        if (mark == lastMark) {
            copies.push_back(
                {std::string(row.cells[kPathColumn]), keptPath, row.facts.candidate, keptCandidate});
        } else {
            lastMark = mark;
            keptPath = row.cells[kPathColumn];
            keptCandidate = row.facts.candidate;
        }
    });
    return copies;
}

void removeSurplusDuplicates(ProgramState& state, WindowToolkit& toolkit) {
    const std::vector<SurplusCopy> copies = surplusCopies(state);
    if (toolkit.showMessage(texts::removalQuestion(copies.size()), MessageIcon::Question,
                            MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return;
    }
    std::size_t skipped = 0;
    std::size_t failed = 0;
    for (const SurplusCopy& copy : copies) {
        // Checked just before the delete: the files may have changed since the pass.
        if (!safeToDelete(state, copy)) {
            ++skipped;
        } else if (unlink(copy.path.c_str()) != 0) {
            ++failed;
        }
        toolkit.processEvents();
    }
    std::string report(texts::kRemovalDone);
    if (skipped > 0) {
        report += texts::removalSkipped(skipped);
    }
    if (failed > 0) {
        report += texts::removalFailed(failed);
    }
    toolkit.showMessage(report);
}

} // namespace yuzhou
