#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace yuzhou {

struct ProgramState;
class WindowToolkit;

/// A surplus copy and the file kept for its run of rows, with their candidate numbers.
struct SurplusCopy {
    std::string path;
    std::string keptPath;
    std::int32_t candidate = -1;
    std::int32_t keptCandidate = -1;
};

/// The rows found surplus: of every run of rows carrying the same group mark (rows without
/// a mark do not end a run), every row but the first. Reads only the marks and the paths.
std::vector<SurplusCopy> surplusCopies(const ProgramState& state);

/// The button "一键删除重复文件": after one question, deletes every surplus copy for good.
/// A copy is kept when the file kept for its run is gone, when either file's size or
/// modification time changed since its fingerprint was taken, or when both rows name
/// the same file on disk; those, and the deletes that fail, are counted and told after
/// "删除成功！". The list does not change.
void removeSurplusDuplicates(ProgramState& state, WindowToolkit& toolkit);

} // namespace yuzhou
