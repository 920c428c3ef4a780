#include "FetchCommand.h"
#include "FindCommand.h"
#include "UsageError.h"

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(用法 / usage:
  yuzhou-cli find FOLDER --ext LIST [options]
    --ext LIST               extensions to look for, without dots, separated by ","
                             (as "jpg,png"; letter case counts)
    --skip-size REL N UNIT   leave out files whose size stands in REL to N UNIT;
                             REL is 大于|等于|小于 (or gt|eq|lt), UNIT B|KB|MB|GB
    --include LIST           list only names holding one of the keywords LIST
    --skip LIST              leave out names holding every keyword of LIST
    --dupes                  mark the duplicates (the duplicate pass runs after the search)
    --sort COLUMN            click a column's header (a title such as 大小, or 0 to 8)
                             after the search and the pass; the direction alternates
                             from one click to the next, whatever the column
    --delete-surplus         delete the surplus copies of every duplicate group
    --copy-to DIR            copy the ticked files (all, after a search) into DIR
    --move-to DIR            move the ticked files into DIR
    --delete-ticked          delete the ticked files
    --xlsx FILE              write the list into the workbook FILE (.xlsx is appended
                             unless the name ends in it), after everything else
    --format tsv|csv|json    result output on standard output (default tsv)
    --yes                    answer OK to every question of the command
  yuzhou-cli fetch URL [--data BODY]
    posts BODY (form-encoded, empty without --data) to URL as the online help does
    and prints the reply's text exactly; prints nothing when the request fails
  yuzhou-cli --help

Standard output of find: the result list, one line per row after a header line.
Standard error: every message the window would show, one line each.
Exit status: 0 when the command ran, 2 on a usage error.
)";

void printUsage(std::FILE* out) {
    std::fputs(kUsage, out);
}

} // namespace

int main(int argc, char** argv) {
    // Local time for the time columns; the texts themselves are byte strings.
    std::setlocale(LC_TIME, "");
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        printUsage(stderr);
        return yuzhou::kExitUsage;
    }
    const std::string command = arguments.front();
    arguments.erase(arguments.begin());
    try {
        if (command == "--help" || command == "-h" || command == "help") {
            printUsage(stdout);
            return yuzhou::kExitOk;
        }
        if (command == "find") {
            return yuzhou::runFindCommand(yuzhou::parseFindOptions(arguments));
        }
        if (command == "fetch") {
            return yuzhou::runFetchCommand(yuzhou::parseFetchOptions(arguments));
        }
        throw yuzhou::UsageError("unknown command " + command + " (try yuzhou-cli --help)");
    } catch (const yuzhou::UsageError& error) {
        std::fprintf(stderr, "yuzhou-cli: %s\n", error.what());
        return yuzhou::kExitUsage;
    }
}
