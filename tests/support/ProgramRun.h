#pragma once

#include <string>
#include <vector>

namespace yuzhou::test {

/// How a program ended and what it wrote.
struct ProgramRun {
    int status = -1; // the exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};

/// Runs a program (its path first) with the arguments and catches its standard output and
/// standard error in files.
ProgramRun runProgram(std::vector<std::string> command);

/// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);

/// A line cut at every tab.
std::vector<std::string> tabFields(const std::string& line);

} // namespace yuzhou::test
