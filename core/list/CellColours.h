#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace yuzhou {

/// A colour as 0x00BBGGRR: 255 is red.
using Colour = std::uint32_t;

inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

/// Text and background colour of one cell.
struct CellColour {
    Colour text = kBlack;
    Colour back = kWhite;
    bool operator==(const CellColour&) const = default;
};

/// The coloured cells of the result list. Colours belong to cell positions, not to files:
/// when the texts move, the colours stay until they are cleared and set again.
///
/// One thread may set colours while another reads them for painting; every call locks.
class CellColours {
public:
    /// The list's own colours: a cell set to them has no entry.
    explicit CellColours(CellColour listColours = {}) : m_listColours(listColours) {}

    /// Colours one cell; without a background the list's own is used. Setting a cell to the
    /// list's own colours removes its entry. Setting a cell twice keeps the newer colours.
    void setCellColour(int row, int column, Colour text, std::optional<Colour> back = std::nullopt);

    /// Removes every entry. When nothing was ever set since the last clear, nothing happens,
    /// not even a repaint.
    void clearCellColours();

    /// The colours a cell is painted with: its entry, or the list's own colours.
    CellColour colourAt(int row, int column) const;

    std::size_t entryCount() const;
    CellColour listColours() const;

    /// Called after every change that needs a repaint, outside the lock.
    void setRepaintListener(std::function<void()> listener);

private:
    static std::uint64_t keyOf(int row, int column);
    void repaint();

    mutable std::mutex m_mutex;
    std::unordered_map<std::uint64_t, CellColour> m_entries;
    CellColour m_listColours;
    /// Whether any colour was set since the last clear.
    bool m_active = false;
    std::function<void()> m_repaint;
};

} // namespace yuzhou
