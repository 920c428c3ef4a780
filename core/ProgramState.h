#pragma once

#include "list/CellColours.h"
#include "search/ResultList.h"
#include "settings/FilterSettings.h"

#include <cstdint>

namespace yuzhou {

/// The state the whole program shares: made at start-up, released at exit.
struct ProgramState {
    FilterSettings settings;
    ResultList results;
    CellColours colours;
    /// Files the current search has handed to the filter. 64 bits: a large disk holds more
    /// files than a 32-bit counter can count.
    std::int64_t examinedCount = 0;
};

} // namespace yuzhou
