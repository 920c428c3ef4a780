#include "MainWindow.h"

#include "Controls.h"
#include "ProgramState.h"
#include "QtToolkit.h"
#include "ResultTableModel.h"
#include "SettingsDialog.h"
#include "Spreadsheet.h"
#include "StatusPanes.h"
#include "Style.h"
#include "TargetFolderDialog.h"
#include "TutorialWindow.h"
#include "UpdateCheck.h"
#include "duplicates/RemoveDuplicates.h"
#include "fileops/FileOpsTexts.h"
#include "fileops/TransferChecked.h"
#include "list/ColumnClick.h"
#include "list/ListCommands.h"
#include "search/RunSearch.h"
#include "settings/FolderEntries.h"
#include "skin/HeaderBand.h"
#include "skin/PictureButton.h"
#include "skin/WindowDragger.h"
#include "skin/WindowShadow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <thread>

namespace yuzhou {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

MainWindow::MainWindow(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_state(state),
      m_toolkit(std::make_unique<QtToolkit>(*this)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("榆舟1.0"));
    setFixedSize(1146, 664);
    move(50, 50);
    setAttribute(Qt::WA_StyledBackground);

    buildHeaderBand();
    buildResultList();
    buildFolderGroup();
    buildCommandGroups();
    buildStatusBar();

    WindowDragger::install(this);
    WindowShadow::attach(this, 5);
    // One fingerprint worker per core: the duplicate pass reads several files at once.
    m_state.fingerprintPool.start(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));

    const FolderEntries folders = loadFolderEntries();
    m_targetFolder->setText(qt(folders.targetFolder));
    m_searchFolder->setText(qt(folders.searchFolder));
}

MainWindow::~MainWindow() = default;

WindowToolkit& MainWindow::toolkit() {
    return *m_toolkit;
}

QPushButton* MainWindow::commandButton(CommandButton button) const {
    const auto found = m_buttons.find(button);
    return found == m_buttons.end() ? nullptr : found->second;
}

QPushButton* MainWindow::makeButton(const QString& caption, QWidget* parent, const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void MainWindow::buildHeaderBand() {
    auto* band = new HeaderBand(this);
    band->setGeometry(0, 0, 1152, 88);

    auto* title = makeLabel(QStringLiteral("榆舟1.1"), band, QRect(794, 15, 216, 35));
    styleBandLabel(title, 20, true);
    auto* subtitle =
        makeLabel(QStringLiteral("─筛选文件类型、大小、名称、重复文件"), band, QRect(833, 54, 358, 35));
    styleBandLabel(subtitle, 10);
    auto* logo = new PictureButton(IconKind::Logo, band);
    logo->setGeometry(741, 16, 50, 50);
    logo->setCursor(Qt::ArrowCursor);
    for (QWidget* dragHandle :
         {static_cast<QWidget*>(title), static_cast<QWidget*>(subtitle), static_cast<QWidget*>(logo)}) {
        WindowDragger::install(dragHandle);
    }

    auto* settings = new PictureButton(IconKind::Settings, band);
    settings->setGeometry(49, 7, 54, 54);
    settings->setToolTip(QStringLiteral("筛选设置"));
    connect(settings, &PictureButton::released, this, [this] { openSettings(false); });
    auto* settingsLabel = makeLabel(QStringLiteral("筛选设置"), band, QRect(49, 60, 67, 24));
    styleBandLabel(settingsLabel, 9);
    settingsLabel->setCursor(Qt::PointingHandCursor);
    settingsLabel->installEventFilter(this);
    settingsLabel->setObjectName(QStringLiteral("settingsLabel"));

    auto* tutorial = new PictureButton(IconKind::Tutorial, band);
    tutorial->setGeometry(224, 10, 50, 50);
    tutorial->setObjectName(QStringLiteral("tutorialPicture"));
    connect(tutorial, &PictureButton::released, this, &MainWindow::openTutorial);
    styleBandLabel(makeLabel(QStringLiteral("使用教程"), band, QRect(218, 61, 67, 24)), 9);

    auto* update = new PictureButton(IconKind::Update, band);
    update->setGeometry(308, 9, 52, 52);
    update->setObjectName(QStringLiteral("updatePicture"));
    connect(update, &PictureButton::pressed, this, &MainWindow::checkForUpdate);
    styleBandLabel(makeLabel(QStringLiteral("检查更新"), band, QRect(307, 61, 67, 24)), 9);

    auto* minimise = new PictureButton(IconKind::Minimise, band);
    minimise->setGeometry(1090, 7, 22, 16);
    connect(minimise, &PictureButton::released, this, &QWidget::showMinimized);
    auto* close = new PictureButton(IconKind::Close, band);
    close->setGeometry(1118, 2, 24, 24);
    close->setObjectName(QStringLiteral("closePicture"));
    connect(close, &PictureButton::released, this, &QWidget::close);
}

void MainWindow::buildResultList() {
    m_model = new ResultTableModel(m_state.results, m_state.colours, this);
    m_resultView = new QTableView(this);
    m_resultView->setObjectName(QStringLiteral("resultList"));
    m_resultView->setGeometry(3, 89, 1140, 415);
    m_resultView->setModel(m_model);
    m_resultView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_resultView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_resultView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_resultView->setWordWrap(false);
    m_resultView->setShowGrid(true);
    m_resultView->setAlternatingRowColors(true);
    // Fixed row heights keep scrolling and painting independent of the number of rows.
    QHeaderView* rows = m_resultView->verticalHeader();
    rows->setVisible(false);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(22);
    QHeaderView* columns = m_resultView->horizontalHeader();
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setSectionsClickable(true);
    columns->setMinimumSectionSize(10);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        columns->resizeSection(column, ResultTableModel::columnWidth(column));
    }
    connect(columns, &QHeaderView::sectionClicked, this, [this](int column) {
        onColumnClick(m_state, column);
        m_model->synchronise();
    });

    m_selectAll = new QCheckBox(QStringLiteral("全选"), this);
    m_selectAll->setGeometry(11, 508, 62, 16);
    connect(m_selectAll, &QCheckBox::clicked, this, [this](bool checked) { tickAll(m_state, checked); });

    // The pop-up menu "编辑菜单", 3 pixels right of and below the mouse.
    m_resultView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_resultView, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        listMenu()->popup(m_resultView->viewport()->mapToGlobal(position) + QPoint(3, 3));
    });
    connect(m_resultView, &QAbstractItemView::doubleClicked, this, [this] { openFile(m_state, *m_toolkit); });

    m_summary = makeLabel(QString(), this, QRect(83, 502, 405, 32));
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
}

