#pragma once

#include "toolkit.h"

#include <QElapsedTimer>
#include <atomic>

namespace yuzhou {

class MainWindow;

/// The window operations on the real widgets of the main window.
///
/// Any thread may call: a call from another thread is carried out on the GUI thread
/// while the caller waits, and a message box asked for by another thread is shown
/// without blocking the windows.
class QtToolkit : public WindowToolkit {
public:
    explicit QtToolkit(MainWindow& window);

    MessageAnswer showMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                              std::string_view title) override;
    /// Runs the pending events, unless they ran less than a few milliseconds ago: a
    /// search calls this for every file, and most calls return at once.
    void processEvents() override;
    bool closing() const override;

    void clearStatusPanes() override;
    void addStatusPane(std::string_view text, int width) override;
    void removeStatusPane(int index) override;
    void setStatusPaneText(int index, std::string_view text) override;
    void setStatusPaneWidth(int index, int width) override;

    void setProgressVisible(bool visible) override;
    void setProgressMaximum(std::int64_t maximum) override;
    void setProgressValue(std::int64_t value) override;
    void placeProgressOverStatusPane(int index) override;

    void setButton(CommandButton button, std::string_view caption, bool enabled) override;
    void setSummaryText(std::string_view text) override;
    void setSelectAllChecked(bool checked) override;
    bool selectAllChecked() const override;

    std::string searchFolderText() const override;
    std::string targetFolderText() const override;

    void holdListRepaint(bool hold) override;
    void carryOut(const std::function<void()>& change) override;
    std::optional<std::size_t> selectedRow() const override;
    void setClipboardText(std::string_view text) override;
    void openWithDefaultProgram(const std::string& path) override;
    void openAddress(const std::string& address) override;
    /// The freedesktop file manager's ShowItems over D-Bus where one answers, else the
    /// folder opened with its default program.
    void showInFileManager(const std::string& path) override;
    std::optional<std::string> chooseSaveFile(std::string_view title, std::string_view filter) override;

    /// From now on long commands stop at their next event point.
    void setClosing();

private:
    MainWindow& m_window;
    QElapsedTimer m_sinceEvents;
    std::atomic<bool> m_closing{false};
    int m_repaintHolds = 0;
};

} // namespace yuzhou
