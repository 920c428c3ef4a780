#include "duplicates/DuplicatePass.h"

#include "ProgramState.h"
#include "duplicates/DuplicateTexts.h"
#include "list/SortByColumn.h"
#include "search/ResultTexts.h"
#include "search/SearchTexts.h"
#include "toolkit.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace yuzhou {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(50);
/// Rows whose size is read between two turns of the window's events.
constexpr std::size_t kRowsPerEventTurn = 256;

void renumberRows(ResultList& results) {
    const std::size_t rows = results.rowCount();
    for (std::size_t r = 0; r < rows; ++r) {
        results.setCell(r, kNumberColumn, std::to_string(r + 1));
    }
}

void paintRow(CellColours& colours, std::size_t row) {
    for (int column = kNumberColumn; column <= kDuplicateColumn; ++column) {
        colours.setCellColour(static_cast<int>(row), column, kRed);
    }
}

void endWithoutCandidates(ProgramState& state, WindowToolkit& toolkit) {
    renumberRows(state.results);
    const std::size_t rows = state.results.rowCount();
    toolkit.setSummaryText(texts::noDuplicatesSummary(rows));
    toolkit.showMessage(texts::noDuplicatesMessage(rows));
    toolkit.setButton(CommandButton::Search, texts::kSearchCaption, true);
}

/// Marks the groups among the rows that carry a fingerprint: every run of two or more
/// equal fingerprints is one group, numbered from the top; every other such row reads "无".
void markGroups(ProgramState& state) {
    std::vector<std::size_t> rows;
    std::vector<std::string> digests;
    state.results.forEachRow([&](std::size_t position, const ResultList::RowView& row) {
        if (!row.cells[kMd5Column].empty()) {
            rows.push_back(position);
            digests.emplace_back(row.cells[kMd5Column]);
        }
    });
    std::size_t group = 1;
    for (std::size_t h = 1; h < rows.size(); ++h) {
        if (digests[h] == digests[h - 1]) {
            for (std::size_t member : {rows[h - 1], rows[h]}) {
                state.results.setCell(member, kDuplicateColumn, texts::groupMark(group));
                paintRow(state.colours, member);
            }
        } else {
            if (h == 1) {
                state.results.setCell(rows[0], kDuplicateColumn, texts::kNoDuplicateMark);
            } else if (digests[h - 1] == digests[h - 2]) {
                ++group; // a group has just ended
            }
            state.results.setCell(rows[h], kDuplicateColumn, texts::kNoDuplicateMark);
        }
    }
    // A fingerprint left alone (its partners could not be read) has no copy known.
    if (rows.size() == 1) {
        state.results.setCell(rows[0], kDuplicateColumn, texts::kNoDuplicateMark);
    }
}

std::size_t countGroups(const ResultList& results) {
    std::vector<std::string> numbers;
    results.forEachRow([&](std::size_t, const ResultList::RowView& row) {
        if (isGroupMark(row.cells[kDuplicateColumn])) {
            numbers.push_back(digitsOf(row.cells[kDuplicateColumn]));
        }
    });
    return uniqueTexts(numbers).size();
}

} // namespace

void endPass(ProgramState& state) {
    state.duplicatePass.m_running = false;
}

DuplicatePassState::~DuplicatePassState() {
    cancel();
    waitUntilEnded();
}

void DuplicatePassState::cancel() {
    m_cancelled->store(true);
    m_digests.wake();
}

void DuplicatePassState::waitUntilEnded() {
    if (m_grouping.joinable()) {
        m_grouping.join();
    }
}

std::optional<FileFingerprint> DuplicatePassState::fingerprintOf(std::int32_t candidate) const {
    return candidate < 0 ? std::nullopt : m_digests.entry(static_cast<std::size_t>(candidate));
}

void DuplicatePassState::beginWithSearch(ProgramState& state) {
    waitUntilEnded(); // the last pass's grouping thread has ended with its message
    m_running = true;
    m_cancelled = std::make_shared<std::atomic<bool>>(false);
    m_digests.open();
    m_firstOfSize.clear();
    m_candidateOfListed.clear();
    m_startedWithSearch = true;
    (void)state;
}

