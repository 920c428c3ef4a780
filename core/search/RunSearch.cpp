#include "search/RunSearch.h"

#include "ProgramState.h"
#include "duplicates/DuplicatePass.h"
#include "search/FileFilter.h"
#include "search/SearchTexts.h"
#include "search/WalkFolder.h"
#include "settings/SettingsTexts.h"
#include "toolkit.h"

namespace yuzhou {

namespace {

/// The refusal message for the current input, or empty when the search may start.
std::string_view refusal(const std::string& searchFolder, const FilterSettings& settings) {
    if (searchFolder.empty()) {
        return texts::kNoSearchFolder;
    }
    if (settings.extensionList == texts::kExtensionPrompt) {
        return texts::kSettingsNotApplied;
    }
    if (settings.extensionList.empty()) {
        return texts::kNoSettings;
    }
    return {};
}

} // namespace

void runSearch(ProgramState& state, WindowToolkit& toolkit) {
    toolkit.clearStatusPanes();
    toolkit.setProgressVisible(false);
    state.colours.clearCellColours();

    if (const std::string_view message = refusal(toolkit.searchFolderText(), state.settings);
        !message.empty()) {
        toolkit.showMessage(message);
        return;
    }

    toolkit.setButton(CommandButton::Search, texts::kSearchingCaption, false);
    toolkit.setSummaryText("");
    state.results.clear();
    state.examinedCount = 0;
    toolkit.addStatusPane(texts::kSearchStartedPane, texts::kSearchStartedPaneWidth);
    toolkit.addStatusPane("", -1);

    FileFilter filter(state.settings, state.results, toolkit, state.examinedCount);
    if (state.settings.findDuplicates) {
        // The duplicate pass reads files as soon as a second file of their size is listed.
        state.duplicatePass.beginWithSearch(state);
        filter.setListedHook([&state](std::size_t position, const std::string& path, std::int64_t size) {
            state.duplicatePass.onRowListed(state, position, path, size);
        });
    }
    walkFolder(
        toolkit.searchFolderText(), "", true,
        [&filter](std::string name, std::string path, int folderFd) {
            filter.filterFile(std::move(name), std::move(path), folderFd);
        },
        toolkit);
    if (toolkit.closing()) {
        state.duplicatePass.cancel();
        return;
    }

    if (const std::size_t found = state.results.rowCount(); found > 0) {
        toolkit.setSelectAllChecked(true);
        state.results.setAllTicks(kTicked);
        toolkit.removeStatusPane(1);
        toolkit.setStatusPaneWidth(0, texts::kSearchFinishedPaneWidth);
        toolkit.setStatusPaneText(0, texts::searchFinishedPane(found));
    }

    if (state.settings.findDuplicates) {
        markDuplicateCandidates(state, toolkit); // it ends the search, now or on its own thread
        return;
    }
    toolkit.setSummaryText(texts::foundSummary(state.results.rowCount()));
    toolkit.showMessage(texts::searchFinishedMessage(state.results.rowCount()));
    toolkit.setButton(CommandButton::Search, texts::kSearchCaption, true);
}

} // namespace yuzhou
