#pragma once

#include "ServiceAddresses.h"

#include <string_view>

namespace yuzhou {

class WindowToolkit;

/// Asks the version interface whether this version is the latest. "1": says so, but only
/// when the main window exists (at start-up the program keeps quiet about it). No answer:
/// says the network failed. "0": offers the new version and, on OK, opens its download
/// address from the information text. Any other answer is ignored.
void checkForUpdate(WindowToolkit& toolkit, const ServiceAddresses& addresses, bool mainWindowExists);

/// The check at start-up, before the main window exists; a build configured without a
/// version address skips it without a word.
void checkForUpdateAtStartUp(WindowToolkit& toolkit, const ServiceAddresses& addresses);

/// Asks the information interface and opens the address that follows `label` in its text
/// up to the next blank; does nothing when there is none.
void openInformationLink(WindowToolkit& toolkit, const std::string& informationAddress,
                         std::string_view label);

} // namespace yuzhou
