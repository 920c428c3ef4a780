#include "ConsoleToolkit.h"

namespace yuzhou {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

} // namespace

ConsoleToolkit::ConsoleToolkit(std::FILE* messages, bool answerYes, bool showProgress)
    : m_messages(messages), m_answerYes(answerYes), m_showProgress(showProgress) {}

ConsoleToolkit::~ConsoleToolkit() {
    std::lock_guard lock(m_mutex);
    eraseStatus();
    std::fflush(m_messages);
}

void ConsoleToolkit::setSearchFolder(std::string folder) {
    std::lock_guard lock(m_mutex);
    m_searchFolder = std::move(folder);
}

void ConsoleToolkit::setTargetFolder(std::string folder) {
    std::lock_guard lock(m_mutex);
    m_targetFolder = std::move(folder);
}

MessageAnswer ConsoleToolkit::showMessage(std::string_view text, MessageIcon, MessageButtons buttons,
                                          std::string_view) {
    std::lock_guard lock(m_mutex);
    eraseStatus();
    std::fprintf(m_messages, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(m_messages);
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return m_answerYes ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void ConsoleToolkit::processEvents() {}

void ConsoleToolkit::clearStatusPanes() {
    std::lock_guard lock(m_mutex);
    m_panes.clear();
    drawStatus(true);
}

void ConsoleToolkit::addStatusPane(std::string_view text, int) {
    std::lock_guard lock(m_mutex);
    m_panes.emplace_back(text);
    drawStatus(false);
}

void ConsoleToolkit::removeStatusPane(int index) {
    std::lock_guard lock(m_mutex);
    if (index >= 0 && static_cast<std::size_t>(index) < m_panes.size()) {
        m_panes.erase(m_panes.begin() + index);
    }
    drawStatus(true);
}

void ConsoleToolkit::setStatusPaneText(int index, std::string_view text) {
    std::lock_guard lock(m_mutex);
    if (index >= 0 && static_cast<std::size_t>(index) < m_panes.size()) {
        m_panes[static_cast<std::size_t>(index)] = text;
    }
    drawStatus(false);
}

void ConsoleToolkit::setStatusPaneWidth(int, int) {}

void ConsoleToolkit::setProgressVisible(bool visible) {
    std::lock_guard lock(m_mutex);
    m_progressVisible = visible;
    drawStatus(false);
}

void ConsoleToolkit::setProgressMaximum(std::int64_t maximum) {
    std::lock_guard lock(m_mutex);
    m_progressMaximum = maximum;
}

void ConsoleToolkit::setProgressValue(std::int64_t value) {
    std::lock_guard lock(m_mutex);
    m_progressValue = value;
    drawStatus(false);
}

void ConsoleToolkit::placeProgressOverStatusPane(int) {}

void ConsoleToolkit::setButton(CommandButton, std::string_view, bool) {}

void ConsoleToolkit::setSummaryText(std::string_view) {}

void ConsoleToolkit::setSelectAllChecked(bool checked) {
    std::lock_guard lock(m_mutex);
    m_selectAll = checked;
}

bool ConsoleToolkit::selectAllChecked() const {
    std::lock_guard lock(m_mutex);
    return m_selectAll;
}

std::string ConsoleToolkit::searchFolderText() const {
    std::lock_guard lock(m_mutex);
    return m_searchFolder;
}

std::string ConsoleToolkit::targetFolderText() const {
    std::lock_guard lock(m_mutex);
    return m_targetFolder;
}

void ConsoleToolkit::holdListRepaint(bool) {}

std::optional<std::size_t> ConsoleToolkit::selectedRow() const {
    return std::nullopt;
}

void ConsoleToolkit::setClipboardText(std::string_view) {}

void ConsoleToolkit::openWithDefaultProgram(const std::string&) {}

void ConsoleToolkit::showInFileManager(const std::string&) {}

void ConsoleToolkit::openAddress(const std::string&) {}

std::optional<std::string> ConsoleToolkit::chooseSaveFile(std::string_view, std::string_view) {
    std::lock_guard lock(m_mutex);
    return m_saveFile;
}

void ConsoleToolkit::setSaveFile(std::string path) {
    std::lock_guard lock(m_mutex);
    m_saveFile = std::move(path);
}

void ConsoleToolkit::carryOut(const std::function<void()>& change) {
    std::lock_guard lock(m_mutex);
    change();
}

void ConsoleToolkit::drawStatus(bool force) {
    if (!m_showProgress) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - m_lastDraw < kRedrawInterval) {
        return;
    }
    m_lastDraw = now;
    std::string line = "\r\033[K";
    for (const std::string& pane : m_panes) {
        line += pane;
        line += ' ';
    }
    if (m_progressVisible && m_progressMaximum > 0) {
        line += std::to_string(m_progressValue * 100 / m_progressMaximum) + '%';
    }
    std::fputs(line.c_str(), m_messages);
    std::fflush(m_messages);
    m_statusDrawn = true;
}

void ConsoleToolkit::eraseStatus() {
    if (m_statusDrawn) {
        std::fputs("\r\033[K", m_messages);
        m_statusDrawn = false;
    }
}

} // namespace yuzhou
