#pragma once

#include "search/ResultList.h"

#include <QAbstractTableModel>
#include <QTimer>
#include <atomic>

namespace yuzhou {

class CellColours;

/// The result list as Qt's views see it: the nine columns with their titles and
/// alignment, a check box in the first column, and the colours of CellColours.
///
/// The list may grow by a million rows in a search; the model takes the changes in
/// batches, a few dozen times a second, so the view is told of appends in chunks and
/// never walks the whole list.
class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    ResultTableModel(ResultList& results, CellColours& colours, QObject* parent = nullptr);
    ~ResultTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// Brings the model up to the list's state now instead of at the next batch.
    void synchronise();

    /// The widths of the columns in pixels.
    static int columnWidth(int column);
    static Qt::Alignment columnAlignment(int column);

private:
    ResultList& m_results;
    CellColours& m_colours;
    QTimer m_syncTimer;
    ResultList::Revision m_seen;
    std::atomic<bool> m_coloursChanged{false};
};

} // namespace yuzhou
