#include "search/ResultList.h"

namespace yuzhou {

std::string_view ResultList::StoredRow::cell(int column) const {
    const std::uint32_t begin = column == 0 ? 0 : ends[static_cast<std::size_t>(column - 1)];
    return std::string_view(texts).substr(begin, ends[static_cast<std::size_t>(column)] - begin);
}

void ResultList::StoredRow::setCell(int column, std::string_view text) {
    const auto index = static_cast<std::size_t>(column);
    const std::uint32_t begin = column == 0 ? 0 : ends[index - 1];
    const std::uint32_t oldLength = ends[index] - begin;
    texts.replace(begin, oldLength, text);
    const auto delta = static_cast<std::int64_t>(text.size()) - static_cast<std::int64_t>(oldLength);
    for (std::size_t c = index; c < ends.size(); ++c) {
        ends[c] = static_cast<std::uint32_t>(static_cast<std::int64_t>(ends[c]) + delta);
    }
}

ResultList::StoredRow ResultList::store(const ResultRow& row) {
    StoredRow stored;
    std::size_t total = 0;
    for (const std::string& text : row.cells) {
        total += text.size();
    }
    stored.texts.reserve(total);
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        stored.texts += row.cells[c];
        stored.ends[c] = static_cast<std::uint32_t>(stored.texts.size());
    }
    stored.tick = row.tick;
    return stored;
}

std::size_t ResultList::rowCount() const {
    std::lock_guard lock(m_mutex);
    return m_rows.size();
}

std::size_t ResultList::appendRow(const ResultRow& row) {
    StoredRow stored = store(row);
    std::size_t position = 0;
    {
        std::lock_guard lock(m_mutex);
        position = m_rows.size();
        m_rows.push_back(std::move(stored));
    }
    notify();
    return position;
}

ResultRow ResultList::row(std::size_t position) const {
    ResultRow result;
    std::lock_guard lock(m_mutex);
    if (position < m_rows.size()) {
        const StoredRow& stored = m_rows[position];
        for (int c = 0; c < kColumnCount; ++c) {
            result.cells[static_cast<std::size_t>(c)] = stored.cell(c);
        }
        result.tick = stored.tick;
    }
    return result;
}

std::string ResultList::cell(std::size_t position, int column) const {
    std::lock_guard lock(m_mutex);
    if (position >= m_rows.size() || column < 0 || column >= kColumnCount) {
        return {};
    }
    return std::string(m_rows[position].cell(column));
}

void ResultList::setCell(std::size_t position, int column, std::string_view text) {
    {
        std::lock_guard lock(m_mutex);
        if (position >= m_rows.size() || column < 0 || column >= kColumnCount) {
            return;
        }
        m_rows[position].setCell(column, text);
        ++m_edits;
    }
    notify();
}

int ResultList::tick(std::size_t position) const {
    std::lock_guard lock(m_mutex);
    return position < m_rows.size() ? m_rows[position].tick : kUnticked;
}

void ResultList::setTick(std::size_t position, int state) {
    {
        std::lock_guard lock(m_mutex);
        if (position >= m_rows.size()) {
            return;
        }
        m_rows[position].tick = state;
        ++m_edits;
    }
    notify();
}

void ResultList::setAllTicks(int state) {
    {
        std::lock_guard lock(m_mutex);
        for (StoredRow& stored : m_rows) {
            stored.tick = state;
        }
        ++m_edits;
    }
    notify();
}

void ResultList::clear() {
    {
        std::lock_guard lock(m_mutex);
        // Swapping frees the memory of a large list at once.
        std::deque<StoredRow>().swap(m_rows);
        ++m_clears;
    }
    notify();
}

ResultList::Revision ResultList::revision() const {
    std::lock_guard lock(m_mutex);
    return Revision{m_clears, m_edits, m_rows.size()};
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
