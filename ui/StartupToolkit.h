#pragma once

#include "toolkit.h"

namespace yuzhou {

/// The toolkit of the start-up, before the main window exists: message boxes without a
/// parent window and web addresses opened in the browser. It has no list, status bar or
/// buttons, so the other operations do nothing. GUI thread only.
class StartupToolkit : public WindowToolkit {
public:
    MessageAnswer showMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                              std::string_view title) override;
    void openAddress(const std::string& address) override;

    void processEvents() override;
    void clearStatusPanes() override {}
    void addStatusPane(std::string_view, int) override {}
    void removeStatusPane(int) override {}
    void setStatusPaneText(int, std::string_view) override {}
    void setStatusPaneWidth(int, int) override {}
    void setProgressVisible(bool) override {}
    void setProgressMaximum(std::int64_t) override {}
    void setProgressValue(std::int64_t) override {}
    void placeProgressOverStatusPane(int) override {}
    void setButton(CommandButton, std::string_view, bool) override {}
    void setSummaryText(std::string_view) override {}
    void setSelectAllChecked(bool) override {}
    bool selectAllChecked() const override { return false; }
    std::string searchFolderText() const override { return {}; }
    std::string targetFolderText() const override { return {}; }
    void holdListRepaint(bool) override {}
    std::optional<std::size_t> selectedRow() const override { return std::nullopt; }
    void setClipboardText(std::string_view) override {}
    void openWithDefaultProgram(const std::string&) override {}
    void showInFileManager(const std::string&) override {}
    std::optional<std::string> chooseSaveFile(std::string_view, std::string_view) override {
        return std::nullopt;
    }
    void carryOut(const std::function<void()>& change) override { change(); }
};

} // namespace yuzhou
