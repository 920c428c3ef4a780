#include "TutorialWindow.h"

#include "MainWindow.h"
#include "MessageBoxWatcher.h"
#include "ProgramState.h"
#include "RecordingToolkit.h"
#include "StartupToolkit.h"
#include "TempFolder.h"
#include "TestServer.h"
#include "skin/HeaderBand.h"
#include "skin/PictureButton.h"
#include "skin/WindowShadow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

namespace yuzhou {

/// Takes the addresses that QDesktopServices would hand to the browser, so that no test
/// starts one.
class AddressCatcher : public QObject {
    Q_OBJECT

public:
    AddressCatcher() {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    }
    ~AddressCatcher() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    QStringList opened;

public slots:
    void openUrl(const QUrl& url) { opened << url.toString(); }
};

class TutorialWindowTest : public QObject {
    Q_OBJECT

private:
    static constexpr const char* kInformation = "教程 在线视频教程地址：http://video.example/online "
                                                "视频下载地址：http://video.example/tutorial.mp4 完";

    /// A tutorial window on the test's own server, deleted at the end unless it went first.
    struct Fixture {
        Fixture() {
            server.reply("/info", kInformation);
            window = new TutorialWindow(toolkit, server.address("/info"));
            window->show();
        }
        ~Fixture() { delete window.data(); }

        template <typename Widget> Widget* find(const char* name) const {
            return window->findChild<Widget*>(QLatin1String(name));
        }

        test::TestServer server;
        test::RecordingToolkit toolkit;
        QPointer<TutorialWindow> window;
    };

