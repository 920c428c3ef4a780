#include "Style.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

namespace yuzhou {

namespace {

constexpr const char* kStyleSheet = R"(
QWidget#mainWindow, QDialog#settingsDialog, QWidget#tutorialWindow { background: #f4f7fb; }
QGroupBox {
    border: 1px solid #c5d3e3; border-radius: 4px; margin-top: 9px; padding-top: 4px;
    background: #fbfcfe;
}
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #1f4e79; }
QPushButton {
    color: white; border: 1px solid #1f5f8b; border-radius: 3px; padding: 0 4px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3d8fd1, stop:1 #2a6fae);
}
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #52a3e3, stop:1 #3280c0); }
QPushButton:pressed { background: #245f96; }
QPushButton:disabled { color: #e6eef6; background: #9fb6cc; border-color: #8fa6bc; }
QPushButton#searchButton { font-size: 12pt; font-weight: bold; }
QLineEdit, QComboBox {
    border: 1px solid #b7c6d6; border-radius: 2px; background: white; padding: 0 3px;
    selection-background-color: #3d8fd1;
}
QLineEdit:disabled, QComboBox:disabled { background: #eef1f4; color: #8a949e; }
QTableView {
    background: white; alternate-background-color: #f6f9fc; gridline-color: #e3e9ef;
    selection-background-color: #cfe3f6; selection-color: black; border: 1px solid #c5d3e3;
}
QHeaderView::section {
    background: #e8eff6; border: none; border-right: 1px solid #cfd9e3; border-bottom: 1px solid #c5d3e3;
    padding: 2px 4px; color: #23364a;
}
QLabel#statusPane { padding-left: 4px; color: #23364a; }
QWidget#statusBar { background: #e8eff6; border-top: 1px solid #c5d3e3; }
QProgressBar { border: 1px solid #b7c6d6; background: white; text-align: center; height: 14px; }
QProgressBar::chunk { background: #3d8fd1; }
)";

} // namespace

void applyProgramStyle(QApplication& application) {
    QFont font = application.font();
    // Noto Sans CJK carries every Chinese text of the program; fontconfig falls back to
    // it anyway, naming it first keeps Latin and Chinese in one family.
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"), font.family()});
    font.setPointSize(9);
    application.setFont(font);
    application.setStyleSheet(QString::fromUtf8(kStyleSheet));
}

void styleBandLabel(QWidget* label, int pointSize, bool bold) {
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->setAttribute(Qt::WA_TranslucentBackground);
}

} // namespace yuzhou
