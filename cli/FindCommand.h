#pragma once

#include "ResultOutput.h"
#include "settings/FilterSettings.h"

#include <string>
#include <vector>

namespace yuzhou {

/// What `yuzhou-cli find` was asked to do.
struct FindOptions {
    std::string folder;
    FilterSettings settings;
    OutputFormat format = OutputFormat::Tsv;
    /// Answer every question of the command with OK.
    bool answerYes = false;
    /// Header clicks after the search and the duplicate pass, in order.
    std::vector<int> sortColumns;
    /// Remove the surplus copies of every duplicate group at the end.
    bool deleteSurplus = false;
    /// Copy or move the ticked files there, or delete them, at the end.
    std::string copyTo;
    std::string moveTo;
    bool deleteTicked = false;
    /// Export the list into this workbook at the very end.
    std::string xlsxFile;
};

/// Reads the arguments that follow "find"; throws UsageError with a one-line reason.
FindOptions parseFindOptions(const std::vector<std::string>& arguments);

/// Runs the search as the window would and writes the result list to standard output;
/// the messages go to standard error. Gives the exit status.
int runFindCommand(const FindOptions& options);

} // namespace yuzhou
