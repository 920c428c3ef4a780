#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace yuzhou {

/// Lets a press of the left button on a widget move the widget's window, as dragging a title
/// bar would. Only the widgets it is installed on start a drag, together with whatever mouse
/// presses their children pass up unhandled (a label, say); a child that takes its presses,
/// such as a PictureButton, keeps them.
class WindowDragger : public QObject {
    Q_OBJECT

public:
    /// Makes left-button presses on `widget` move its window. The dragger belongs to the widget;
    /// installing twice on one widget changes nothing.
    static void install(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowDragger(QWidget* widget);

    QWidget* m_widget;
    bool m_dragging = false;
    /// Where the mouse was pressed, relative to the window's frame.
    QPoint m_grabOffset;
};

} // namespace yuzhou
