#include "ServiceAddresses.h"

namespace yuzhou {

ServiceAddresses configuredServiceAddresses() {
    return {YUZHOU_VERSION_URL, YUZHOU_INFO_URL};
}

} // namespace yuzhou
