#include "search/WalkFolder.h"

#include "platform/FolderReader.h"
#include "toolkit.h"

#include <vector>

namespace yuzhou {

std::string walkMask(std::string_view pattern) {
    const std::string_view effective = pattern.empty() ? std::string_view("*") : pattern;
    std::string mask;
    if (effective.find("*.") == std::string_view::npos) {
        mask = "*.";
    }
    mask += effective;
    return mask;
}

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool wildcardMatch(std::string_view name, std::string_view mask) {
    // Greedy matching with one remembered star: linear in practice and without recursion.
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || foldAscii(mask[m]) == foldAscii(name[n]))) {
            ++n, ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') {
        ++m;
    }
    return m == mask.size();
}

} // namespace

bool matchesMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*" || mask == "*") {
        return true;
    }
    if (wildcardMatch(name, mask)) {
        return true;
    }
    return mask.ends_with(".*") && wildcardMatch(name, mask.substr(0, mask.size() - 2));
}

void walkFolder(std::string_view folder, std::string_view pattern, bool recurse, const WalkVisitor& visitor,
                WindowToolkit& toolkit) {
    const std::string mask = walkMask(pattern);
    const bool everyFile = mask == "*.*";

    std::string root(folder);
    if (root.empty() || root.back() != '/') {
        root += '/';
    }
    // Folders still to walk, the next one on top. A folder's sub-folders are pushed in
    // reverse so that they come off the stack in listing order.
    std::vector<std::string> pending{std::move(root)};
    std::vector<std::string> subFolders;
    bool isRoot = true;
    while (!pending.empty()) {
        const std::string current = std::move(pending.back());
        pending.pop_back();
        subFolders.clear();
        {
            FolderReader reader(current);
            FolderEntry entry;
            while (reader.next(entry)) {
                if (entry.kind == EntryKind::File) {
                    if (everyFile || matchesMask(entry.name, mask)) {
                        visitor(entry.name, current + entry.name, reader.fd());
                    }
                } else if (entry.kind == EntryKind::Folder && recurse) {
                    subFolders.push_back(current + entry.name + '/');
                }
            }
        }
        for (auto it = subFolders.rbegin(); it != subFolders.rend(); ++it) {
            pending.push_back(std::move(*it));
        }
        if (!isRoot) {
            toolkit.processEvents();
        }
        isRoot = false;
        if (toolkit.closing()) {
            return;
        }
    }
}

} // namespace yuzhou
