#pragma once

#include "skin/Icons.h"

#include <QPixmap>
#include <QWidget>

namespace yuzhou {

/// A picture that works as a button on a header band: it shows one icon filling the widget,
/// lights up softly under the mouse, and reports presses and releases of the left button.
class PictureButton : public QWidget {
    Q_OBJECT

public:
    explicit PictureButton(IconKind kind, QWidget* parent = nullptr);

    IconKind iconKind() const { return m_kind; }

    QSize sizeHint() const override;

signals:
    /// The left button went down on the picture.
    void pressed();
    /// The left button, pressed on the picture, came up while still over it.
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const QPixmap& icon();

    IconKind m_kind;
    bool m_hovered = false;
    bool m_down = false;
    QPixmap m_icon;
};

} // namespace yuzhou
