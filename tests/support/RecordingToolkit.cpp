#include "RecordingToolkit.h"

namespace yuzhou::test {

RecordingToolkit::RecordingToolkit() {
    m_buttons[CommandButton::Search] = {"查找文件", true};
}

void RecordingToolkit::queueAnswer(MessageAnswer answer) {
    std::lock_guard lock(m_mutex);
    m_answers.push_back(answer);
}

void RecordingToolkit::onProcessEvents(std::function<void()> action) {
    std::lock_guard lock(m_mutex);
    m_onProcessEvents = std::move(action);
}

std::vector<RecordingToolkit::Message> RecordingToolkit::messages() const {
    std::lock_guard lock(m_mutex);
    return m_messages;
}

std::vector<std::string> RecordingToolkit::messageTexts() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> texts;
    for (const Message& message : m_messages) {
        texts.push_back(message.text);
    }
    return texts;
}

std::vector<RecordingToolkit::StatusPane> RecordingToolkit::panes() const {
    std::lock_guard lock(m_mutex);
    return m_panes;
}

RecordingToolkit::ButtonState RecordingToolkit::button(CommandButton which) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_buttons.find(which);
    return found == m_buttons.end() ? ButtonState{} : found->second;
}

std::string RecordingToolkit::summary() const {
    std::lock_guard lock(m_mutex);
    return m_summary;
}

int RecordingToolkit::processEventsCalls() const {
    std::lock_guard lock(m_mutex);
    return m_processEventsCalls;
}

bool RecordingToolkit::progressVisible() const {
    std::lock_guard lock(m_mutex);
    return m_progressVisible;
}

std::int64_t RecordingToolkit::progressMaximum() const {
    std::lock_guard lock(m_mutex);
    return m_progressMaximum;
}

std::int64_t RecordingToolkit::progressValue() const {
    std::lock_guard lock(m_mutex);
    return m_progressValue;
}

int RecordingToolkit::progressPane() const {
    std::lock_guard lock(m_mutex);
    return m_progressPane;
}

std::vector<std::string> RecordingToolkit::log() const {
    std::lock_guard lock(m_mutex);
    return m_log;
}

void RecordingToolkit::record(std::string line) {
    m_log.push_back(std::move(line));
}

MessageAnswer RecordingToolkit::showMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                            std::string_view title) {
    std::lock_guard lock(m_mutex);
    m_messages.push_back({std::string(text), icon, buttons, std::string(title)});
    record("message " + std::string(text));
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    if (m_answers.empty()) {
        return MessageAnswer::Cancel;
    }
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void RecordingToolkit::processEvents() {
    std::function<void()> action;
    {
        std::lock_guard lock(m_mutex);
        ++m_processEventsCalls;
        action = m_onProcessEvents;
    }
    if (action) {
        action();
    }
}

bool RecordingToolkit::closing() const {
    std::lock_guard lock(m_mutex);
    return closingNow;
}

void RecordingToolkit::clearStatusPanes() {
    std::lock_guard lock(m_mutex);
    m_panes.clear();
    record("panes cleared");
}

void RecordingToolkit::addStatusPane(std::string_view text, int width) {
    std::lock_guard lock(m_mutex);
    m_panes.push_back({std::string(text), width});
    record("pane added " + std::string(text) + " " + std::to_string(width));
}

void RecordingToolkit::removeStatusPane(int index) {
    std::lock_guard lock(m_mutex);
    if (index >= 0 && static_cast<std::size_t>(index) < m_panes.size()) {
        m_panes.erase(m_panes.begin() + index);
    }
    record("pane removed " + std::to_string(index));
}

void RecordingToolkit::setStatusPaneText(int index, std::string_view text) {
    std::lock_guard lock(m_mutex);
    if (index >= 0 && static_cast<std::size_t>(index) < m_panes.size()) {
        m_panes[static_cast<std::size_t>(index)].text = text;
    }
}

void RecordingToolkit::setStatusPaneWidth(int index, int width) {
    std::lock_guard lock(m_mutex);
    if (index >= 0 && static_cast<std::size_t>(index) < m_panes.size()) {
        m_panes[static_cast<std::size_t>(index)].width = width;
    }
}

void RecordingToolkit::setProgressVisible(bool visible) {
    std::lock_guard lock(m_mutex);
    m_progressVisible = visible;
    record(visible ? "progress shown" : "progress hidden");
}

void RecordingToolkit::setProgressMaximum(std::int64_t maximum) {
    std::lock_guard lock(m_mutex);
    m_progressMaximum = maximum;
}

void RecordingToolkit::setProgressValue(std::int64_t value) {
    std::lock_guard lock(m_mutex);
    m_progressValue = value;
}

void RecordingToolkit::placeProgressOverStatusPane(int index) {
    std::lock_guard lock(m_mutex);
    m_progressPane = index;
}

void RecordingToolkit::setButton(CommandButton which, std::string_view caption, bool enabled) {
    std::lock_guard lock(m_mutex);
    m_buttons[which] = {std::string(caption), enabled};
    record("button " + std::string(caption) + (enabled ? " enabled" : " disabled"));
}

void RecordingToolkit::setSummaryText(std::string_view text) {
    std::lock_guard lock(m_mutex);
    m_summary = text;
    record("summary " + std::string(text));
}

void RecordingToolkit::setSelectAllChecked(bool checked) {
    std::lock_guard lock(m_mutex);
    selectAll = checked;
}

bool RecordingToolkit::selectAllChecked() const {
    std::lock_guard lock(m_mutex);
    return selectAll;
}

std::string RecordingToolkit::searchFolderText() const {
    std::lock_guard lock(m_mutex);
    return searchFolder;
}

std::string RecordingToolkit::targetFolderText() const {
    std::lock_guard lock(m_mutex);
    return targetFolder;
}

void RecordingToolkit::holdListRepaint(bool hold) {
    std::lock_guard lock(m_mutex);
    repaintHolds += hold ? 1 : -1;
}

} // namespace yuzhou::test

namespace yuzhou::test {

std::optional<std::size_t> RecordingToolkit::selectedRow() const {
    std::lock_guard lock(m_mutex);
    return selected;
}

void RecordingToolkit::setClipboardText(std::string_view text) {
    std::lock_guard lock(m_mutex);
    clipboard = text;
}

void RecordingToolkit::openWithDefaultProgram(const std::string& path) {
    std::lock_guard lock(m_mutex);
    opened.push_back(path);
}

void RecordingToolkit::openAddress(const std::string& address) {
    std::lock_guard lock(m_mutex);
    openedAddresses.push_back(address);
}

void RecordingToolkit::showInFileManager(const std::string& path) {
    std::lock_guard lock(m_mutex);
    shownInFileManager.push_back(path);
}

std::optional<std::string> RecordingToolkit::chooseSaveFile(std::string_view, std::string_view filter) {
    std::lock_guard lock(m_mutex);
    saveFilter = filter;
    return saveFile;
}

void RecordingToolkit::carryOut(const std::function<void()>& change) {
    std::lock_guard lock(m_mutex);
    if (!closingNow) {
        change();
    }
}

} // namespace yuzhou::test
