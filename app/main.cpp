#include "Language.h"
#include "MainWindow.h"
#include "ProgramState.h"
#include "ServiceAddresses.h"
#include "StartupToolkit.h"
#include "Style.h"
#include "UpdateCheck.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("榆舟"));
    yuzhou::installChineseTranslations(application);

    // Start-up in this order: the program-wide state, the window skin, the update check
    // (before any window exists), the main window, the event loop. The state outlives the
    // event loop, so nothing that runs in it can reach a released record.
    yuzhou::ProgramState state;
    yuzhou::applyProgramStyle(application);
    {
        yuzhou::StartupToolkit startup;
        yuzhou::checkForUpdateAtStartUp(startup, yuzhou::configuredServiceAddresses());
    }
    yuzhou::MainWindow window(state);
    window.show();
    return QApplication::exec();
}
