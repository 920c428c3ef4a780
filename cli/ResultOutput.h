#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace yuzhou {

class ResultList;

enum class OutputFormat { Tsv, Csv, Json };

std::optional<OutputFormat> parseOutputFormat(std::string_view name);

/// Writes the result list: a header line of the column titles (the tick column as
/// "勾选"), then one line per row, the tick as 1 or 0 and the eight texts as the window
/// shows them.
///
/// TSV escapes a backslash, tab, line feed and carriage return inside a text as "\\",
/// "\t", "\n" and "\r", so every row stays one line. CSV quotes as RFC 4180 does. JSON is
/// an array of objects keyed by the column titles; a byte of a name that is not UTF-8 is
/// written as the escape "\udcXX" (XX its value), which Python reads back to the same
/// bytes with os.fsencode.
void writeResults(std::FILE* out, const ResultList& results, OutputFormat format);

std::string tsvField(std::string_view text);
std::string csvField(std::string_view text);
void appendTsvField(std::string_view text, std::string& line);
void appendCsvField(std::string_view text, std::string& line);
std::string jsonString(std::string_view text);

} // namespace yuzhou