    /// Delivers a mouse event with an explicit global position, as the window system would.
    static void sendMouse(QWidget* receiver, QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, receiver->mapFromGlobal(QPointF(global)), QPointF(global), Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(receiver, &event);
    }

private slots:
    void theWindowIsFramelessWithItsTitleSizeAndShadow() {
        Fixture fixture;
        QCOMPARE(fixture.window->windowTitle(), QStringLiteral("使用教程"));
        QCOMPARE(fixture.window->size(), QSize(467, 282));
        QVERIFY(fixture.window->windowFlags() & Qt::FramelessWindowHint);
        int shadows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* shadow = qobject_cast<WindowShadow*>(widget)) {
                ++shadows;
                QCOMPARE(shadow->shadowWidth(), 3);
            }
        }
        QCOMPARE(shadows, 1);
    }

    void controlsStandWhereTheyBelong_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("header band") << "headerBand" << QRect(0, 0, 529, 40) << "";
        QTest::newRow("icon") << "tutorialIcon" << QRect(14, 1, 36, 36) << "";
        QTest::newRow("title") << "titleLabel" << QRect(61, 1, 83, 40) << "使用教程";
        QTest::newRow("minimise") << "minimisePicture" << QRect(396, 17, 20, 14) << "";
        QTest::newRow("close") << "closePicture" << QRect(441, 4, 22, 22) << "";
        QTest::newRow("online video") << "onlineVideoButton" << QRect(152, 86, 184, 28) << "1.在线视频教程";
        QTest::newRow("video download")
            << "videoDownloadButton" << QRect(151, 129, 184, 28) << "2.下载视频教程";
        QTest::newRow("document") << "documentButton" << QRect(151, 170, 184, 28) << "3.下载文档教程";
        QTest::newRow("bottom picture") << "bottomPicture" << QRect(0, 264, 496, 35) << "";
    }

    void controlsStandWhereTheyBelong() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        Fixture fixture;
        auto* widget = fixture.window->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        // The band's children sit at the band's origin, which is the window's.
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->mapTo(fixture.window, QPoint(0, 0)), geometry.topLeft());
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), text);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), text);
        }
    }

    void thePicturesShowTheirIcons() {
        Fixture fixture;
        QCOMPARE(fixture.find<PictureButton>("tutorialIcon")->iconKind(), IconKind::Tutorial);
        QCOMPARE(fixture.find<PictureButton>("minimisePicture")->iconKind(), IconKind::Minimise);
        QCOMPARE(fixture.find<PictureButton>("closePicture")->iconKind(), IconKind::Close);
    }

    void theLinksActAsTheButtonGoesDown_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("address");
        QTest::newRow("online video") << "onlineVideoButton"
                                      << "http://video.example/online";
        QTest::newRow("video download") << "videoDownloadButton"
                                        << "http://video.example/tutorial.mp4";
    }

    void theLinksActAsTheButtonGoesDown() {
        QFETCH(QString, button);
        QFETCH(QString, address);
        Fixture fixture;
        auto* link = fixture.window->findChild<QPushButton*>(button);
        QVERIFY(link != nullptr);

        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(fixture.toolkit.openedAddresses, std::vector<std::string>{address.toStdString()});
        QTest::mouseRelease(link, Qt::LeftButton);
        QCOMPARE(fixture.toolkit.openedAddresses.size(), std::size_t{1});

        const auto requests = fixture.server.requests();
        QCOMPARE(requests.size(), std::size_t{1});
        QCOMPARE(requests[0].requestLine, std::string("POST /info HTTP/1.1"));
        QCOMPARE(requests[0].body, std::string());
        QVERIFY(fixture.toolkit.messages().empty());
    }

    void aLinkWithoutAnAddressDoesNothing() {
        Fixture fixture;
        fixture.server.reply("/info", "维护中，在线视频教程地址：");
        QTest::mouseClick(fixture.find<QPushButton>("onlineVideoButton"), Qt::LeftButton);
        QTest::mouseClick(fixture.find<QPushButton>("videoDownloadButton"), Qt::LeftButton);
        QCOMPARE(fixture.server.requests().size(), std::size_t{2});
        QVERIFY(fixture.toolkit.openedAddresses.empty());
        QVERIFY(fixture.toolkit.messages().empty());
    }

    void theDocumentButtonAndTheMinimisePictureDoNothing() {
        Fixture fixture;
        QVERIFY(QTest::qWaitForWindowExposed(fixture.window.data()));
        QTest::mouseClick(fixture.find<QPushButton>("documentButton"), Qt::LeftButton);
        QTest::mouseClick(fixture.find<PictureButton>("minimisePicture"), Qt::LeftButton);
        QTest::qWait(20);
        QVERIFY(!fixture.window.isNull());
        QVERIFY(fixture.window->isVisible());
        QVERIFY(!fixture.window->isMinimized());
        QVERIFY(fixture.server.requests().empty());
        QVERIFY(fixture.toolkit.openedAddresses.empty());
        QVERIFY(fixture.toolkit.messages().empty());
    }

    void theClosePictureDestroysTheWindow() {
        Fixture fixture;
        auto* close = fixture.find<PictureButton>("closePicture");
        QTest::mousePress(close, Qt::LeftButton);
        QVERIFY(!fixture.window.isNull());
        QTest::mouseRelease(close, Qt::LeftButton);
        QTRY_VERIFY(fixture.window.isNull());
    }

    void draggingTheBandMovesTheWindow() {
        Fixture fixture;
        QVERIFY(QTest::qWaitForWindowExposed(fixture.window.data()));
        fixture.window->move(200, 150);
        QTRY_COMPARE(fixture.window->pos(), QPoint(200, 150));
        auto* band = fixture.find<HeaderBand>("headerBand");
        // The icon is only a picture: the band under it takes the press; the title passes its
        // presses up to the band as well.
        QCOMPARE(fixture.window->childAt(QPoint(32, 19)), band);
        QCOMPARE(fixture.window->childAt(QPoint(100, 20)), fixture.find<QLabel>("titleLabel"));

        const QPoint pressAt = band->mapToGlobal(QPoint(250, 20));
        sendMouse(band, QEvent::MouseButtonPress, pressAt, Qt::LeftButton);
        sendMouse(band, QEvent::MouseMove, pressAt + QPoint(30, 40), Qt::LeftButton);
        QTRY_COMPARE(fixture.window->pos(), QPoint(230, 190));
        sendMouse(band, QEvent::MouseButtonRelease, pressAt + QPoint(30, 40), Qt::NoButton);
    }

    void theMainWindowsTutorialPictureOpensOneWindowWithoutWaiting() {
        test::TempFolder folder;
        test::ScopedCurrentFolder inFolder(folder.path());
        test::TestServer server;
        server.reply("/info", kInformation);
        ProgramState state;
        AddressCatcher catcher;
        MainWindow window(state);
        window.setServiceAddresses({server.address("/ver"), server.address("/info")});
        window.show();
        auto* picture = window.findChild<PictureButton*>(QStringLiteral("tutorialPicture"));
        QVERIFY(picture != nullptr);

        QTest::mouseClick(picture, Qt::LeftButton);
        QPointer<TutorialWindow> tutorial = window.tutorialWindow();
        QVERIFY(!tutorial.isNull());
        QVERIFY(tutorial->isVisible());
        QVERIFY(!tutorial->isModal());
        QCOMPARE(tutorial->geometry().center(), window.geometry().center());

        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(window.tutorialWindow(), tutorial.data());
        QCOMPARE(window.findChildren<TutorialWindow*>().size(), 1);

        // Its links reach the browser through the main window's toolkit.
        QTest::mouseClick(tutorial->findChild<QPushButton*>(QStringLiteral("onlineVideoButton")),
                          Qt::LeftButton);
        QCOMPARE(catcher.opened, QStringList{QStringLiteral("http://video.example/online")});

        QTest::mouseClick(tutorial->findChild<PictureButton*>(QStringLiteral("closePicture")),
                          Qt::LeftButton);
        QTRY_VERIFY(tutorial.isNull());
        QVERIFY(window.tutorialWindow() == nullptr);
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(window.tutorialWindow() != nullptr);
        window.close();
    }

    void theUpdatePictureChecksAsItGoesDown_data() {
        QTest::addColumn<bool>("configured");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("latest") << true << "1" << QStringList{QStringLiteral("您使用的是最新版本！")};
        QTest::newRow("no answer") << true << "" << QStringList{QStringLiteral("网络连接出错！")};
        QTest::newRow("not configured") << false << "1" << QStringList{QStringLiteral("网络连接出错！")};
    }

    void theUpdatePictureChecksAsItGoesDown() {
        QFETCH(bool, configured);
        QFETCH(QString, answer);
        QFETCH(QStringList, messages);
        test::TempFolder folder;
        test::ScopedCurrentFolder inFolder(folder.path());
        test::TestServer server;
        server.reply("/ver", answer.toStdString());
        ProgramState state;
        test::MessageBoxWatcher boxes;
        MainWindow window(state);
        window.setServiceAddresses(configured
                                       ? ServiceAddresses{server.address("/ver"), server.address("/info")}
                                       : ServiceAddresses{});
        window.show();
        auto* picture = window.findChild<PictureButton*>(QStringLiteral("updatePicture"));
        QVERIFY(picture != nullptr);

        QTest::mousePress(picture, Qt::LeftButton);
        QCOMPARE(boxes.texts(), messages);
        QCOMPARE(server.requests().size(), std::size_t{configured ? 1u : 0u});
        QTest::mouseRelease(picture, Qt::LeftButton);
        QCOMPARE(boxes.texts(), messages);
        window.close();
    }

    void theStartUpToolkitShowsBoxesWithoutAWindowAndOpensAddresses() {
        test::MessageBoxWatcher boxes;
        AddressCatcher catcher;
        StartupToolkit toolkit;
        boxes.cancelNext();
        QCOMPARE(toolkit.showMessage("有新版本，请更新软件！", MessageIcon::Information,
                                     MessageButtons::OkCancel, kDefaultMessageTitle),
                 MessageAnswer::Cancel);
        QCOMPARE(toolkit.showMessage("网络连接出错！", MessageIcon::None, MessageButtons::Ok,
                                     kDefaultMessageTitle),
                 MessageAnswer::Ok);
        QCOMPARE(boxes.texts(),
                 (QStringList{QStringLiteral("有新版本，请更新软件！"), QStringLiteral("网络连接出错！")}));
        QCOMPARE(boxes.titles(), (QStringList{QStringLiteral("信息："), QStringLiteral("信息：")}));
        toolkit.openAddress("http://downloads.example/yuzhou-2.0.zip");
        QCOMPARE(catcher.opened, QStringList{QStringLiteral("http://downloads.example/yuzhou-2.0.zip")});
    }
};

} // namespace yuzhou

QTEST_MAIN(yuzhou::TutorialWindowTest)
#include "TutorialWindowTest.moc"
