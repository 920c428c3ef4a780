#include "list/CellColours.h"

namespace yuzhou {

std::uint64_t CellColours::keyOf(int row, int column) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32 |
           static_cast<std::uint32_t>(column);
}

void CellColours::setCellColour(int row, int column, Colour text, std::optional<Colour> back) {
    {
        std::lock_guard lock(m_mutex);
        m_active = true;
        const CellColour colour{text, back.value_or(m_listColours.back)};
        if (colour == m_listColours) {
            m_entries.erase(keyOf(row, column));
        } else {
            m_entries[keyOf(row, column)] = colour;
        }
    }
    repaint();
}

void CellColours::clearCellColours() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_active) {
            return;
        }
        m_entries.clear();
        m_active = false;
    }
    repaint();
}

CellColour CellColours::colourAt(int row, int column) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_entries.find(keyOf(row, column));
    return found == m_entries.end() ? m_listColours : found->second;
}

std::size_t CellColours::entryCount() const {
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

CellColour CellColours::listColours() const {
    std::lock_guard lock(m_mutex);
    return m_listColours;
}

void CellColours::setRepaintListener(std::function<void()> listener) {
    std::lock_guard lock(m_mutex);
    m_repaint = std::move(listener);
}

void CellColours::repaint() {
    std::function<void()> listener;
    {
        std::lock_guard lock(m_mutex);
        listener = m_repaint;
    }
    if (listener) {
        listener();
    }
}

} // namespace yuzhou
