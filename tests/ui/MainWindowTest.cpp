#include "MainWindow.h"

#include "Language.h"
#include "MessageBoxWatcher.h"
#include "ProgramState.h"
#include "ResultTableModel.h"
#include "StatusPanes.h"
#include "TempFolder.h"
#include "settings/ConfigFile.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace yuzhou {

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    /// A window in a fresh current folder, so dataconfig.ini is the test's own.
    struct Fixture {
        test::TempFolder folder;
        test::ScopedCurrentFolder inFolder{folder.path()};
        ProgramState state;
        test::MessageBoxWatcher boxes;
    };

    static void applySettings(ProgramState& state, const char* extensions) {
        state.settings.extensionList = extensions;
        state.settings.sizeFilterChoice = "不筛选";
        state.settings.nameFilterChoice = "不筛选";
    }

private slots:
    void listHasTheNineColumnsWithTheirTitlesWidthsAndAlignment() {
        Fixture fixture;
        MainWindow window(fixture.state);
        QTableView* view = window.resultView();
        const QStringList titles = {"",         "序号",     "名称",         "路径", "大小",
                                    "创建时间", "修改时间", "是否存在重复", "md5"};
        const int widths[] = {25, 40, 140, 420, 70, 135, 135, 130, 20};
        const bool centred[] = {false, true, false, false, true, true, true, true, false};
        QCOMPARE(view->model()->columnCount(), 9);
        for (int column = 0; column < 9; ++column) {
            QCOMPARE(view->model()->headerData(column, Qt::Horizontal).toString(), titles[column]);
            QCOMPARE(view->horizontalHeader()->sectionSize(column), widths[column]);
            const auto alignment = view->model()
                                       ->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                                       .value<Qt::Alignment>();
            QCOMPARE(bool(alignment & Qt::AlignHCenter), centred[column]);
        }
        QCOMPARE(view->geometry(), QRect(3, 89, 1140, 415));
        QCOMPARE(window.size(), QSize(1146, 664));
        QCOMPARE(window.windowTitle(), QStringLiteral("榆舟1.0"));
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    }

    void searchFromTheWindowFillsTheListAndEndsWithTheSummary() {
        Fixture fixture;
        fixture.folder.write("tree/a.jpg", "x");
        fixture.folder.write("tree/b.txt", "x");
        fixture.folder.write("tree/sub/c.jpg", "xx");
        fixture.folder.write("tree/sub/deeper/d.jpg", "");
        applySettings(fixture.state, "jpg");
        MainWindow window(fixture.state);
        window.show();
        window.searchFolderEdit()->setText(QString::fromStdString(fixture.folder / "tree"));

        QTest::mouseClick(window.commandButton(CommandButton::Search), Qt::LeftButton);

        QCOMPARE(fixture.boxes.texts(), QStringList{QStringLiteral("查找完成，共找到3项文件。")});
        QCOMPARE(fixture.boxes.titles(), QStringList{QStringLiteral("信息：")});
        QCOMPARE(window.summaryLabel()->text(), QStringLiteral("共找到3项文件。"));
        QVERIFY(window.selectAllBox()->isChecked());
        QCOMPARE(window.statusPanes()->paneCount(), 1);
        QCOMPARE(window.statusPanes()->paneText(0), QStringLiteral("  查找完成，共找到3项文件。"));
        QCOMPARE(window.statusPanes()->paneWidth(0), 300);
        QPushButton* search = window.commandButton(CommandButton::Search);
        QCOMPARE(search->text(), QStringLiteral("查找文件"));
        QVERIFY(search->isEnabled());

        window.resultModel()->synchronise();
        QAbstractItemModel* model = window.resultView()->model();
        QCOMPARE(model->rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(model->index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
            QCOMPARE(model->index(row, 1).data().toString(), QString::number(row + 1));
        }
        QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("a.jpg"));

        // Unticking a row in the view reaches the result list.
        QVERIFY(model->setData(model->index(1, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(fixture.state.results.tick(1), 0);
        // "全选" unticked: every row unticked.
        window.selectAllBox()->click();
        QCOMPARE(fixture.state.results.tick(0), 0);
        QCOMPARE(fixture.state.results.tick(2), 0);
    }

    void refusedSearchShowsItsMessage() {
        Fixture fixture;
        MainWindow window(fixture.state);
        window.show();
        window.searchFolderEdit()->clear();
        QTest::mouseClick(window.commandButton(CommandButton::Search), Qt::LeftButton);
        QCOMPARE(fixture.boxes.texts(), QStringList{QStringLiteral("请添加查找目录！")});
    }

    void foldersAreLoadedAtCreationAndSavedAtClose() {
        Fixture fixture;
        fixture.folder.write("dataconfig.ini",
                             "[载入目录]\n载入目录=/从这里找\n[保存目录]\n保存目录=/放到这里\n"
                             "[文件后缀]\n文件后缀=jpg\n");
        {
            MainWindow window(fixture.state);
            QCOMPARE(window.searchFolderEdit()->text(), QStringLiteral("/从这里找"));
            QCOMPARE(window.targetFolderEdit()->text(), QStringLiteral("/放到这里"));
            window.show();
            window.searchFolderEdit()->setText(QStringLiteral("/新的查找目录"));
            window.targetFolderEdit()->setText(QStringLiteral("/新的目标目录"));
            window.close();
        }
        QCOMPARE(QString::fromStdString(test::readWholeFile(fixture.folder / "dataconfig.ini")),
                 QStringLiteral("[载入目录]\n载入目录=/新的查找目录\n[保存目录]\n保存目录=/新的目标目录\n"));
    }

    void aConfigurationThatCannotBeWrittenNeitherStopsTheStartNorTheClose() {
        Fixture fixture;
        fixture.folder.makeFolder("dataconfig.ini"); // a folder where the file should be
        MainWindow window(fixture.state);
        QVERIFY(window.searchFolderEdit()->text().isEmpty());
        window.show();
        window.searchFolderEdit()->setText(QStringLiteral("/x"));
        QVERIFY(window.close());
        QVERIFY(ConfigFile::read("载入目录", "载入目录").empty());
    }

    void closingDuringASearchEndsItQuietlyAndSavesTheFolders() {
        Fixture fixture;
        for (int i = 0; i < 3000; ++i) {
            fixture.folder.write("tree/d" + std::to_string(i % 50) + "/f" + std::to_string(i) + ".jpg", "x");
        }
        applySettings(fixture.state, "jpg");
        MainWindow window(fixture.state);
        window.show();
        window.searchFolderEdit()->setText(QString::fromStdString(fixture.folder / "tree"));
        QTimer::singleShot(0, &window, &QWidget::close);
        QTest::mouseClick(window.commandButton(CommandButton::Search), Qt::LeftButton);

        QVERIFY(fixture.boxes.texts().isEmpty());
        QVERIFY(!window.isVisible());
        QVERIFY(fixture.state.results.rowCount() < 3000);
        QCOMPARE(QString::fromStdString(ConfigFile::read("载入目录", "载入目录")),
                 QString::fromStdString(fixture.folder / "tree"));
    }

    void aSearchWithDuplicatesEndsWithTheGroupSummary() {
        Fixture fixture;
        fixture.folder.write("tree/x/a.jpg", "twins");
        fixture.folder.write("tree/y/b.jpg", "twins");
        fixture.folder.write("tree/c.jpg", "single");
        applySettings(fixture.state, "jpg");
        fixture.state.settings.findDuplicates = true;
        MainWindow window(fixture.state);
        window.show();
        window.searchFolderEdit()->setText(QString::fromStdString(fixture.folder / "tree"));
        QTest::mouseClick(window.commandButton(CommandButton::Search), Qt::LeftButton);
        // The grouping runs on its own thread; the window stays usable meanwhile.
        QTRY_VERIFY_WITH_TIMEOUT(window.commandButton(CommandButton::Search)->isEnabled(), 20000);
        QCOMPARE(fixture.boxes.texts(),
                 QStringList{QStringLiteral("查找完成，共找到3项文件。其中发现重复文件：1组。")});
        QCOMPARE(window.summaryLabel()->text(), QStringLiteral("共找到3项文件。其中发现重复文件：1组。"));
        QCOMPARE(window.statusPanes()->paneText(0), QStringLiteral("任务完成！"));
        window.resultModel()->synchronise();
        QAbstractItemModel* model = window.resultView()->model();
        QCOMPARE(model->index(0, 7).data().toString(), QStringLiteral("重复文件第1组"));
        QCOMPARE(model->index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QVERIFY(!model->index(0, 8).data(Qt::ForegroundRole).isValid());
    }

    void closingDuringAPassEndsItCleanly() {
        Fixture fixture;
        for (int i = 0; i < 12; ++i) {
            fixture.folder.writeSparse("tree/d" + std::to_string(i) + "/big.jpg", std::int64_t{256} << 20);
        }
        applySettings(fixture.state, "jpg");
        fixture.state.settings.findDuplicates = true;
        MainWindow window(fixture.state);
        window.show();
        window.searchFolderEdit()->setText(QString::fromStdString(fixture.folder / "tree"));
        QTest::mouseClick(window.commandButton(CommandButton::Search), Qt::LeftButton);
        QVERIFY(fixture.state.duplicatePass.running());
        window.close();
        QVERIFY(!fixture.state.duplicatePass.groupingActive());
        QVERIFY(fixture.boxes.texts().isEmpty());
    }

    void theListMenuHoldsItsFiveCommands() {
        Fixture fixture;
        MainWindow window(fixture.state);
        QStringList items;
        for (QAction* action : window.listMenu()->actions()) {
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        QCOMPARE(items,
                 (QStringList{"复制本行", "复制文件名", "复制路径", "删除文件", "-", "打开所在文件夹"}));
    }

    void headerClicksSortTheList() {
        Fixture fixture;
        fixture.folder.write("tree/b.jpg", "bb");
        fixture.folder.write("tree/a.jpg", "a");
        fixture.folder.write("tree/c.jpg", "ccc");
        applySettings(fixture.state, "jpg");
        MainWindow window(fixture.state);
        window.show();
        window.searchFolderEdit()->setText(QString::fromStdString(fixture.folder / "tree"));
        QTest::mouseClick(window.commandButton(CommandButton::Search), Qt::LeftButton);
        QHeaderView* header = window.resultView()->horizontalHeader();
        emit header->sectionClicked(2); // 名称, ascending
        QAbstractItemModel* model = window.resultView()->model();
        QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("a.jpg"));
        QCOMPARE(model->index(2, 2).data().toString(), QStringLiteral("c.jpg"));
        emit header->sectionClicked(4); // 大小, descending now
        QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("c.jpg"));
    }

    void qtsOwnTextsAreChinese() {
        installChineseTranslations(*qApp);
        // The context menu of an edit box and the buttons of Qt's dialogs.
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("复制(&C)"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("打开(&O)"));
    }

    void doubleClickSelectsTheWholeSearchFolder() {
        Fixture fixture;
        MainWindow window(fixture.state);
        window.show();
        window.searchFolderEdit()->setText(QStringLiteral("/some folder/with words"));
        QTest::mouseDClick(window.searchFolderEdit(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(window.searchFolderEdit()->selectedText(), QStringLiteral("/some folder/with words"));
        window.targetFolderEdit()->setText(QStringLiteral("/other folder/words"));
        QTest::mouseDClick(window.targetFolderEdit(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(window.targetFolderEdit()->selectedText() != QStringLiteral("/other folder/words"));
    }
};

} // namespace yuzhou

QTEST_MAIN(yuzhou::MainWindowTest)
#include "MainWindowTest.moc"
