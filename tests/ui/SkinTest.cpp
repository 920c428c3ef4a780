#include "skin/HeaderBand.h"
#include "skin/Icons.h"
#include "skin/PictureButton.h"
#include "skin/WindowDragger.h"
#include "skin/WindowShadow.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace yuzhou;

namespace {

std::unique_ptr<QWidget> makeFramelessWindow(const QRect& geometry) {
    auto window = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window->setGeometry(geometry);
    return window;
}

/// Delivers a mouse event with an explicit global position, as the window system would.
void sendMouse(QWidget* receiver, QEvent::Type type, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, receiver->mapFromGlobal(QPointF(global)), QPointF(global), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

QImage argbImage(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

enum class TargetChange { Hide, Minimise, Maximise, FullScreen };

} // namespace

Q_DECLARE_METATYPE(IconKind)
Q_DECLARE_METATYPE(TargetChange)

class SkinTest : public QObject {
    Q_OBJECT

private slots:
    void shadowSurroundsTargetFrame_data();
    void shadowSurroundsTargetFrame();
    void shadowFollowsVisibility_data();
    void shadowFollowsVisibility();
    void shadowTakesNoInput();
    void shadowIsDeletedWithTarget();
    void shadowFadesOutwards();
    void iconHasSizeRatioAndContent_data();
    void iconHasSizeRatioAndContent();
    void iconsDifferFromEachOther();
    void pictureButtonSignals_data();
    void pictureButtonSignals();
    void pictureButtonHighlightsUnderMouse();
    void draggerFollowsMouse_data();
    void draggerFollowsMouse();
    void headerBandDragsButNotThroughButtons_data();
    void headerBandDragsButNotThroughButtons();
    void headerBandRunsFromBlueToTeal();
};

void SkinTest::shadowSurroundsTargetFrame_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("main window") << 5;
    QTest::newRow("settings dialog") << 4;
    QTest::newRow("tutorial window") << 3;
}

void SkinTest::shadowSurroundsTargetFrame() {
    QFETCH(int, width);
    auto target = makeFramelessWindow(QRect(100, 120, 400, 200));
    WindowShadow* shadow = WindowShadow::attach(target.get(), width);
    QCOMPARE(shadow->shadowWidth(), width);
    QVERIFY(!shadow->isVisible());

    target->show();
    QVERIFY(QTest::qWaitForWindowExposed(target.get()));
    QTRY_VERIFY(shadow->isVisible());
    const int w = width;
    QTRY_COMPARE(shadow->geometry(), QRect(100 - w, 120 - w, 400 + 2 * w, 200 + 2 * w));
    QCOMPARE(shadow->geometry(), target->frameGeometry().marginsAdded(QMargins(w, w, w, w)));

    target->move(330, 260);
    QTRY_COMPARE(shadow->geometry(), QRect(330 - w, 260 - w, 400 + 2 * w, 200 + 2 * w));

    target->resize(520, 150);
    QTRY_COMPARE(shadow->geometry(), QRect(330 - w, 260 - w, 520 + 2 * w, 150 + 2 * w));
    QCOMPARE(shadow->geometry(), target->frameGeometry().marginsAdded(QMargins(w, w, w, w)));
}

void SkinTest::shadowFollowsVisibility_data() {
    QTest::addColumn<TargetChange>("change");
    QTest::newRow("hidden, shown") << TargetChange::Hide;
    QTest::newRow("minimised, restored") << TargetChange::Minimise;
    QTest::newRow("maximised, restored") << TargetChange::Maximise;
    QTest::newRow("full screen, restored") << TargetChange::FullScreen;
}

void SkinTest::shadowFollowsVisibility() {
    QFETCH(TargetChange, change);
    auto target = makeFramelessWindow(QRect(80, 90, 300, 160));
    WindowShadow* shadow = WindowShadow::attach(target.get(), 5);
    target->show();
    QVERIFY(QTest::qWaitForWindowExposed(target.get()));
    QTRY_VERIFY(shadow->isVisible());

    switch (change) {
    case TargetChange::Hide:
        target->hide();
        break;
    case TargetChange::Minimise:
        target->showMinimized();
        break;
    case TargetChange::Maximise:
        target->showMaximized();
        break;
    case TargetChange::FullScreen:
        target->showFullScreen();
        break;
    }
    QTRY_VERIFY(!shadow->isVisible());

    if (change == TargetChange::Hide) {
        target->show();
    } else {
        target->showNormal();
    }
    QTRY_VERIFY(shadow->isVisible());
    QTRY_COMPARE(shadow->geometry(), QRect(75, 85, 310, 170));
}

void SkinTest::shadowTakesNoInput() {
    auto target = makeFramelessWindow(QRect(50, 50, 200, 100));
    WindowShadow* shadow = WindowShadow::attach(target.get(), 5);
    target->show();
    QVERIFY(QTest::qWaitForWindowExposed(target.get()));
    QTRY_VERIFY(shadow->isVisible());

    QVERIFY(shadow->testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(shadow->testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(shadow->testAttribute(Qt::WA_ShowWithoutActivating));
    const Qt::WindowFlags flags = shadow->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowTransparentForInput));
    QVERIFY(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    QCOMPARE(shadow->windowType(), Qt::Tool);
    QVERIFY(shadow->isWindow());
    QVERIFY(shadow->windowHandle() != nullptr);
    QVERIFY(shadow->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
    // Showing the shadow must not take the focus from the window it shades.
    QVERIFY(!shadow->isActiveWindow());
}

void SkinTest::shadowIsDeletedWithTarget() {
    auto target = makeFramelessWindow(QRect(50, 50, 200, 100));
    QPointer<WindowShadow> shadow = WindowShadow::attach(target.get(), 4);
    target->show();
    QVERIFY(QTest::qWaitForWindowExposed(target.get()));
    QVERIFY(!shadow.isNull());
    QVERIFY(shadow->parent() == nullptr);

    target.reset();
    QVERIFY(shadow.isNull());
}

void SkinTest::shadowFadesOutwards() {
    const int w = 5;
    auto target = makeFramelessWindow(QRect(100, 100, 200, 100));
    WindowShadow* shadow = WindowShadow::attach(target.get(), w);
    target->show();
    QVERIFY(QTest::qWaitForWindowExposed(target.get()));
    QTRY_COMPARE(shadow->size(), QSize(210, 110));

    const QImage image = argbImage(shadow->grab());
    QCOMPARE(image.size(), QSize(210, 110));
    const int middleY = 55;
    const int middleX = 105;
    // Walking out from the target's edge on each side, the shadow must grow strictly fainter:
    // dark next to the window, nearly clear at the outer edge.
    const struct {
        const char* side;
        QPoint innermost;
        QPoint outward;
    } sides[] = {
        {"left", QPoint(w - 1, middleY), QPoint(-1, 0)},
        {"right", QPoint(210 - w, middleY), QPoint(1, 0)},
        {"top", QPoint(middleX, w - 1), QPoint(0, -1)},
        {"bottom", QPoint(middleX, 110 - w), QPoint(0, 1)},
    };
    for (const auto& side : sides) {
        int previous = 256;
        for (int step = 0; step < w; ++step) {
            const QColor pixel = image.pixelColor(side.innermost + side.outward * step);
            QVERIFY2(pixel.alpha() < previous, side.side);
            QVERIFY2(pixel.red() == 0 && pixel.green() == 0 && pixel.blue() == 0, side.side);
            previous = pixel.alpha();
        }
        QVERIFY2(image.pixelColor(side.innermost).alpha() >= 60, side.side);
        QVERIFY2(previous <= 15, side.side);
        // Under the target itself the shadow is fully clear.
        QCOMPARE(image.pixelColor(side.innermost - side.outward).alpha(), 0);
    }
    QCOMPARE(image.pixelColor(middleX, middleY).alpha(), 0);
    // Round corners: the outermost corner pixel lies beyond the shadow's reach, while the
    // pixel touching the target's corner is as dark as the edges.
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(209, 109).alpha(), 0);
    QVERIFY(image.pixelColor(w - 1, w - 1).alpha() >= 50);
}

void SkinTest::iconHasSizeRatioAndContent_data() {
    QTest::addColumn<IconKind>("kind");
    QTest::addColumn<QSize>("logicalSize");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("pixelSize");
    QTest::addColumn<bool>("light");

    const struct {
        const char* name;
        IconKind kind;
        bool light;
    } kinds[] = {
        {"settings", IconKind::Settings, true}, {"tutorial", IconKind::Tutorial, true},
        {"update", IconKind::Update, true},     {"minimise", IconKind::Minimise, true},
        {"close", IconKind::Close, true},       {"logo", IconKind::Logo, false},
    };
    const struct {
        QSize logical;
        qreal ratio;
        QSize pixels;
    } scales[] = {
        {QSize(24, 24), 1.0, QSize(24, 24)},
        {QSize(50, 50), 1.5, QSize(75, 75)},
        {QSize(22, 16), 2.0, QSize(44, 32)},
    };
    for (const auto& kind : kinds) {
        for (const auto& scale : scales) {
            QTest::addRow("%s %dx%d @%.1f", kind.name, scale.logical.width(), scale.logical.height(),
                          scale.ratio)
                << kind.kind << scale.logical << scale.ratio << scale.pixels << kind.light;
        }
    }
}

void SkinTest::iconHasSizeRatioAndContent() {
    QFETCH(IconKind, kind);
    QFETCH(QSize, logicalSize);
    QFETCH(qreal, ratio);
    QFETCH(QSize, pixelSize);
    QFETCH(bool, light);

    const QPixmap pixmap = drawIcon(kind, logicalSize, ratio);
    QCOMPARE(pixmap.size(), pixelSize);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), logicalSize);

