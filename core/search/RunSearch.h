#pragma once

namespace yuzhou {

struct ProgramState;
class WindowToolkit;

/// The Search button: refuses without a search folder or applied settings, empties the
/// results, walks the search folder with the filter, ticks every row, and ends with the
/// status text, the summary label and the closing message.
void runSearch(ProgramState& state, WindowToolkit& toolkit);

} // namespace yuzhou
