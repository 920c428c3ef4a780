// Measures how long the window goes without handling events while a search runs: a
// precise 1 ms timer notes every event-loop turn, and the widest gap between two turns
// is what a user would feel as a freeze. Usage:
//   yuzhou-responsiveness FOLDER EXTENSIONS
// It runs the real main window (offscreen unless QT_QPA_PLATFORM says otherwise),
// starts the search as the Search button does, answers the closing message, and prints
// the rows found, the search time and the gaps.

#include "MainWindow.h"
#include "ProgramState.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: yuzhou-responsiveness FOLDER EXTENSIONS\n");
        return 2;
    }
    QApplication application(argc, argv);
    yuzhou::ProgramState state;
    state.settings.extensionList = argv[2];
    state.settings.sizeFilterChoice = "不筛选";
    state.settings.nameFilterChoice = "不筛选";
    yuzhou::MainWindow window(state);
    window.searchFolderEdit()->setText(QString::fromLocal8Bit(argv[1]));
    window.show();

    QElapsedTimer clock;
    std::vector<qint64> turns;
    bool measuring = false;
    qint64 searchEnded = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (!measuring) {
            return;
        }
        turns.push_back(clock.nsecsElapsed());
        // The closing message ends the search: stop measuring and answer it.
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                measuring = false;
                searchEnded = clock.nsecsElapsed();
                box->buttons().first()->click();
            }
        }
    });
    ticker.start();

    QTimer::singleShot(100, [&] {
        clock.start();
        measuring = true;
        turns.push_back(0);
        window.commandButton(yuzhou::CommandButton::Search)->click();
        QApplication::quit();
    });
    QApplication::exec();

    std::vector<double> gaps;
    for (std::size_t i = 1; i < turns.size(); ++i) {
        gaps.push_back(static_cast<double>(turns[i] - turns[i - 1]) / 1e6);
    }
    std::sort(gaps.begin(), gaps.end());
    const double worst = gaps.empty() ? 0.0 : gaps.back();
    const double p99 = gaps.empty() ? 0.0 : gaps[gaps.size() * 99 / 100];
    const auto over100 = std::count_if(gaps.begin(), gaps.end(), [](double gap) { return gap > 100.0; });
    std::printf("rows %zu  search %.2f s  event-loop turns %zu  worst gap %.1f ms  99th percentile %.1f ms  "
                "gaps over 100 ms %td\n",
                state.results.rowCount(), static_cast<double>(searchEnded) / 1e9, turns.size(), worst, p99,
                over100);
    return 0;
}
