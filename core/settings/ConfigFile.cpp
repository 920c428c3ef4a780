#include "settings/ConfigFile.h"

#include "platform/FileSystem.h"
#include "text/Encoding.h"

#include <optional>
#include <vector>

namespace yuzhou {

namespace {

/// Files beyond this size are read only this far: enough for any real configuration, and
/// a huge or runaway file cannot exhaust memory.
constexpr std::size_t kReadLimit = 16u << 20;

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
    };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    a = trimBlanks(a);
    b = trimBlanks(b);
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

/// The file as lines of UTF-8 text.
std::vector<std::string> readLines(const std::string& path) {
    std::string raw;
    if (!readFilePrefix(path, kReadLimit, raw)) {
        return {};
    }
    if (raw.starts_with("\xEF\xBB\xBF")) {
        raw.erase(0, 3);
    }
    if (!isValidUtf8(raw)) {
        if (std::optional<std::string> converted = gbkToUtf8(raw)) {
            raw = std::move(*converted);
        }
    }
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < raw.size()) {
        std::size_t end = raw.find('\n', begin);
        if (end == std::string::npos) {
            end = raw.size();
        }
        std::string_view line(raw.data() + begin, end - begin);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        begin = end + 1;
    }
    return lines;
}

/// The name of a section header line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    return line.substr(0, line.find(']'));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';') {
        return std::nullopt;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view value = trimBlanks(line.substr(equals + 1));
    // A stray NUL ends the value, as it would for any C-string reader of the file.
    value = value.substr(0, value.find('\0'));
    return KeyLine{trimBlanks(line.substr(0, equals)), value};
}

} // namespace

std::string ConfigFile::path() {
    return joinPath(currentFolder(), kFileName);
}

std::string ConfigFile::read(std::string_view section, std::string_view key) {
    bool inSection = false;
    for (const std::string& line : readLines(path())) {
        if (const auto name = sectionName(line)) {
            inSection = sameName(*name, section);
        } else if (inSection) {
            if (const auto entry = keyLine(line); entry && sameName(entry->key, key)) {
                return std::string(entry->value);
            }
        }
    }
    return {};
}

void ConfigFile::write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string file = path();
    std::vector<std::string> lines = readLines(file);
    value = value.substr(0, value.find_first_of("\r\n"));
    const std::string entry = std::string(trimBlanks(key)) + '=' + std::string(value);

    // The first section of that name takes the entry: replace the key there, or add it
    // after the section's last entry.
    std::optional<std::size_t> insertAt;
    bool inSection = false;
    bool done = false;
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (inSection) {
                break;
            }
            inSection = sameName(*name, section);
            if (inSection) {
                insertAt = i + 1;
            }
        } else if (inSection) {
            if (const auto existing = keyLine(lines[i]); existing && sameName(existing->key, key)) {
                lines[i] = entry;
                done = true;
            } else if (!trimBlanks(lines[i]).empty()) {
                insertAt = i + 1;
            }
        }
    }
    if (!done) {
        if (insertAt) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*insertAt), entry);
        } else {
            lines.push_back('[' + std::string(trimBlanks(section)) + ']');
            lines.push_back(entry);
        }
    }
    std::string contents;
    for (const std::string& line : lines) {
        contents += line;
        contents += '\n';
    }
    writeFileAtomically(file, contents);
}

void ConfigFile::erase() {
    removeFile(path());
}

} // namespace yuzhou
