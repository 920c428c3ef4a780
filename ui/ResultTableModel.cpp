#include "ResultTableModel.h"

#include "list/CellColours.h"

#include <QColor>
#include <array>

namespace yuzhou {

namespace {

constexpr int kSyncInterval = 40; // milliseconds

constexpr std::array<int, kColumnCount> kWidths = {25, 40, 140, 420, 70, 135, 135, 130, 20};
constexpr std::array<bool, kColumnCount> kCentred = {false, true, false, false, true,
                                                     true,  true, true,  false};

QColor toQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

} // namespace

ResultTableModel::ResultTableModel(ResultList& results, CellColours& colours, QObject* parent)
    : QAbstractTableModel(parent), m_results(results), m_colours(colours), m_seen(results.revision()) {
    // The model starts with what the list holds, and then follows it.
    m_seen.rows = m_results.rowCount();
    m_colours.setRepaintListener([this] { m_coloursChanged = true; });
    m_syncTimer.setInterval(kSyncInterval);
    connect(&m_syncTimer, &QTimer::timeout, this, &ResultTableModel::synchronise);
    m_syncTimer.start();
}

ResultTableModel::~ResultTableModel() {
    m_colours.setRepaintListener({});
}

int ResultTableModel::columnWidth(int column) {
    return column >= 0 && column < kColumnCount ? kWidths[static_cast<std::size_t>(column)] : 0;
}

Qt::Alignment ResultTableModel::columnAlignment(int column) {
    const bool centred = column >= 0 && column < kColumnCount && kCentred[static_cast<std::size_t>(column)];
    return (centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
}

void ResultTableModel::synchronise() {
    const ResultList::Revision now = m_results.revision();
    if (now.clears != m_seen.clears) {
        beginResetModel();
        m_seen = now;
        endResetModel();
        m_coloursChanged = false;
        return;
    }
    if (now.rows > m_seen.rows) {
        beginInsertRows(QModelIndex(), static_cast<int>(m_seen.rows), static_cast<int>(now.rows) - 1);
        m_seen.rows = now.rows;
        endInsertRows();
    }
    const bool coloursChanged = m_coloursChanged.exchange(false);
    if ((now.edits != m_seen.edits || coloursChanged) && m_seen.rows > 0) {
        m_seen.edits = now.edits;
        // The view repaints only the rows it shows, however wide the range.
        emit dataChanged(index(0, 0), index(static_cast<int>(m_seen.rows) - 1, kColumnCount - 1));
    }
    m_seen.edits = now.edits;
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_seen.rows);
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == kTickColumn) {
            return {};
        }
        return QString::fromStdString(m_results.cell(row, column));
    case Qt::CheckStateRole:
        if (column == kTickColumn) {
            return m_results.tick(row) == kTicked ? Qt::Checked : Qt::Unchecked;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columnAlignment(column));
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const CellColour colour = m_colours.colourAt(index.row(), column);
        if (colour == m_colours.listColours()) {
            return {}; // the view's own palette
        }
        return toQColor(role == Qt::ForegroundRole ? colour.text : colour.back);
    }
    default:
        return {};
    }
}

bool ResultTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != kTickColumn || role != Qt::CheckStateRole) {
        return false;
    }
    const bool checked = value.value<Qt::CheckState>() == Qt::Checked;
    m_results.setTick(static_cast<std::size_t>(index.row()), checked ? kTicked : kUnticked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == kTickColumn) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(
            kColumnTitles[static_cast<std::size_t>(section)].data(),
            static_cast<qsizetype>(kColumnTitles[static_cast<std::size_t>(section)].size()));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(columnAlignment(section));
    }
    return {};
}

} // namespace yuzhou
