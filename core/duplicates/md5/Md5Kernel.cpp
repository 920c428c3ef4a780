#include "duplicates/md5/Md5Kernel.h"

namespace yuzhou {

std::string_view md5KernelName(Md5Kernel kernel) {
    switch (kernel) {
    case Md5Kernel::Scalar:
        return "scalar";
    case Md5Kernel::Avx2:
        return "avx2";
    case Md5Kernel::Avx512:
        return "avx512";
    }
    return "unknown";
}

} // namespace yuzhou
