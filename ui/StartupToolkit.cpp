#include "StartupToolkit.h"

#include "MessageBox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace yuzhou {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MessageAnswer StartupToolkit::showMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                          std::string_view title) {
    return showMessageBox(nullptr, qt(text), icon, buttons, qt(title));
}

void StartupToolkit::openAddress(const std::string& address) {
    QDesktopServices::openUrl(QUrl(qt(address)));
}

void StartupToolkit::processEvents() {
    QCoreApplication::processEvents();
}

} // namespace yuzhou
