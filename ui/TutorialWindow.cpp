#include "TutorialWindow.h"

#include "NetTexts.h"
#include "Style.h"
#include "UpdateCheck.h"
#include "skin/HeaderBand.h"
#include "skin/PictureButton.h"
#include "skin/WindowShadow.h"

#include <QLabel>
#include <QPushButton>

namespace yuzhou {

namespace {

QPushButton* makeLinkButton(const QString& caption, const char* name, QWidget* parent,
                            const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

TutorialWindow::TutorialWindow(WindowToolkit& toolkit, std::string informationAddress, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_toolkit(toolkit),
      m_informationAddress(std::move(informationAddress)) {
    setObjectName(QStringLiteral("tutorialWindow"));
    setWindowTitle(QStringLiteral("使用教程"));
    setFixedSize(467, 282);
    setAttribute(Qt::WA_StyledBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    buildBand();
    buildLinks();
    WindowShadow::attach(this, 3);
}

void TutorialWindow::buildBand() {
    // The band and the strip along the bottom are wider than the window: its edges cut them off.
    auto* band = new HeaderBand(this);
    band->setObjectName(QStringLiteral("headerBand"));
    band->setGeometry(0, 0, 529, 40);

    // The icon is only a picture: presses pass through it to the band and drag the window.
    auto* icon = new PictureButton(IconKind::Tutorial, band);
    icon->setObjectName(QStringLiteral("tutorialIcon"));
    icon->setGeometry(14, 1, 36, 36);
    icon->setCursor(Qt::ArrowCursor);
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* title = new QLabel(QStringLiteral("使用教程"), band);
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setGeometry(61, 1, 83, 40);
    styleBandLabel(title, 12, true);

    // The minimise picture is there for the look of the band; it does nothing.
    auto* minimise = new PictureButton(IconKind::Minimise, band);
    minimise->setObjectName(QStringLiteral("minimisePicture"));
    minimise->setGeometry(396, 17, 20, 14);

    auto* close = new PictureButton(IconKind::Close, band);
    close->setObjectName(QStringLiteral("closePicture"));
    close->setGeometry(441, 4, 22, 22);
    connect(close, &PictureButton::released, this, &QWidget::close);

    auto* bottom = new HeaderBand(this);
    bottom->setObjectName(QStringLiteral("bottomPicture"));
    bottom->setGeometry(0, 264, 496, 35);
    bottom->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TutorialWindow::buildLinks() {
    auto* online =
        makeLinkButton(QStringLiteral("1.在线视频教程"), "onlineVideoButton", this, QRect(152, 86, 184, 28));
    auto* download = makeLinkButton(QStringLiteral("2.下载视频教程"), "videoDownloadButton", this,
                                    QRect(151, 129, 184, 28));
    // The information text carries no address for a document tutorial: this one does nothing.
    makeLinkButton(QStringLiteral("3.下载文档教程"), "documentButton", this, QRect(151, 170, 184, 28));

    // The links act as the button goes down, not when it comes up again.
    connect(online, &QPushButton::pressed, this,
            [this] { openInformationLink(m_toolkit, m_informationAddress, texts::kOnlineVideoLabel); });
    connect(download, &QPushButton::pressed, this,
            [this] { openInformationLink(m_toolkit, m_informationAddress, texts::kVideoDownloadLabel); });
}

} // namespace yuzhou
