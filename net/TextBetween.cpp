#include "TextBetween.h"

namespace yuzhou {

namespace {

std::string withQuotes(std::string_view pattern) {
    static constexpr std::string_view kQuoteWord = "#引号";
    std::string out;
    for (std::size_t at = 0; at < pattern.size();) {
        if (pattern.substr(at).starts_with(kQuoteWord)) {
            out += '"';
            at += kQuoteWord.size();
        } else {
            out += pattern[at++];
        }
    }
    return out;
}

} // namespace

std::string textBetween(std::string_view text, std::string_view label, std::string_view terminator) {
    const std::string start = withQuotes(label);
    const std::string end = withQuotes(terminator);
    const std::size_t labelAt = text.find(start);
    if (labelAt == std::string_view::npos) {
        return {};
    }
    const std::size_t from = labelAt + start.size();
    const std::size_t endAt = text.find(end, from);
    if (endAt == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(from, endAt - from));
}

} // namespace yuzhou
