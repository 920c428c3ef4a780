#pragma once

#include "toolkit.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace yuzhou {

/// The window operations on a console: a message box is one line on standard error with
/// exactly its text, a question is answered OK only when the user said so beforehand
/// (`--yes`), and the status bar and progress bar are drawn on one line of standard error
/// only when that is a terminal.
class ConsoleToolkit : public WindowToolkit {
public:
    ConsoleToolkit(std::FILE* messages, bool answerYes, bool showProgress);
    ~ConsoleToolkit() override;
    ConsoleToolkit(const ConsoleToolkit&) = delete;
    ConsoleToolkit& operator=(const ConsoleToolkit&) = delete;

    void setSearchFolder(std::string folder);
    void setTargetFolder(std::string folder);

    MessageAnswer showMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                              std::string_view title) override;
    void processEvents() override;

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
    // A console has no list selection, clipboard or desktop; these do nothing.
    std::optional<std::size_t> selectedRow() const override;
    void setClipboardText(std::string_view text) override;
    void openWithDefaultProgram(const std::string& path) override;
    void showInFileManager(const std::string& path) override;
    void openAddress(const std::string& address) override;
    /// The file named on the command line (--xlsx), if any.
    std::optional<std::string> chooseSaveFile(std::string_view title, std::string_view filter) override;
    void setSaveFile(std::string path);

private:
    /// Redraws the status line when it is shown and the last redraw is old enough.
    void drawStatus(bool force);
    void eraseStatus();

    // Recursive: a change carried out may call the toolkit again.
    mutable std::recursive_mutex m_mutex;
    std::FILE* m_messages;
    bool m_answerYes;
    bool m_showProgress;
    std::vector<std::string> m_panes;
    bool m_progressVisible = false;
    std::int64_t m_progressMaximum = 0;
    std::int64_t m_progressValue = 0;
    bool m_selectAll = false;
    std::string m_searchFolder;
    std::string m_targetFolder;
    std::optional<std::string> m_saveFile;
    bool m_statusDrawn = false;
    std::chrono::steady_clock::time_point m_lastDraw{};
};

} // namespace yuzhou
