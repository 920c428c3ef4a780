#pragma once

#include <string_view>

namespace yuzhou {

/// The decimal number at the start of a text, as atof reads one: leading white space is
/// skipped, then an optional sign, digits with an optional decimal point and an optional
/// exponent; whatever follows is ignored, and a text without a number gives 0. Unlike
/// atof it reads no hexadecimal numbers, "inf" or "nan": those texts give 0.
double leadingNumber(std::string_view text);

} // namespace yuzhou
