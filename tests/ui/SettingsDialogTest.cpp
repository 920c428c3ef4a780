#include "SettingsDialog.h"

#include "MainWindow.h"
#include "MessageBoxWatcher.h"
#include "ProgramState.h"
#include "TempFolder.h"
#include "settings/ConfigFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace yuzhou {

class SettingsDialogTest : public QObject {
    Q_OBJECT

private:
    struct Fixture {
        test::TempFolder folder;
        test::ScopedCurrentFolder inFolder{folder.path()};
        ProgramState state;
        test::MessageBoxWatcher boxes;
        MainWindow window{state};
    };

    /// Chooses an item of a list as a user would, by its text.
    static void choose(QComboBox* list, const QString& item) {
        const int index = list->findText(item);
        QVERIFY2(index >= 0, qPrintable(item));
        list->setCurrentIndex(index);
        emit list->textActivated(item);
    }

    static void click(QDialog* dialog, const char* name) {
        auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
        QVERIFY(button != nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void aFirstOpeningShowsPromptsWithTheOptionalTestsSwitchedOff() {
        Fixture fixture;
        SettingsDialog dialog(fixture.state.settings, fixture.window.toolkit());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("查找文件设置"));
        QCOMPARE(dialog.size(), QSize(564, 517));
        QCOMPARE(dialog.typeList()->currentText(), QStringLiteral("请选择内容"));
        QCOMPARE(dialog.extensionBox()->text(), QStringLiteral("如需添加类型用,(半角逗号)隔开。"));
        QCOMPARE(dialog.sizeSwitchList()->currentText(), QStringLiteral("不筛选"));
        QCOMPARE(dialog.relationList()->currentText(), QStringLiteral("请选择"));
        QCOMPARE(dialog.sizeValueBox()->text(), QStringLiteral("填写整数"));
        QCOMPARE(dialog.unitList()->currentText(), QStringLiteral("请选择单位"));
        QCOMPARE(dialog.keywordBox()->text(), QStringLiteral("关键词用英文逗号隔开。如：预览视频,样片"));
        QVERIFY(!dialog.relationList()->isEnabled());
        QVERIFY(!dialog.sizeValueBox()->isEnabled());
        QVERIFY(!dialog.unitList()->isEnabled());
        QVERIFY(!dialog.keywordBox()->isEnabled());
        QCOMPARE(QString::fromStdString(fixture.state.settings.extensionList),
                 QStringLiteral("如需添加类型用,(半角逗号)隔开。"));
    }

    void listsDriveTheirRules() {
        Fixture fixture;
        SettingsDialog dialog(fixture.state.settings, fixture.window.toolkit());
        choose(dialog.typeList(), QStringLiteral("视频文件"));
        QCOMPARE(dialog.extensionBox()->text(), QStringLiteral("mp4,mov,avi,mkv,flv,wmv,asf,rmvb"));

        choose(dialog.sizeSwitchList(), QStringLiteral("筛选"));
        QVERIFY(dialog.relationList()->isEnabled());
        QVERIFY(dialog.sizeValueBox()->isEnabled());
        QVERIFY(dialog.unitList()->isEnabled());
        choose(dialog.relationList(), QStringLiteral("大于"));
        choose(dialog.unitList(), QStringLiteral("MB"));
        QCOMPARE(QString::fromStdString(fixture.state.settings.sizeRelation), QStringLiteral("大于"));
        QCOMPARE(QString::fromStdString(fixture.state.settings.sizeUnit), QStringLiteral("MB"));
        choose(dialog.sizeSwitchList(), QStringLiteral("不筛选"));
        QVERIFY(!dialog.unitList()->isEnabled());
        QCOMPARE(dialog.unitList()->currentText(), QStringLiteral("请选择单位"));

        choose(dialog.nameSwitchList(), QStringLiteral("包含以下关键词"));
        QVERIFY(dialog.keywordBox()->isEnabled());

        dialog.showDuplicatesBox()->click();
        QCOMPARE(fixture.boxes.titles(), QStringList{QStringLiteral("显示重复文件：")});
    }

    void applyRefusesWithoutExtensionsThenAppliesAndCloses() {
        Fixture fixture;
        auto* dialog = new SettingsDialog(fixture.state.settings, fixture.window.toolkit());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<SettingsDialog> alive(dialog);
        dialog->show();

        click(dialog, "applyButton");
        QCOMPARE(fixture.boxes.texts(), QStringList{QStringLiteral("请选择或填写文件类型!")});
        QVERIFY(dialog->isVisible());
        QVERIFY(!QFile::exists(QStringLiteral("dataconfig.ini")));

        choose(dialog->typeList(), QStringLiteral("图片文件"));
        choose(dialog->sizeSwitchList(), QStringLiteral("筛选"));
        fixture.boxes.clear();
        click(dialog, "applyButton");
        QCOMPARE(fixture.boxes.texts(),
                 QStringList{QStringLiteral("您选择了筛选大小，但却未设置筛选大小参数，请选择下面参数！")});
        QVERIFY(dialog->isVisible());
        QCOMPARE(QString::fromStdString(ConfigFile::read("文件后缀", "文件后缀")),
                 QStringLiteral("jpg,bmp,gif,png"));

        choose(dialog->sizeSwitchList(), QStringLiteral("不筛选"));
        dialog->showDuplicatesBox()->setChecked(true);
        fixture.boxes.clear();
        click(dialog, "applyButton");
        QVERIFY(fixture.boxes.texts().isEmpty());
        QTRY_VERIFY(alive.isNull());
        QCOMPARE(QString::fromStdString(fixture.state.settings.extensionList),
                 QStringLiteral("jpg,bmp,gif,png"));
        QVERIFY(fixture.state.settings.findDuplicates);
    }

    void resetPutsThePromptsBack() {
        Fixture fixture;
        SettingsDialog dialog(fixture.state.settings, fixture.window.toolkit());
        choose(dialog.typeList(), QStringLiteral("mp3文件"));
        choose(dialog.sizeSwitchList(), QStringLiteral("筛选"));
        dialog.sizeValueBox()->setText(QStringLiteral("12"));
        click(&dialog, "resetButton");
        QCOMPARE(dialog.extensionBox()->text(), QStringLiteral("如需添加类型用,(半角逗号)隔开。"));
        QCOMPARE(dialog.sizeValueBox()->text(), QStringLiteral("填写整数"));
        QCOMPARE(dialog.sizeSwitchList()->currentText(), QStringLiteral("不筛选"));
        QVERIFY2(dialog.sizeValueBox()->isEnabled(), "Reset leaves the enabled state alone");
    }

    void doubleClickSelectsTheWholePrompt() {
        Fixture fixture;
        SettingsDialog dialog(fixture.state.settings, fixture.window.toolkit());
        dialog.show();
        QTest::mouseDClick(dialog.extensionBox(), Qt::LeftButton, {}, QPoint(10, 5));
        QCOMPARE(dialog.extensionBox()->selectedText(), dialog.extensionBox()->text());
    }

    void theWindowOpensOneModelessDialogAtATime() {
        Fixture fixture;
        fixture.window.show();
        fixture.window.openSettings(false);
        QPointer<SettingsDialog> first = fixture.window.settingsDialog();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        fixture.window.openSettings(false);
        QCOMPARE(fixture.window.settingsDialog(), first.data());
        first->close();
        QTRY_VERIFY(first.isNull());
    }

    void reopeningAfterApplyShowsTheAppliedTexts() {
        Fixture fixture;
        {
            SettingsDialog dialog(fixture.state.settings, fixture.window.toolkit());
            choose(dialog.typeList(), QStringLiteral("word文件"));
            choose(dialog.nameSwitchList(), QStringLiteral("跳过以下关键词"));
            dialog.keywordBox()->setText(QStringLiteral("草稿"));
            dialog.showDuplicatesBox()->setChecked(true);
            dialog.apply();
        }
        SettingsDialog reopened(fixture.state.settings, fixture.window.toolkit());
        QCOMPARE(reopened.typeList()->currentText(), QStringLiteral("word文件"));
        QCOMPARE(reopened.extensionBox()->text(), QStringLiteral("doc,docx"));
        QCOMPARE(reopened.nameSwitchList()->currentText(), QStringLiteral("跳过以下关键词"));
        QCOMPARE(reopened.keywordBox()->text(), QStringLiteral("草稿"));
        QVERIFY(reopened.keywordBox()->isEnabled());
        QVERIFY(!reopened.showDuplicatesBox()->isChecked());
        QVERIFY(fixture.state.settings.findDuplicates);
    }
};

} // namespace yuzhou

QTEST_MAIN(yuzhou::SettingsDialogTest)
#include "SettingsDialogTest.moc"
