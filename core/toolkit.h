#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace yuzhou {

enum class MessageIcon { None, Information, Exclamation, Question };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

/// The command buttons of the main window whose caption and state the commands change.
enum class CommandButton { Search, Move, Copy, Delete, Export, RemoveDuplicates };

inline constexpr std::string_view kDefaultMessageTitle = "信息：";

/// The window operations the commands need. The Qt front end implements them on real
/// widgets, the command line on the console, the tests with a recorder.
///
/// Every operation may be called from any thread: an implementation that owns a GUI
/// thread carries a call from another thread out on the GUI thread while the caller waits.
class WindowToolkit {
public:
    virtual ~WindowToolkit() = default;

    /// Shows a message box and waits until it is closed. Closing the box counts as Cancel;
    /// a box with the OK button alone answers Ok.
    virtual MessageAnswer showMessage(std::string_view text, MessageIcon icon = MessageIcon::Information,
                                      MessageButtons buttons = MessageButtons::Ok,
                                      std::string_view title = kDefaultMessageTitle) = 0;

    /// Lets the pending window events run. Cheap enough to call for every file.
    virtual void processEvents() = 0;

    /// True once the main window is closing: long commands stop at their next event point
    /// instead of writing into a list nobody shows any more.
    virtual bool closing() const { return false; }

    // Status bar: panes are numbered from 0 in the order they were added. A width of -1
    // reaches to the right end of the bar. Panes are drawn without a border.
    virtual void clearStatusPanes() = 0;
    virtual void addStatusPane(std::string_view text, int width) = 0;
    virtual void removeStatusPane(int index) = 0;
    virtual void setStatusPaneText(int index, std::string_view text) = 0;
    virtual void setStatusPaneWidth(int index, int width) = 0;

    // Progress bar: the range starts at 0. Once placed over a status pane it stays there.
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressMaximum(std::int64_t maximum) = 0;
    virtual void setProgressValue(std::int64_t value) = 0;
    virtual void placeProgressOverStatusPane(int index) = 0;

    virtual void setButton(CommandButton button, std::string_view caption, bool enabled) = 0;
    /// The summary label under the result list; repainted at once.
    virtual void setSummaryText(std::string_view text) = 0;
    /// The select-all check box "全选".
    virtual void setSelectAllChecked(bool checked) = 0;
    virtual bool selectAllChecked() const = 0;

    /// The texts of the two folder fields, exactly as the user left them.
    virtual std::string searchFolderText() const = 0;
    virtual std::string targetFolderText() const = 0;

    /// Holds back the repainting of the result list until the hold is released.
    virtual void holdListRepaint(bool hold) = 0;

    /// The row of the result list that is selected (the first one, when several are), or
    /// nothing.
    virtual std::optional<std::size_t> selectedRow() const = 0;
    /// Puts a plain text on the clipboard, replacing what was there.
    virtual void setClipboardText(std::string_view text) = 0;
    /// Opens a file or folder with the desktop's default program for it.
    virtual void openWithDefaultProgram(const std::string& path) = 0;
    /// Opens a web address with the desktop's default browser.
    virtual void openAddress(const std::string& address) = 0;
    /// Shows the file manager with the file selected in its folder.
    virtual void showInFileManager(const std::string& path) = 0;
    /// Asks for the name of a file to save, offering the files that match `filter`
    /// ("*.xlsx"); confirms replacing an existing file. Nothing when the user cancels.
    virtual std::optional<std::string> chooseSaveFile(std::string_view title, std::string_view filter) = 0;

    /// Carries out a change of the result list and the window on the GUI thread while the
    /// calling thread waits; nothing the user does can come between its steps. A change
    /// asked for while the window is closing is dropped.
    virtual void carryOut(const std::function<void()>& change) = 0;
};

} // namespace yuzhou
