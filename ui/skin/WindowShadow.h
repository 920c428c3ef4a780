#pragma once

#include <QWidget>

namespace yuzhou {

/// A soft black shadow around a frameless top-level window. It is a translucent window of its
/// own that lies around the target, follows its moves, sizes and visibility, takes no input at
/// all, and is deleted together with the target.
class WindowShadow : public QWidget {
    Q_OBJECT

public:
    /// Gives `target` (a top-level window) a shadow `width` pixels wide on each side and returns
    /// it. Call once per window; the shadow belongs to the target from then on.
    static WindowShadow* attach(QWidget* target, int width);

    /// How far the shadow reaches beyond each edge of the target's frame.
    int shadowWidth() const { return m_width; }

    /// Whether translucent windows look translucent here. On X11 without a compositing manager
    /// they come out black, and then no shadow is shown.
    static bool displaySupportsShadows();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    WindowShadow(QWidget* target, int width);

    void followGeometry();
    void followVisibility(bool targetShown);
    void restack();

    QWidget* m_target;
    int m_width;
};

} // namespace yuzhou
