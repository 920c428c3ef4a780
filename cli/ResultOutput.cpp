#include "ResultOutput.h"

#include "search/ResultList.h"
#include "text/Encoding.h"

#include <array>

namespace yuzhou {

namespace {

constexpr std::string_view kTickTitle = "勾选";

void put(std::FILE* out, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), out);
}

std::string tickText(int tick) {
    return tick == kTicked ? "1" : "0";
}

void writeDelimited(std::FILE* out, const ResultList& results, char separator,
                    std::string (*field)(std::string_view)) {
    std::string line = field(kTickTitle);
    for (int c = 1; c < kColumnCount; ++c) {
        line += separator;
        line += field(kColumnTitles[static_cast<std::size_t>(c)]);
    }
    line += '\n';
    put(out, line);
    const std::size_t rows = results.rowCount();
    for (std::size_t r = 0; r < rows; ++r) {
        const ResultRow row = results.row(r);
        line = tickText(row.tick);
        for (int c = 1; c < kColumnCount; ++c) {
            line += separator;
            line += field(row.cells[static_cast<std::size_t>(c)]);
        }
        line += '\n';
        put(out, line);
    }
}

void writeJson(std::FILE* out, const ResultList& results) {
    std::array<std::string, kColumnCount> keys;
    for (int c = 1; c < kColumnCount; ++c) {
        keys[static_cast<std::size_t>(c)] = jsonString(kColumnTitles[static_cast<std::size_t>(c)]) + ':';
    }
    const std::string tickKey = jsonString(kTickTitle) + ':';
    put(out, "[");
    const std::size_t rows = results.rowCount();
    std::string line;
    for (std::size_t r = 0; r < rows; ++r) {
        const ResultRow row = results.row(r);
        line = r == 0 ? "\n{" : ",\n{";
        line += tickKey + tickText(row.tick);
        for (int c = 1; c < kColumnCount; ++c) {
            line += ',';
            line += keys[static_cast<std::size_t>(c)];
            line += jsonString(row.cells[static_cast<std::size_t>(c)]);
        }
        line += '}';
        put(out, line);
    }
    put(out, rows == 0 ? "]\n" : "\n]\n");
}

} // namespace

std::optional<OutputFormat> parseOutputFormat(std::string_view name) {
    if (name == "tsv") {
        return OutputFormat::Tsv;
    }
    if (name == "csv") {
        return OutputFormat::Csv;
    }
    if (name == "json") {
        return OutputFormat::Json;
    }
    return std::nullopt;
}

std::string tsvField(std::string_view text) {
    std::string field;
    field.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            field += "\\\\";
            break;
        case '\t':
            field += "\\t";
            break;
        case '\n':
            field += "\\n";
            break;
        case '\r':
            field += "\\r";
            break;
        default:
            field += c;
        }
    }
    return field;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string field = "\"";
    for (char c : text) {
        if (c == '"') {
            field += '"';
        }
        field += c;
    }
    field += '"';
    return field;
}

std::string jsonString(std::string_view text) {
    std::string json = "\"";
    char escape[8];
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t cp = decodeUtf8At(text, pos);
        if (cp >= 0xDC80 && cp <= 0xDCFF) {
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(cp));
            json += escape;
        } else if (cp == '"' || cp == '\\') {
            json += '\\';
            json += static_cast<char>(cp);
        } else if (cp < 0x20) {
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(cp));
            json += escape;
        } else {
            json.append(text.substr(start, pos - start));
        }
    }
    json += '"';
    return json;
}

void writeResults(std::FILE* out, const ResultList& results, OutputFormat format) {
    switch (format) {
    case OutputFormat::Tsv:
        writeDelimited(out, results, '\t', tsvField);
        break;
    case OutputFormat::Csv:
        writeDelimited(out, results, ',', csvField);
        break;
    case OutputFormat::Json:
        writeJson(out, results);
        break;
    }
    std::fflush(out);
}

} // namespace yuzhou
