#pragma once

#include <QWidget>

namespace yuzhou {

/// The band along the top of a window that stands in for its title bar: a calm blue-to-teal
/// gradient without text of its own (the window places its labels and buttons on it). Pressing
/// the left button on the band moves the window.
class HeaderBand : public QWidget {
    Q_OBJECT

public:
    explicit HeaderBand(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace yuzhou