QMenu* MainWindow::listMenu() {
    if (m_listMenu == nullptr) {
        m_listMenu = new QMenu(QString::fromUtf8(texts::kMenuTitle.data()), this);
        m_listMenu->setObjectName(QStringLiteral("listMenu"));
        const auto item = [this](std::string_view text,
                                 void (*command)(const ProgramState&, WindowToolkit&)) {
            m_listMenu->addAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), this,
                                  [this, command] { command(m_state, *m_toolkit); });
        };
        item(texts::kCopyRowItem, copyRowText);
        item(texts::kCopyNameItem, copyFileName);
        item(texts::kCopyPathItem, copyPath);
        item(texts::kDeleteFileItem, deleteSelectedFile);
        m_listMenu->addSeparator();
        item(texts::kOpenFolderItem, openContainingFolder);
    }
    return m_listMenu;
}

void MainWindow::buildFolderGroup() {
    auto* group = new QGroupBox(QStringLiteral("设置目录："), this);
    group->setGeometry(3, 527, 509, 112);
    makeLabel(QStringLiteral("查找目录："), group, QRect(7, 22, 56, 32));
    m_searchFolder = new QLineEdit(group);
    m_searchFolder->setObjectName(QStringLiteral("searchFolder"));
    m_searchFolder->setGeometry(70, 25, 295, 26);
    selectAllOnDoubleClick(m_searchFolder);
    connect(makeButton(QStringLiteral("浏览"), group, QRect(374, 25, 50, 26)), &QPushButton::clicked, this,
            &MainWindow::browseSearchFolder);
    connect(makeButton(QStringLiteral("打开文件夹"), group, QRect(431, 25, 70, 26)), &QPushButton::clicked,
            this, [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_searchFolder->text())); });

    makeLabel(QStringLiteral("目标目录："), group, QRect(7, 62, 56, 32));
    m_targetFolder = new QLineEdit(group);
    m_targetFolder->setObjectName(QStringLiteral("targetFolder"));
    m_targetFolder->setGeometry(70, 66, 295, 26);
    connect(makeButton(QStringLiteral("浏览"), group, QRect(374, 66, 50, 26)), &QPushButton::clicked, this,
            &MainWindow::browseTargetFolder);
    connect(makeButton(QStringLiteral("打开文件夹"), group, QRect(431, 66, 70, 26)), &QPushButton::clicked,
            this, [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_targetFolder->text())); });
}

