#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <vector>

class QHBoxLayout;
class QLabel;

namespace yuzhou {

/// The main window's status bar: panes of given widths side by side, drawn without a
/// border, the last of width -1 reaching to the right end.
///
/// A pane's text may change for every file of a search; the label shows it at most every
/// few dozen milliseconds, so a search does not spend its time laying out text nobody
/// can read that fast.
class StatusPanes : public QWidget {
    Q_OBJECT

public:
    explicit StatusPanes(QWidget* parent = nullptr);

    void clear();
    void addPane(const QString& text, int width);
    void removePane(int index);
    void setPaneText(int index, const QString& text);
    void setPaneWidth(int index, int width);

    int paneCount() const;
    /// The text a pane holds now, shown or about to be shown.
    QString paneText(int index) const;
    int paneWidth(int index) const;
    /// A pane's rectangle in this widget's coordinates.
    QRect paneRect(int index) const;

signals:
    /// The panes moved or changed size.
    void panesChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Pane {
        QLabel* label;
        QString text;
        int width;
    };

    bool validIndex(int index) const;
    void relayout();
    void showPendingTexts();

    QHBoxLayout* m_layout;
    std::vector<Pane> m_panes;
    QTimer m_textTimer;
    QElapsedTimer m_sinceShown;
};

} // namespace yuzhou
