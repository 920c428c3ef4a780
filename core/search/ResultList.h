#pragma once

#include "search/ResultRow.h"
#include "search/TextArena.h"

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace yuzhou {

/// The result list: the one store of results. Rows are only appended, and only deleted
/// all together; their texts may be rewritten and reordered, while the tick states stay
/// with the row positions. Safe to use from several threads; each call is atomic.
///
/// Observers learn of changes cheaply: `revision()` tells how many rows there are, how
/// often the list was emptied and how often a cell or tick changed, so a view can poll it
/// on a timer and take appends in batches; an optional listener is called after every
/// change, outside the list's lock.
/// What the program knows of a row's file beyond its texts; it moves with the texts.
struct RowFacts {
    /// The exact size in bytes when the file was listed; -1 when not known.
    std::int64_t size = -1;
    /// The row's place among the candidates of the running duplicate pass; -1 for none.
    std::int32_t candidate = -1;
    /// The row's position when it was appended; set by the list.
    std::int32_t listed = -1;
};

class ResultList {
public:
    using Cells = std::array<std::string_view, kColumnCount>;

    /// A row as `forEachRow` shows it; the texts are valid during the call only.
    struct RowView {
        const Cells& cells;
        int tick;
        RowFacts facts;
    };

    struct Revision {
        std::uint64_t clears = 0;
        /// Every change of a cell or a tick.
        std::uint64_t edits = 0;
        /// Changes of the texts alone (a rewritten cell, a sort); ticks do not count.
        std::uint64_t textEdits = 0;
        std::size_t rows = 0;
        bool operator==(const Revision&) const = default;
    };

    ResultList() = default;
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;

    std::size_t rowCount() const;
    /// Appends a row and gives its 0-based position.
    std::size_t appendRow(const ResultRow& row);
    std::size_t appendRow(const Cells& cells, int tick = kUnticked, RowFacts facts = {});
    /// The whole row, or an empty row for a position past the end.
    ResultRow row(std::size_t position) const;
    /// A cell's text; empty for a position past the end or a column out of range.
    std::string cell(std::size_t position, int column) const;
    /// Writes a cell; a position past the end is ignored.
    void setCell(std::size_t position, int column, std::string_view text);
    /// Rewrites all texts of a row at once; its tick stays.
    void setRowTexts(std::size_t position, const Cells& cells);
    /// Puts the texts of the rows in a new order: row i gets the texts (and facts) that row
    /// order[i] had. The ticks stay with the positions. `order` must be a permutation of the
    /// rows.
    void reorderTexts(const std::vector<std::size_t>& order);
    RowFacts facts(std::size_t position) const;
    void setCandidate(std::size_t position, std::int32_t candidate);
    int tick(std::size_t position) const;
    void setTick(std::size_t position, int state);
    /// Gives every row the same tick state.
    void setAllTicks(int state);
    void clear();

    /// Calls `visit(position, RowView)` for every row in order, holding the list's lock:
    /// the visitor must not call back into the list.
    void forEachRow(const std::function<void(std::size_t, const RowView&)>& visit) const;

    /// Calls `use` with the texts of one column, row by row, holding the list's lock: the
    /// texts are valid during the call only, and `use` must not call back into the list.
    void withColumnTexts(int column,
                         const std::function<void(const std::vector<std::string_view>&)>& use) const;

    Revision revision() const;
    void setChangeListener(std::function<void()> listener);

private:
    /// A row's nine texts lie one after another in the arena; `ends` marks where each ends.
    struct StoredRow {
        const char* texts = nullptr;
        std::array<std::uint32_t, kColumnCount> ends{};

        std::string_view cell(int column) const;
        Cells cells() const;
    };

    static constexpr std::size_t kRowsPerChunk = 16384;

    StoredRow storeLocked(const Cells& cells);
    /// Rewrites a row's texts; the old ones stay in the arena until it is compacted.
    void replaceTextsLocked(std::size_t position, const Cells& cells);
    StoredRow& rowLocked(std::size_t position);
    const StoredRow& rowLocked(std::size_t position) const;
    /// Copies the live texts into a fresh arena once rewrites have left more dead text than
    /// live text.
    void compactIfWastefulLocked();
    void notify();

    mutable std::mutex m_mutex;
    TextArena m_arena;
    /// Rows in chunks of fixed size, kept in the arena too, so they never move and growing
    /// the list copies nothing.
    std::vector<StoredRow*> m_chunks;
    std::vector<std::uint8_t> m_ticks;
    std::vector<RowFacts> m_facts;
    std::size_t m_rows = 0;
    std::size_t m_deadBytes = 0;
    std::uint64_t m_clears = 0;
    std::uint64_t m_edits = 0;
    std::uint64_t m_textEdits = 0;

    std::mutex m_listenerMutex;
    std::function<void()> m_listener;
};

} // namespace yuzhou