    const QImage image = argbImage(pixmap);
    int opaque = 0;
    int maxAlpha = 0;
    qint64 lightness = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            maxAlpha = std::max(maxAlpha, pixel.alpha());
            if (pixel.alpha() >= 128) {
                ++opaque;
                lightness += pixel.lightness();
            }
        }
    }
    QVERIFY2(maxAlpha >= 200, "the picture has solid strokes");
    QVERIFY(opaque > 0);
    if (light) {
        QVERIFY2(lightness / opaque >= 200, "drawn light, for the dark header bands");
    }
    // The picture does not fill its square: the corners stay transparent, not black.
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1).alpha(), 0);
}

void SkinTest::iconsDifferFromEachOther() {
    const IconKind kinds[] = {IconKind::Settings, IconKind::Tutorial, IconKind::Update,
                              IconKind::Minimise, IconKind::Close,    IconKind::Logo};
    QList<QImage> images;
    for (IconKind kind : kinds) {
        images.append(argbImage(drawIcon(kind, QSize(32, 32), 1.0)));
    }
    for (qsizetype i = 0; i < images.size(); ++i) {
        for (qsizetype j = i + 1; j < images.size(); ++j) {
            QVERIFY2(images[i] != images[j], qPrintable(QStringLiteral("icons %1 and %2").arg(i).arg(j)));
        }
    }
}

