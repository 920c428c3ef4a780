#pragma once

#include <string>
#include <string_view>

namespace yuzhou {

/// The text between the first `label` in `text` and the first `terminator` after it;
/// empty when either is missing. "#引号" in the label or the terminator stands for a
/// double quote, which the service's texts cannot otherwise spell. Case counts.
std::string textBetween(std::string_view text, std::string_view label, std::string_view terminator);

} // namespace yuzhou