void MainWindow::buildCommandGroups() {
    auto* edit = new QGroupBox(QStringLiteral("编辑："), this);
    edit->setGeometry(513, 527, 372, 112);
    m_buttons[CommandButton::Move] =
        makeButton(QStringLiteral("剪切到目标文件夹"), edit, QRect(17, 25, 115, 26));
    m_buttons[CommandButton::Copy] =
        makeButton(QStringLiteral("复制到目标文件夹"), edit, QRect(17, 66, 115, 26));
    m_buttons[CommandButton::Delete] =
        makeButton(QStringLiteral("删除选中文件"), edit, QRect(145, 25, 90, 26));
    m_buttons[CommandButton::Export] = makeButton(QStringLiteral("导出excel"), edit, QRect(145, 64, 90, 26));
    m_buttons[CommandButton::RemoveDuplicates] =
        makeButton(QStringLiteral("一键删除重复文件"), edit, QRect(248, 25, 115, 26));
    connect(m_buttons[CommandButton::RemoveDuplicates], &QPushButton::clicked, this,
            [this] { removeSurplusDuplicates(m_state, *m_toolkit); });
    connect(m_buttons[CommandButton::Copy], &QPushButton::clicked, this,
            [this] { transferChecked(m_state, *m_toolkit, TransferMode::Copy); });
    connect(m_buttons[CommandButton::Move], &QPushButton::clicked, this,
            [this] { transferChecked(m_state, *m_toolkit, TransferMode::Move); });
    connect(m_buttons[CommandButton::Delete], &QPushButton::clicked, this,
            [this] { deleteChecked(m_state, *m_toolkit); });
    connect(m_buttons[CommandButton::Export], &QPushButton::clicked, this,
            [this] { exportToSpreadsheet(m_state.results, *m_toolkit); });

    auto* find = new QGroupBox(QStringLiteral("查找："), this);
    find->setGeometry(888, 527, 256, 112);
    QPushButton* search = makeButton(QStringLiteral("查找文件"), find, QRect(24, 25, 207, 66));
    search->setObjectName(QStringLiteral("searchButton"));
    m_buttons[CommandButton::Search] = search;
    connect(search, &QPushButton::clicked, this, &MainWindow::runSearchCommand);
    m_searchMode = new QRadioButton(QStringLiteral("方式1"), find);
    m_searchMode->setGeometry(167, 16, 72, 24);
    m_searchMode->setChecked(true);
}

void MainWindow::buildStatusBar() {
    m_statusPanes = new StatusPanes(this);
    m_statusPanes->setObjectName(QStringLiteral("statusBar"));
    m_statusPanes->setAttribute(Qt::WA_StyledBackground);
    m_statusPanes->setGeometry(0, 622, 1146, 20);
    WindowDragger::install(m_statusPanes);
    connect(m_statusPanes, &StatusPanes::panesChanged, this, [this] {
        if (m_progressPane >= 0) {
            placeProgressOverStatusPane(m_progressPane);
        }
    });

    m_progressBar = new QProgressBar(this);
    m_progressBar->setGeometry(241, 625, 899, 16);
    m_progressBar->setTextVisible(false);
    m_progressBar->hide();
}

void MainWindow::placeProgressOverStatusPane(int index) {
    m_progressPane = index;
    if (m_progressBar->parentWidget() != m_statusPanes) {
        const bool visible = m_progressBar->isVisible();
        m_progressBar->setParent(m_statusPanes);
        m_progressBar->setVisible(visible);
    }
    m_progressBar->setGeometry(m_statusPanes->paneRect(index));
    m_progressBar->raise();
}

void MainWindow::runSearchCommand() {
    runSearch(m_state, *m_toolkit);
}

void MainWindow::openSettings(bool modal) {
    if (m_settingsDialog) {
        m_settingsDialog->showNormal();
        m_settingsDialog->raise();
        m_settingsDialog->activateWindow();
        return;
    }
    m_settingsDialog = new SettingsDialog(m_state.settings, *m_toolkit, this);
    m_settingsDialog->setAttribute(Qt::WA_DeleteOnClose);
    if (modal) {
        m_settingsDialog->exec();
    } else {
        m_settingsDialog->show();
    }
}

void MainWindow::openTutorial() {
    if (m_tutorialWindow) {
        m_tutorialWindow->showNormal();
        m_tutorialWindow->raise();
        m_tutorialWindow->activateWindow();
        return;
    }
    m_tutorialWindow = new TutorialWindow(*m_toolkit, m_services.information, this);
    // Over the middle of the main window, where the user is looking; a plain window would
    // otherwise land wherever the window manager puts new ones.
    m_tutorialWindow->move(geometry().center() - m_tutorialWindow->rect().center());
    m_tutorialWindow->show();
}

void MainWindow::checkForUpdate() {
    yuzhou::checkForUpdate(*m_toolkit, m_services, true);
}

void MainWindow::browseSearchFolder() {
    // Cancelling empties the box, as choosing nothing is a choice too.
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("请选择要搜索的文件夹:"));
    m_searchFolder->setText(folder);
}

void MainWindow::browseTargetFolder() {
    TargetFolderDialog dialog;
    dialog.exec();
    m_targetFolder->setText(dialog.chosenPath().trimmed());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched->objectName() == QLatin1String("settingsLabel") &&
        event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        openSettings(true);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A command still running on the stack below stops at its next event point; the
    // folders are saved once, whatever closes the window.
    m_toolkit->setClosing();
    // A duplicate pass still running ends here, before the window and its toolkit go; its
    // thread may be waiting for the GUI thread, so events keep running while it ends.
    m_state.duplicatePass.cancel();
    while (m_state.duplicatePass.groupingActive()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    m_state.duplicatePass.waitUntilEnded();
    if (!m_foldersSaved) {
        m_foldersSaved = true;
        saveFolderEntries(QFile::encodeName(m_searchFolder->text()).toStdString(),
                          QFile::encodeName(m_targetFolder->text()).toStdString());
    }
    if (m_settingsDialog) {
        m_settingsDialog->close();
    }
    if (m_tutorialWindow) {
        m_tutorialWindow->close();
    }
    event->accept();
}

} // namespace yuzhou