void SkinTest::pictureButtonSignals_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("pressedCount");
    QTest::addColumn<int>("releasedCount");
    QTest::newRow("left, released inside") << Qt::LeftButton << QPoint(20, 14) << 1 << 1;
    QTest::newRow("left, released outside") << Qt::LeftButton << QPoint(60, 14) << 1 << 0;
    QTest::newRow("right") << Qt::RightButton << QPoint(12, 12) << 0 << 0;
    QTest::newRow("middle") << Qt::MiddleButton << QPoint(12, 12) << 0 << 0;
}

void SkinTest::pictureButtonSignals() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, pressedCount);
    QFETCH(int, releasedCount);

    auto window = makeFramelessWindow(QRect(40, 40, 120, 60));
    auto* picture = new PictureButton(IconKind::Close, window.get());
    picture->setGeometry(10, 10, 24, 24);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);

    QSignalSpy pressed(picture, &PictureButton::pressed);
    QSignalSpy released(picture, &PictureButton::released);
    QTest::mousePress(picture, button, Qt::NoModifier, QPoint(12, 12));
    QCOMPARE(pressed.count(), pressedCount);
    QCOMPARE(released.count(), 0);
    QTest::mouseRelease(picture, button, Qt::NoModifier, releaseAt);
    QCOMPARE(pressed.count(), pressedCount);
    QCOMPARE(released.count(), releasedCount);
}

void SkinTest::pictureButtonHighlightsUnderMouse() {
    auto window = makeFramelessWindow(QRect(40, 40, 120, 60));
    QPalette bandColours = window->palette();
    bandColours.setColor(QPalette::Window, QColor(0x1f, 0x4e, 0x79));
    window->setPalette(bandColours);
    auto* picture = new PictureButton(IconKind::Minimise, window.get());
    picture->setGeometry(10, 10, 30, 30);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    // (2, 2) lies in the rounded highlight but away from the bar of the minimise picture.
    const QColor plain = window->grab().toImage().pixelColor(12, 12);
    QEnterEvent enter(QPointF(15, 15), QPointF(25, 25), picture->mapToGlobal(QPointF(15, 15)));
    QApplication::sendEvent(picture, &enter);
    const QColor lit = window->grab().toImage().pixelColor(12, 12);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(picture, &leave);
    const QColor afterwards = window->grab().toImage().pixelColor(12, 12);

    QVERIFY2(lit.lightness() > plain.lightness(), "lighter under the mouse");
    QCOMPARE(afterwards, plain);
}

