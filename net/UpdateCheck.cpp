#include "UpdateCheck.h"

#include "NetTexts.h"
#include "PostForText.h"
#include "TextBetween.h"
#include "toolkit.h"

namespace yuzhou {

namespace {

/// A build without the address asks nobody, which answers as an unreachable service would.
std::string ask(const std::string& address, std::string_view body) {
    return address.empty() ? std::string() : postForText(address, body);
}

} // namespace

void openInformationLink(WindowToolkit& toolkit, const std::string& informationAddress,
                         std::string_view label) {
    const std::string link = textBetween(ask(informationAddress, ""), label, texts::kAddressEnd);
    if (!link.empty()) {
        toolkit.openAddress(link);
    }
}

void checkForUpdate(WindowToolkit& toolkit, const ServiceAddresses& addresses, bool mainWindowExists) {
    const std::string answer = ask(addresses.version, "ver=" + std::string(texts::kProgramVersion));
    // Byte for byte: "1\n" or " 1" is some other page, not the service's answer.
    if (answer == texts::kAnswerLatest) {
        if (mainWindowExists) {
            toolkit.showMessage(texts::kLatestVersion, MessageIcon::Information);
        }
    } else if (answer.empty()) {
        toolkit.showMessage(texts::kNetworkError, MessageIcon::None);
    } else if (answer == texts::kAnswerOutdated) {
        if (toolkit.showMessage(texts::kNewVersion, MessageIcon::Information, MessageButtons::OkCancel) ==
            MessageAnswer::Ok) {
            openInformationLink(toolkit, addresses.information, texts::kDownloadLabel);
        }
    }
}

void checkForUpdateAtStartUp(WindowToolkit& toolkit, const ServiceAddresses& addresses) {
    if (!addresses.version.empty()) {
        checkForUpdate(toolkit, addresses, false);
    }
}

} // namespace yuzhou