void DuplicatePassState::queueListed(ProgramState& state, std::size_t listed, std::string path,
                                     std::int64_t size) {
    const std::size_t candidate = m_digests.add();
    if (m_candidateOfListed.size() <= listed) {
        m_candidateOfListed.resize(listed + 1, -1);
    }
    m_candidateOfListed[listed] = static_cast<std::int32_t>(candidate);
    DigestList& digests = m_digests;
    FingerprintJob job{std::move(path), size, m_cancelled,
                       [&digests, candidate](std::optional<FileFingerprint> result) {
                           digests.set(candidate, std::move(result));
                       }};
    if (!state.fingerprintPool.post(std::move(job))) {
        digests.set(candidate, std::nullopt);
    }
}

void DuplicatePassState::onRowListed(ProgramState& state, std::size_t listed, const std::string& path,
                                     std::int64_t size) {
    auto [first, inserted] =
        m_firstOfSize.try_emplace(size, FirstOfSize{static_cast<std::int32_t>(listed), path});
    if (inserted) {
        return;
    }
    if (first->second.listed >= 0) {
        queueListed(state, static_cast<std::size_t>(first->second.listed), std::move(first->second.path),
                    size);
        first->second = FirstOfSize{};
    }
    queueListed(state, listed, path, size);
}

void markDuplicateCandidates(ProgramState& state, WindowToolkit& toolkit) {
    DuplicatePassState& pass = state.duplicatePass;
    if (!pass.m_startedWithSearch) {
        pass.waitUntilEnded(); // the last pass's grouping thread has ended with its message
        pass.m_running = true;
        pass.m_cancelled = std::make_shared<std::atomic<bool>>(false);
        pass.m_digests.open();
        pass.m_candidateOfListed.clear();
    }
    pass.m_startedWithSearch = false;
    pass.m_firstOfSize.clear();
    ResultList& results = state.results;
    if (results.rowCount() == 0) {
        pass.m_digests.seal();
        endWithoutCandidates(state, toolkit);
        endPass(state);
        return;
    }

    // The exact sizes were taken when the rows were listed, a moment ago; a row listed some
    // other way is measured now. From here to the queueing nothing lets the window's events
    // run, so the row positions stay what they were when read.
    std::vector<std::int64_t> rowSizes;
    std::vector<std::int32_t> listedAs;
    std::vector<std::string> paths;
    results.forEachRow([&](std::size_t, const ResultList::RowView& row) {
        paths.emplace_back(row.cells[kPathColumn]);
        rowSizes.push_back(row.facts.size);
        listedAs.push_back(row.facts.listed);
    });
    for (std::size_t r = 0; r < rowSizes.size(); ++r) {
        if (rowSizes[r] < 0) {
            rowSizes[r] = fileSizeBytes(paths[r]);
        }
    }
    const std::size_t n = rowSizes.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return rowSizes[a] < rowSizes[b]; });
    results.reorderTexts(order);

    std::vector<bool> candidate(n, false);
    for (std::size_t i = 1; i < n; ++i) {
        if (rowSizes[order[i]] == rowSizes[order[i - 1]]) {
            candidate[i] = candidate[i - 1] = true;
        }
    }
    // Candidates queued while the search listed them keep their numbers; any other (a
    // list not made by a search) is queued now.
    std::size_t candidates = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (n >= 2) {
            results.setCell(i, kDuplicateColumn,
                            candidate[i] ? texts::kCandidateMark : texts::kNoDuplicateMark);
        }
        std::int32_t number = -1;
        if (candidate[i]) {
            // Every row carries the position it was appended at, unique in the list.
            const auto listed = static_cast<std::size_t>(std::max(listedAs[order[i]], 0));
            if (listed < pass.m_candidateOfListed.size()) {
                number = pass.m_candidateOfListed[listed];
            }
            if (number < 0) {
                pass.queueListed(state, listed, std::move(paths[order[i]]), rowSizes[order[i]]);
                number = pass.m_candidateOfListed[listed];
            }
            ++candidates;
        }
        results.setCandidate(i, number);
    }
    pass.m_digests.seal();
    toolkit.processEvents();

    if (candidates == 0) {
        endWithoutCandidates(state, toolkit);
        endPass(state);
        return;
    }
    pass.m_groupingActive = true;
    pass.m_grouping = std::thread([&state, &toolkit] {
        groupDuplicates(state, toolkit);
        state.duplicatePass.m_groupingActive = false;
    });
}

