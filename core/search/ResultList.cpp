#include "search/ResultList.h"

#include <cstring>

namespace yuzhou {

std::string_view ResultList::StoredRow::cell(int column) const {
    const std::uint32_t begin = column == 0 ? 0 : ends[static_cast<std::size_t>(column - 1)];
    return std::string_view(texts + begin, ends[static_cast<std::size_t>(column)] - begin);
}

ResultList::Cells ResultList::StoredRow::cells() const {
    Cells result;
    for (int c = 0; c < kColumnCount; ++c) {
        result[static_cast<std::size_t>(c)] = cell(c);
    }
    return result;
}

ResultList::StoredRow ResultList::storeLocked(const Cells& cells) {
    std::size_t total = 0;
    for (std::string_view text : cells) {
        total += text.size();
    }
    StoredRow stored;
    char* texts = m_arena.allocate(total);
    std::size_t end = 0;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (!cells[c].empty()) {
            std::memcpy(texts + end, cells[c].data(), cells[c].size());
        }
        end += cells[c].size();
        stored.ends[c] = static_cast<std::uint32_t>(end);
    }
    stored.texts = texts;
    return stored;
}

ResultList::StoredRow& ResultList::rowLocked(std::size_t position) {
    return m_chunks[position / kRowsPerChunk][position % kRowsPerChunk];
}

const ResultList::StoredRow& ResultList::rowLocked(std::size_t position) const {
    return m_chunks[position / kRowsPerChunk][position % kRowsPerChunk];
}

std::size_t ResultList::rowCount() const {
    std::lock_guard lock(m_mutex);
    return m_rows;
}

std::size_t ResultList::appendRow(const ResultRow& row) {
    Cells cells;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        cells[c] = row.cells[c];
    }
    return appendRow(cells, row.tick);
}

std::size_t ResultList::appendRow(const Cells& cells, int tick, RowFacts facts) {
    std::size_t position = 0;
    {
        std::lock_guard lock(m_mutex);
        position = m_rows;
        if (position % kRowsPerChunk == 0 && position / kRowsPerChunk == m_chunks.size()) {
            char* chunk = m_arena.allocate(kRowsPerChunk * sizeof(StoredRow), alignof(StoredRow));
            m_chunks.push_back(new (chunk) StoredRow[kRowsPerChunk]);
        }
        rowLocked(position) = storeLocked(cells);
        m_ticks.push_back(static_cast<std::uint8_t>(tick));
        facts.listed = static_cast<std::int32_t>(position);
        m_facts.push_back(facts);
        ++m_rows;
    }
    notify();
    return position;
}

ResultRow ResultList::row(std::size_t position) const {
    ResultRow result;
    std::lock_guard lock(m_mutex);
    if (position < m_rows) {
        const StoredRow& stored = rowLocked(position);
        for (int c = 0; c < kColumnCount; ++c) {
            result.cells[static_cast<std::size_t>(c)] = stored.cell(c);
        }
        result.tick = m_ticks[position];
    }
    return result;
}

std::string ResultList::cell(std::size_t position, int column) const {
    std::lock_guard lock(m_mutex);
    if (position >= m_rows || column < 0 || column >= kColumnCount) {
        return {};
    }
    return std::string(rowLocked(position).cell(column));
}

void ResultList::replaceTextsLocked(std::size_t position, const Cells& cells) {
    StoredRow& stored = rowLocked(position);
    m_deadBytes += stored.ends.back();
    stored = storeLocked(cells);
    ++m_edits;
    ++m_textEdits;
    compactIfWastefulLocked();
}

void ResultList::setCell(std::size_t position, int column, std::string_view text) {
    {
        std::lock_guard lock(m_mutex);
        if (position >= m_rows || column < 0 || column >= kColumnCount) {
            return;
        }
        Cells cells = rowLocked(position).cells();
        cells[static_cast<std::size_t>(column)] = text;
        replaceTextsLocked(position, cells);
    }
    notify();
}

void ResultList::setRowTexts(std::size_t position, const Cells& cells) {
    {
        std::lock_guard lock(m_mutex);
        if (position >= m_rows) {
            return;
        }
        replaceTextsLocked(position, cells);
    }
    notify();
}