void SkinTest::draggerFollowsMouse_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("displacement");
    QTest::addColumn<bool>("moves");
    QTest::newRow("right and down") << Qt::LeftButton << QPoint(40, 25) << true;
    QTest::newRow("left and down") << Qt::LeftButton << QPoint(-30, 10) << true;
    QTest::newRow("up") << Qt::LeftButton << QPoint(0, -20) << true;
    QTest::newRow("right button") << Qt::RightButton << QPoint(40, 25) << false;
}

void SkinTest::draggerFollowsMouse() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, displacement);
    QFETCH(bool, moves);

    auto window = makeFramelessWindow(QRect(200, 150, 300, 120));
    auto* grip = new QWidget(window.get());
    grip->setGeometry(0, 0, 300, 30);
    WindowDragger::install(grip);
    WindowDragger::install(grip);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(window->pos(), QPoint(200, 150));

    const QPoint pressAt = grip->mapToGlobal(QPoint(50, 15));
    QCOMPARE(pressAt, QPoint(250, 165));
    sendMouse(grip, QEvent::MouseButtonPress, pressAt, button, button);
    sendMouse(grip, QEvent::MouseMove, pressAt + displacement, Qt::NoButton, button);
    const QPoint expected = moves ? QPoint(200, 150) + displacement : QPoint(200, 150);
    QTRY_COMPARE(window->pos(), expected);
    sendMouse(grip, QEvent::MouseButtonRelease, pressAt + displacement, button, Qt::NoButton);

    // Once the button is up, moving the mouse leaves the window where it is.
    sendMouse(grip, QEvent::MouseMove, pressAt + displacement + QPoint(15, 15), Qt::NoButton, Qt::NoButton);
    QTest::qWait(20);
    QCOMPARE(window->pos(), expected);
}

void SkinTest::headerBandDragsButNotThroughButtons_data() {
    QTest::addColumn<bool>("onButton");
    QTest::addColumn<bool>("moves");
    QTest::newRow("press on the band") << false << true;
    QTest::newRow("press on a picture button") << true << false;
}

void SkinTest::headerBandDragsButNotThroughButtons() {
    QFETCH(bool, onButton);
    QFETCH(bool, moves);

    auto window = makeFramelessWindow(QRect(120, 100, 400, 200));
    auto* band = new HeaderBand(window.get());
    band->setGeometry(0, 0, 400, 48);
    auto* close = new PictureButton(IconKind::Close, band);
    close->setGeometry(370, 4, 24, 24);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(window->pos(), QPoint(120, 100));

    QWidget* pressed = onButton ? static_cast<QWidget*>(close) : static_cast<QWidget*>(band);
    const QPoint pressAt = onButton ? close->mapToGlobal(QPoint(12, 12)) : band->mapToGlobal(QPoint(100, 20));
    const QPoint displacement(-35, 45);
    sendMouse(pressed, QEvent::MouseButtonPress, pressAt, Qt::LeftButton, Qt::LeftButton);
    sendMouse(pressed, QEvent::MouseMove, pressAt + displacement, Qt::NoButton, Qt::LeftButton);
    const QPoint expected = moves ? QPoint(85, 145) : QPoint(120, 100);
    QTRY_COMPARE(window->pos(), expected);
    sendMouse(pressed, QEvent::MouseButtonRelease, pressAt + displacement, Qt::LeftButton, Qt::NoButton);
    QTest::qWait(20);
    QCOMPARE(window->pos(), expected);
}

void SkinTest::headerBandRunsFromBlueToTeal() {
    auto window = makeFramelessWindow(QRect(0, 0, 300, 60));
    auto* band = new HeaderBand(window.get());
    band->setGeometry(0, 0, 300, 48);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    const QImage image = band->grab().toImage();
    const auto near = [](QColor actual, QColor expected) {
        return std::abs(actual.red() - expected.red()) <= 3 &&
               std::abs(actual.green() - expected.green()) <= 3 &&
               std::abs(actual.blue() - expected.blue()) <= 3;
    };
    // Deep blue #1f4e79 at the left end, teal #2e86ab at the right, and halfway in between.
    QVERIFY(near(image.pixelColor(0, 24), QColor(0x1f, 0x4e, 0x79)));
    QVERIFY(near(image.pixelColor(299, 24), QColor(0x2e, 0x86, 0xab)));
    QVERIFY(near(image.pixelColor(150, 24), QColor(0x27, 0x6a, 0x92)));
}

QTEST_MAIN(SkinTest)

#include "SkinTest.moc"
