#pragma once

#include "duplicates/DigestList.h"
#include "duplicates/FileFingerprint.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace yuzhou {

struct ProgramState;
class WindowToolkit;

/// What a duplicate pass shares between its stages and leaves behind for the removal of
/// surplus copies.
class DuplicatePassState {
public:
    DuplicatePassState() = default;
    ~DuplicatePassState();
    DuplicatePassState(const DuplicatePassState&) = delete;
    DuplicatePassState& operator=(const DuplicatePassState&) = delete;

    /// From the start of a pass to its end (its closing message answered).
    bool running() const { return m_running; }
    /// Abandons the running pass: the files still queued are not read, the one being read
    /// stops, and the grouping stage ends without touching the window.
    void cancel();
    /// Waits until the grouping stage of the last pass has ended.
    void waitUntilEnded();
    /// True while a grouping stage is still on its thread.
    bool groupingActive() const { return m_groupingActive; }

    /// Starts the pass's fingerprints while the search still lists files: a file is queued
    /// as soon as a second file of its size is listed, so by the end of the walk exactly the
    /// candidates are queued and many are read already. GUI thread.
    void beginWithSearch(ProgramState& state);
    /// A row the search has just listed (its position then, its path and exact size).
    void onRowListed(ProgramState& state, std::size_t listed, const std::string& path, std::int64_t size);

    /// The fingerprint the last pass took of a candidate (the number its row carries), with
    /// the file's state at that moment; nothing for a row that was no candidate or could
    /// not be read.
    std::optional<FileFingerprint> fingerprintOf(std::int32_t candidate) const;

private:
    friend void markDuplicateCandidates(ProgramState& state, WindowToolkit& toolkit);
    friend void groupDuplicates(ProgramState& state, WindowToolkit& toolkit);
    friend void endPass(ProgramState& state);

    /// Queues a listed row's file for fingerprinting and records its candidate number.
    void queueListed(ProgramState& state, std::size_t listed, std::string path, std::int64_t size);

    struct FirstOfSize {
        std::int32_t listed = -1; // -1 once queued
        std::string path;
    };

    DigestList m_digests;
    /// Filled while the search lists rows: the first row of each size until a second one
    /// comes, and the candidate number of every listed row queued so far.
    std::unordered_map<std::int64_t, FirstOfSize> m_firstOfSize;
    std::vector<std::int32_t> m_candidateOfListed;
    bool m_startedWithSearch = false;
    std::shared_ptr<std::atomic<bool>> m_cancelled = std::make_shared<std::atomic<bool>>(false);
    std::thread m_grouping;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_groupingActive{false};
};

/// The first stage of the duplicate pass, on the GUI thread, when a search with duplicate
/// marking has filled the list: orders the rows by exact size, marks the rows whose size
/// another row shares as candidates ("加入识别", the others "无") and queues them for
/// fingerprinting, then leaves the rest to the grouping stage on a thread of its own. A
/// list without candidates ends the pass here.
void markDuplicateCandidates(ProgramState& state, WindowToolkit& toolkit);

/// The second stage, on its own thread: waits for every candidate's fingerprint, showing
/// the progress, writes the fingerprints into "md5", sorts by it descending, marks and
/// colours the groups, numbers the rows afresh, and ends with the summary.
void groupDuplicates(ProgramState& state, WindowToolkit& toolkit);

/// The progress of the fingerprints: the first showing sets up the status bar and the
/// progress bar over its second pane; the bar stays three steps short of full until the
/// groups are marked.
void showFingerprintProgress(WindowToolkit& toolkit, std::size_t digestCount, std::size_t candidateCount,
                             bool first);

/// The characters 0 to 9 of a text, in their order ("重复文件第12组" gives "12").
std::string digitsOf(std::string_view text);

/// The texts in their order, each kept only at its first occurrence.
std::vector<std::string> uniqueTexts(const std::vector<std::string>& texts);

/// Whether a "是否存在重复" text marks a member of a duplicate group.
bool isGroupMark(std::string_view text);

} // namespace yuzhou
