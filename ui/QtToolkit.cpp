#include "QtToolkit.h"

#include "GuiThread.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "StatusPanes.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QUrl>
#include <future>

namespace yuzhou {

namespace {

constexpr qint64 kEventInterval = 5; // milliseconds

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// The progress bar counts in int; a count beyond that range is scaled down, which only
/// the bar's resolution notices.
int progressUnits(std::int64_t value, std::int64_t maximum) {
    constexpr std::int64_t limit = 1 << 30;
    if (maximum <= limit) {
        return static_cast<int>(value);
    }
    return static_cast<int>(value / (maximum / limit + 1));
}

} // namespace

QtToolkit::QtToolkit(MainWindow& window) : m_window(window) {
    m_sinceEvents.start();
}

MessageAnswer QtToolkit::showMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                     std::string_view title) {
    const QString boxText = qt(text);
    const QString boxTitle = qt(title);
    if (onGuiThread()) {
        QWidget* parent = QApplication::activeWindow() ? QApplication::activeWindow() : &m_window;
        return showMessageBox(parent, boxText, icon, buttons, boxTitle);
    }
    // Another thread waits for the answer; the windows stay usable meanwhile.
    auto answer = std::make_shared<std::promise<MessageAnswer>>();
    std::future<MessageAnswer> answered = answer->get_future();
    runOnGuiThread([&] {
        showMessageBoxAsync(&m_window, boxText, icon, buttons, boxTitle,
                            [answer](MessageAnswer result) { answer->set_value(result); });
    });
    return answered.get();
}

void QtToolkit::processEvents() {
    if (!onGuiThread() || m_sinceEvents.elapsed() < kEventInterval) {
        return;
    }
    QCoreApplication::processEvents();
    m_sinceEvents.restart();
}

bool QtToolkit::closing() const {
    return m_closing;
}

void QtToolkit::setClosing() {
    m_closing = true;
    // A question another thread waits for has no one left to answer it.
    closeMessageBoxesOfOtherThreads();
}

void QtToolkit::clearStatusPanes() {
    runOnGuiThread([&] { m_window.statusPanes()->clear(); });
}

void QtToolkit::addStatusPane(std::string_view text, int width) {
    runOnGuiThread([&] { m_window.statusPanes()->addPane(qt(text), width); });
}

void QtToolkit::removeStatusPane(int index) {
    runOnGuiThread([&] { m_window.statusPanes()->removePane(index); });
}

void QtToolkit::setStatusPaneText(int index, std::string_view text) {
    runOnGuiThread([&] { m_window.statusPanes()->setPaneText(index, qt(text)); });
}

void QtToolkit::setStatusPaneWidth(int index, int width) {
    runOnGuiThread([&] { m_window.statusPanes()->setPaneWidth(index, width); });
}

void QtToolkit::setProgressVisible(bool visible) {
    runOnGuiThread([&] { m_window.progressBar()->setVisible(visible); });
}

void QtToolkit::setProgressMaximum(std::int64_t maximum) {
    runOnGuiThread([&] {
        m_window.progressBar()->setRange(0, progressUnits(maximum, maximum));
        m_window.setProgressScale(maximum);
    });
}

void QtToolkit::setProgressValue(std::int64_t value) {
    runOnGuiThread([&] { m_window.progressBar()->setValue(progressUnits(value, m_window.progressScale())); });
}

void QtToolkit::placeProgressOverStatusPane(int index) {
    runOnGuiThread([&] { m_window.placeProgressOverStatusPane(index); });
}

void QtToolkit::setButton(CommandButton button, std::string_view caption, bool enabled) {
    runOnGuiThread([&] {
        if (QPushButton* target = m_window.commandButton(button)) {
            target->setText(qt(caption));
            target->setEnabled(enabled);
        }
    });
}

void QtToolkit::setSummaryText(std::string_view text) {
    runOnGuiThread([&] {
        m_window.summaryLabel()->setText(qt(text));
        m_window.summaryLabel()->repaint();
    });
}

void QtToolkit::setSelectAllChecked(bool checked) {
    runOnGuiThread([&] { m_window.selectAllBox()->setChecked(checked); });
}

bool QtToolkit::selectAllChecked() const {
    return runOnGuiThread([&] { return m_window.selectAllBox()->isChecked(); });
}

std::string QtToolkit::searchFolderText() const {
    return runOnGuiThread(
        [&] { return QFile::encodeName(m_window.searchFolderEdit()->text()).toStdString(); });
}

std::string QtToolkit::targetFolderText() const {
    return runOnGuiThread(
        [&] { return QFile::encodeName(m_window.targetFolderEdit()->text()).toStdString(); });
}

std::optional<std::size_t> QtToolkit::selectedRow() const {
    return runOnGuiThread([&]() -> std::optional<std::size_t> {
        const QModelIndexList rows = m_window.resultView()->selectionModel()->selectedRows();
        if (rows.isEmpty()) {
            return std::nullopt;
        }
        int first = rows.first().row();
        for (const QModelIndex& index : rows) {
            first = std::min(first, index.row());
        }
        return static_cast<std::size_t>(first);
    });
}

void QtToolkit::setClipboardText(std::string_view text) {
    runOnGuiThread([&] { QGuiApplication::clipboard()->setText(qt(text)); });
}

void QtToolkit::openWithDefaultProgram(const std::string& path) {
    runOnGuiThread([&] { QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str()))); });
}

void QtToolkit::openAddress(const std::string& address) {
    runOnGuiThread([&] { QDesktopServices::openUrl(QUrl(qt(address))); });
}

void QtToolkit::showInFileManager(const std::string& path) {
    runOnGuiThread([&] {
        const QString file = QFile::decodeName(path.c_str());
        QDBusInterface fileManager(
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QDBusConnection::sessionBus());
        fileManager.setTimeout(2000);
        if (fileManager.isValid()) {
            const QDBusMessage reply = fileManager.call(
                QStringLiteral("ShowItems"), QStringList{QUrl::fromLocalFile(file).toString()}, QString());
            if (reply.type() != QDBusMessage::ErrorMessage) {
                return;
            }
        }
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath()));
    });
}

std::optional<std::string> QtToolkit::chooseSaveFile(std::string_view title, std::string_view filter) {
    return runOnGuiThread([&]() -> std::optional<std::string> {
        QFileDialog dialog(&m_window, qt(title), QString(), qt(filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // "*.xlsx" gives the suffix added to a bare name, before the dialog checks whether
        // that file exists and asks before it is replaced.
        const QString pattern = qt(filter);
        if (pattern.startsWith(QStringLiteral("*."))) {
            dialog.setDefaultSuffix(pattern.mid(2));
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
    });
}

void QtToolkit::carryOut(const std::function<void()>& change) {
    runOnGuiThread([&] {
        if (!m_closing) {
            change();
        }
    });
}

void QtToolkit::holdListRepaint(bool hold) {
    runOnGuiThread([&] {
        m_repaintHolds = std::max(0, m_repaintHolds + (hold ? 1 : -1));
        m_window.resultView()->setUpdatesEnabled(m_repaintHolds == 0);
    });
}

} // namespace yuzhou