void ResultList::reorderTexts(const std::vector<std::size_t>& order) {
    {
        std::lock_guard lock(m_mutex);
        if (order.size() != m_rows) {
            return;
        }
        std::vector<StoredRow> reordered;
        std::vector<RowFacts> facts;
        reordered.reserve(m_rows);
        facts.reserve(m_rows);
        for (std::size_t source : order) {
            const std::size_t from = source < m_rows ? source : 0;
            reordered.push_back(rowLocked(from));
            facts.push_back(m_facts[from]);
        }
        for (std::size_t position = 0; position < m_rows; ++position) {
            rowLocked(position) = reordered[position];
        }
        m_facts = std::move(facts);
        ++m_edits;
        ++m_textEdits;
    }
    notify();
}

RowFacts ResultList::facts(std::size_t position) const {
    std::lock_guard lock(m_mutex);
    return position < m_rows ? m_facts[position] : RowFacts{};
}

void ResultList::setCandidate(std::size_t position, std::int32_t candidate) {
    std::lock_guard lock(m_mutex);
    if (position < m_rows) {
        m_facts[position].candidate = candidate;
    }
}

int ResultList::tick(std::size_t position) const {
    std::lock_guard lock(m_mutex);
    return position < m_rows ? m_ticks[position] : kUnticked;
}

void ResultList::setTick(std::size_t position, int state) {
    {
        std::lock_guard lock(m_mutex);
        if (position >= m_rows) {
            return;
        }
        m_ticks[position] = static_cast<std::uint8_t>(state);
        ++m_edits;
    }
    notify();
}

void ResultList::setAllTicks(int state) {
    {
        std::lock_guard lock(m_mutex);
        std::fill(m_ticks.begin(), m_ticks.end(), static_cast<std::uint8_t>(state));
        ++m_edits;
    }
    notify();
}

void ResultList::clear() {
    {
        std::lock_guard lock(m_mutex);
        m_chunks.clear();
        m_arena.clear();
        std::vector<std::uint8_t>().swap(m_ticks);
        std::vector<RowFacts>().swap(m_facts);
        m_rows = 0;
        m_deadBytes = 0;
        ++m_clears;
    }
    notify();
}

void ResultList::forEachRow(const std::function<void(std::size_t, const RowView&)>& visit) const {
    std::lock_guard lock(m_mutex);
    for (std::size_t position = 0; position < m_rows; ++position) {
        const Cells cells = rowLocked(position).cells();
        visit(position, RowView{cells, m_ticks[position], m_facts[position]});
    }
}

void ResultList::withColumnTexts(int column,
                                 const std::function<void(const std::vector<std::string_view>&)>& use) const {
    std::lock_guard lock(m_mutex);
    std::vector<std::string_view> texts;
    texts.reserve(m_rows);
    for (std::size_t position = 0; position < m_rows; ++position) {
        texts.push_back(column >= 0 && column < kColumnCount ? rowLocked(position).cell(column)
                                                             : std::string_view());
    }
    use(texts);
}

void ResultList::compactIfWastefulLocked() {
    constexpr std::size_t kMinimumWaste = 16u << 20;
    if (m_deadBytes < kMinimumWaste || m_deadBytes < m_arena.bytesUsed() / 2) {
        return;
    }
    TextArena fresh;
    std::vector<StoredRow*> chunks;
    for (std::size_t position = 0; position < m_rows; ++position) {
        if (position % kRowsPerChunk == 0) {
            char* chunk = fresh.allocate(kRowsPerChunk * sizeof(StoredRow), alignof(StoredRow));
            chunks.push_back(new (chunk) StoredRow[kRowsPerChunk]);
        }
        const StoredRow& old = rowLocked(position);
        StoredRow& moved = chunks.back()[position % kRowsPerChunk];
        char* texts = fresh.allocate(old.ends.back());
        if (old.ends.back() != 0) {
            std::memcpy(texts, old.texts, old.ends.back());
        }
        moved.texts = texts;
        moved.ends = old.ends;
    }
    m_arena = std::move(fresh);
    m_chunks = std::move(chunks);
    m_deadBytes = 0;
}

ResultList::Revision ResultList::revision() const {
    std::lock_guard lock(m_mutex);
    return Revision{m_clears, m_edits, m_textEdits, m_rows};
}

void ResultList::setChangeListener(std::function<void()> listener) {
    std::lock_guard lock(m_listenerMutex);
    m_listener = std::move(listener);
}

void ResultList::notify() {
    std::lock_guard lock(m_listenerMutex);
    if (m_listener) {
        m_listener();
    }
}

} // namespace yuzhou
