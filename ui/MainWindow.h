#pragma once

#include "ServiceAddresses.h"
#include "SettingsDialog.h"
#include "TutorialWindow.h"
#include "toolkit.h"

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace yuzhou {

struct ProgramState;
class QtToolkit;
class ResultTableModel;
class StatusPanes;

/// The main window "榆舟1.0": its own header band instead of a title bar, the result
/// list, the folder fields, the command buttons and the status bar. Its creation loads
/// the folders from dataconfig.ini and its closing writes them back.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(ProgramState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    WindowToolkit& toolkit();

    StatusPanes* statusPanes() const { return m_statusPanes; }
    QProgressBar* progressBar() const { return m_progressBar; }
    QPushButton* commandButton(CommandButton button) const;
    QLabel* summaryLabel() const { return m_summary; }
    QCheckBox* selectAllBox() const { return m_selectAll; }
    QLineEdit* searchFolderEdit() const { return m_searchFolder; }
    QLineEdit* targetFolderEdit() const { return m_targetFolder; }
    QTableView* resultView() const { return m_resultView; }
    ResultTableModel* resultModel() const { return m_model; }
    /// The list's pop-up menu "编辑菜单".
    QMenu* listMenu();
    /// The settings dialog while one is open.
    SettingsDialog* settingsDialog() const { return m_settingsDialog; }
    /// The tutorial window while one is open.
    TutorialWindow* tutorialWindow() const { return m_tutorialWindow; }

    /// Where the update picture and the tutorial ask; the build's configured addresses
    /// unless changed here.
    void setServiceAddresses(ServiceAddresses addresses) { m_services = std::move(addresses); }

    void placeProgressOverStatusPane(int index);
    std::int64_t progressScale() const { return m_progressScale; }
    void setProgressScale(std::int64_t maximum) { m_progressScale = maximum; }

public slots:
    void runSearchCommand();
    /// Opens the settings dialog; `modal` waits until it is closed. A dialog that is open
    /// already is brought to the front instead.
    void openSettings(bool modal);
    /// Opens the tutorial window without waiting for it; one that is open already is
    /// brought to the front instead.
    void openTutorial();
    /// Asks the online help whether this version is the latest and says so.
    void checkForUpdate();
    void browseSearchFolder();
    void browseTargetFolder();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeaderBand();
    void buildResultList();
    void buildFolderGroup();
    void buildCommandGroups();
    void buildStatusBar();
    QPushButton* makeButton(const QString& caption, QWidget* parent, const QRect& geometry);

    ProgramState& m_state;
    std::unique_ptr<QtToolkit> m_toolkit;
    StatusPanes* m_statusPanes = nullptr;
    QProgressBar* m_progressBar = nullptr;
    int m_progressPane = -1;
    std::int64_t m_progressScale = 0;
    std::map<CommandButton, QPushButton*> m_buttons;
    QLabel* m_summary = nullptr;
    QCheckBox* m_selectAll = nullptr;
    QLineEdit* m_searchFolder = nullptr;
    QLineEdit* m_targetFolder = nullptr;
    QRadioButton* m_searchMode = nullptr;
    QTableView* m_resultView = nullptr;
    ResultTableModel* m_model = nullptr;
    QPointer<SettingsDialog> m_settingsDialog;
    QPointer<TutorialWindow> m_tutorialWindow;
    ServiceAddresses m_services = configuredServiceAddresses();
    QMenu* m_listMenu = nullptr;
    bool m_foldersSaved = false;
};

} // namespace yuzhou
