#include "text/CommaList.h"

namespace yuzhou {

std::vector<std::string> splitKeywordList(std::string_view text) {
    std::vector<std::string> entries;
    std::size_t begin = 0;
    for (std::size_t comma = text.find(','); comma != std::string_view::npos; comma = text.find(',', begin)) {
        entries.emplace_back(text.substr(begin, comma - begin));
        begin = comma + 1;
    }
    if (begin < text.size()) {
        entries.emplace_back(text.substr(begin));
    }
    return entries;
}

std::vector<std::string> splitExtensionList(std::string_view text) {
    if (text.find(',') == std::string_view::npos) {
        return {std::string(text)};
    }
    return splitKeywordList(text);
}

} // namespace yuzhou