void groupDuplicates(ProgramState& state, WindowToolkit& toolkit) {
    DuplicatePassState& pass = state.duplicatePass;
    const std::shared_ptr<std::atomic<bool>> cancelled = pass.m_cancelled;
    const std::size_t candidates = pass.m_digests.candidateCount();

    // Progress as a counter the thread looks at a few times a second, not a call per file.
    std::size_t shown = 0;
    for (bool complete = false; !complete;) {
        complete = pass.m_digests.waitForAll(kProgressInterval, [&] { return cancelled->load(); });
        if (cancelled->load()) {
            endPass(state);
            return;
        }
        if (const std::size_t finished = pass.m_digests.finishedCount(); finished != shown) {
            showFingerprintProgress(toolkit, finished, candidates, shown == 0);
            shown = finished;
        }
    }

    std::size_t rows = 0;
    std::size_t groups = 0;
    // Everything that reads or rewrites the rows happens in one change on the GUI thread:
    // whatever the user did to the list meanwhile, each fingerprint reaches the row of its
    // own file, found by its path.
    toolkit.carryOut([&] {
        // Each candidate row carries its candidate number, which moved with its texts
        // whatever the user sorted meanwhile.
        ResultList& results = state.results;
        std::vector<std::pair<std::size_t, std::int32_t>> candidateRows;
        results.forEachRow([&](std::size_t position, const ResultList::RowView& row) {
            if (row.cells[kDuplicateColumn] == texts::kCandidateMark && row.facts.candidate >= 0) {
                candidateRows.emplace_back(position, row.facts.candidate);
            }
        });
        for (const auto& [row, candidate] : candidateRows) {
            const std::optional<FileFingerprint> fingerprint =
                pass.m_digests.entry(static_cast<std::size_t>(candidate));
            if (fingerprint) {
                results.setCell(row, kMd5Column, fingerprint->digestText);
            } else {
                results.setCell(row, kDuplicateColumn, texts::kUnreadableMark);
            }
        }
        sortByColumn(results, kMd5Column, SortKind::Text, false, true);
        toolkit.holdListRepaint(true);
        markGroups(state);
        renumberRows(results);
        rows = results.rowCount();
        groups = countGroups(results);
        toolkit.setProgressMaximum(static_cast<std::int64_t>(candidates) + 3);
        toolkit.setProgressValue(static_cast<std::int64_t>(pass.m_digests.finishedCount()) + 3);
        toolkit.setStatusPaneText(0, texts::kPassFinishedPane);
        toolkit.setSummaryText(texts::duplicatesSummary(rows, groups));
        toolkit.holdListRepaint(false);
    });
    if (cancelled->load()) {
        endPass(state);
        return;
    }
    toolkit.showMessage(texts::duplicatesMessage(rows, groups));
    toolkit.setButton(CommandButton::Search, texts::kSearchCaption, true);
    endPass(state);
}

void showFingerprintProgress(WindowToolkit& toolkit, std::size_t digestCount, std::size_t candidateCount,
                             bool first) {
    const auto maximum = static_cast<std::int64_t>(candidateCount) + 3;
    if (first) {
        toolkit.setProgressMaximum(maximum);
        toolkit.setProgressVisible(true);
        toolkit.clearStatusPanes();
        toolkit.addStatusPane(texts::kFingerprintPane, texts::kFingerprintPaneWidth);
        toolkit.addStatusPane("", -1);
        toolkit.placeProgressOverStatusPane(1);
        toolkit.setProgressVisible(true);
    }
    toolkit.setProgressMaximum(maximum);
    toolkit.setProgressValue(static_cast<std::int64_t>(digestCount));
}

std::string digitsOf(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    return digits;
}

std::vector<std::string> uniqueTexts(const std::vector<std::string>& texts) {
    std::vector<std::string> unique;
    std::unordered_set<std::string> seen;
    for (const std::string& text : texts) {
        if (seen.insert(text).second) {
            unique.push_back(text);
        }
    }
    return unique;
}

bool isGroupMark(std::string_view text) {
    constexpr std::string_view prefix = "重复文件第";
    constexpr std::string_view suffix = "组";
    return text.size() > prefix.size() + suffix.size() && text.starts_with(prefix) &&
           text.ends_with(suffix) && !digitsOf(text).empty();
}

} // namespace yuzhou
