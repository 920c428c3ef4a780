#pragma once

#include <string_view>

namespace yuzhou {

/// The ways MultiMd5 can hash its lanes: one after another, or all at once in the SIMD
/// registers of AVX2 (8 lanes) or AVX-512 (16 lanes).
enum class Md5Kernel { Scalar, Avx2, Avx512 };

/// "scalar", "avx2" or "avx512", for benchmark output and test names.
std::string_view md5KernelName(Md5Kernel kernel);

} // namespace yuzhou
