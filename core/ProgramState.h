#pragma once

#include "duplicates/DuplicatePass.h"
#include "duplicates/FingerprintPool.h"
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
    /// 0: the next header click sorts ascending; any other value: descending. One toggle
    /// for every column.
    int sortToggle = 0;
    // The pass is declared before the pool, so the pool's workers have stopped before the
    // pass they report to goes; both go before the list and the colours they write.
    DuplicatePassState duplicatePass;
    FingerprintPool fingerprintPool;
};

} // namespace yuzhou
