#include "settings/FilterSettings.h"

#include "text/NumberText.h"

#include <cmath>
#include <limits>

namespace yuzhou {

std::int32_t parseSizeValue(std::string_view text) {
    const double value = std::trunc(leadingNumber(text));
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

} // namespace yuzhou
