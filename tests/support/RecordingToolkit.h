#pragma once

#include "toolkit.h"

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace yuzhou::test {

/// A window toolkit that keeps the state the commands give the window and records what
/// they do, for tests to look at afterwards.
class RecordingToolkit : public WindowToolkit {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
        std::string title;
    };
    struct StatusPane {
        std::string text;
        int width;
        bool operator==(const StatusPane&) const = default;
    };
    struct ButtonState {
        std::string caption;
        bool enabled = true;
    };

    RecordingToolkit();

    // The answers to questions, taken in order; Cancel when none is left.
    void queueAnswer(MessageAnswer answer);
    /// Runs at every processEvents call, as user actions would between two events.
    void onProcessEvents(std::function<void()> action);

    std::string searchFolder;
    std::string targetFolder;
    bool closingNow = false;

    std::vector<Message> messages() const;
    std::vector<std::string> messageTexts() const;
    std::vector<StatusPane> panes() const;
    ButtonState button(CommandButton which) const;
    std::string summary() const;
    int processEventsCalls() const;
    bool progressVisible() const;
    std::int64_t progressMaximum() const;
    std::int64_t progressValue() const;
    int progressPane() const;
    /// Every call in order, as short lines such as "message 请添加查找目录！" or "pane 1 5".
    std::vector<std::string> log() const;

    MessageAnswer showMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                              std::string_view title) override;
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
    void showInFileManager(const std::string& path) override;
    void openAddress(const std::string& address) override;
    std::optional<std::string> chooseSaveFile(std::string_view title, std::string_view filter) override;

    std::optional<std::size_t> selected;
    std::string clipboard;
    std::vector<std::string> opened;
    std::vector<std::string> shownInFileManager;
    std::vector<std::string> openedAddresses;
    /// The answer of the save dialog: a name, or nothing for Cancel.
    std::optional<std::string> saveFile;
    std::string saveFilter;

    bool selectAll = false;
    int repaintHolds = 0;

private:
    void record(std::string line);

    mutable std::recursive_mutex m_mutex;
    std::deque<MessageAnswer> m_answers;
    std::function<void()> m_onProcessEvents;
    std::vector<Message> m_messages;
    std::vector<StatusPane> m_panes;
    std::map<CommandButton, ButtonState> m_buttons;
    std::string m_summary;
    int m_processEventsCalls = 0;
    bool m_progressVisible = false;
    std::int64_t m_progressMaximum = 0;
    std::int64_t m_progressValue = 0;
    int m_progressPane = -1;
    std::vector<std::string> m_log;
};

} // namespace yuzhou::test
