#pragma once

#include "search/ResultRow.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace yuzhou {

/// The result list: the one store of results. Rows are only appended, and only deleted
/// all together. Safe to use from several threads; each call is atomic.
///
/// Observers learn of changes cheaply: `revision()` tells how many rows there are, how
/// often the list was emptied and how often a cell or tick changed, so a view can poll
/// it on a timer and take appends in batches; an optional listener is called after every
/// change, outside the list's lock.
class ResultList {
public:
    struct Revision {
        std::uint64_t clears = 0;
        std::uint64_t edits = 0;
        std::size_t rows = 0;
        bool operator==(const Revision&) const = default;
    };

    ResultList() = default;
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;

    std::size_t rowCount() const;
    /// Appends a row and gives its 0-based position.
    std::size_t appendRow(const ResultRow& row);
    /// The whole row, or an empty row for a position past the end.
    ResultRow row(std::size_t position) const;
    /// A cell's text; empty for a position past the end or a column out of range.
    std::string cell(std::size_t position, int column) const;
    /// Writes a cell; a position past the end is ignored.
    void setCell(std::size_t position, int column, std::string_view text);
    int tick(std::size_t position) const;
    void setTick(std::size_t position, int state);
    /// Gives every row the same tick state.
    void setAllTicks(int state);
    void clear();

    Revision revision() const;
    void setChangeListener(std::function<void()> listener);

private:
    /// A row kept compactly: the nine texts one after another in one buffer, so a million
    /// rows cost one allocation each instead of nine.
    struct StoredRow {
        std::string texts;
        std::array<std::uint32_t, kColumnCount> ends{};
        int tick = kUnticked;

        std::string_view cell(int column) const;
        void setCell(int column, std::string_view text);
    };

    static StoredRow store(const ResultRow& row);
    void notify();

    mutable std::mutex m_mutex;
    std::deque<StoredRow> m_rows;
    std::uint64_t m_clears = 0;
    std::uint64_t m_edits = 0;
    std::function<void()> m_listener;
    std::mutex m_listenerMutex;
};

} // namespace yuzhou
