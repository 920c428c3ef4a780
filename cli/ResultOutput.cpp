#include "ResultOutput.h"

#include "search/ResultList.h"
#include "text/Encoding.h"

#include <algorithm>
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
                    void (*field)(std::string_view, std::string&)) {
    std::string line;
    field(kTickTitle, line);
    for (int c = 1; c < kColumnCount; ++c) {
        line += separator;
        field(kColumnTitles[static_cast<std::size_t>(c)], line);
    }
    line += '\n';
    put(out, line);
    results.forEachRow([&](std::size_t, const ResultList::RowView& row) {
        line = tickText(row.tick);
        for (int c = 1; c < kColumnCount; ++c) {
            line += separator;
            field(row.cells[static_cast<std::size_t>(c)], line);
        }
        line += '\n';
        put(out, line);
    });
}

void writeJson(std::FILE* out, const ResultList& results) {
    std::array<std::string, kColumnCount> keys;
    for (int c = 1; c < kColumnCount; ++c) {
        keys[static_cast<std::size_t>(c)] = jsonString(kColumnTitles[static_cast<std::size_t>(c)]) + ':';
    }
    const std::string tickKey = jsonString(kTickTitle) + ':';
    put(out, "[");
    std::string line;
    bool any = false;
    results.forEachRow([&](std::size_t r, const ResultList::RowView& row) {
        line = r == 0 ? "\n{" : ",\n{";
        line += tickKey + tickText(row.tick);
        for (int c = 1; c < kColumnCount; ++c) {
            line += ',';
            line += keys[static_cast<std::size_t>(c)];
            line += jsonString(row.cells[static_cast<std::size_t>(c)]);
        }
        line += '}';
        put(out, line);
        any = true;
    });
    put(out, any ? "\n]\n" : "]\n");
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

namespace {

/// Whether any byte of the text is one of the given ones; a plain loop, which beats
/// find_first_of's search of the set for every byte.
template <char... Bytes> bool holdsAnyOf(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return ((c == Bytes) || ...); });
}

} // namespace

void appendTsvField(std::string_view text, std::string& field) {
    if (!holdsAnyOf<'\\', '\t', '\n', '\r'>(text)) {
        field += text;
        return;
    }
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
}

void appendCsvField(std::string_view text, std::string& field) {
    if (!holdsAnyOf<',', '"', '\r', '\n'>(text)) {
        field += text;
        return;
    }
    field += '"';
    for (char c : text) {
        if (c == '"') {
            field += '"';
        }
        field += c;
    }
    field += '"';
}

std::string tsvField(std::string_view text) {
    std::string field;
    appendTsvField(text, field);
    return field;
}

std::string csvField(std::string_view text) {
    std::string field;
    appendCsvField(text, field);
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
        writeDelimited(out, results, '\t', appendTsvField);
        break;
    case OutputFormat::Csv:
        writeDelimited(out, results, ',', appendCsvField);
        break;
    case OutputFormat::Json:
        writeJson(out, results);
        break;
    }
    std::fflush(out);
}

} // namespace yuzhou
