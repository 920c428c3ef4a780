#include "TargetFolderDialog.h"

#include <QFileInfo>

namespace yuzhou {

TargetFolderDialog::TargetFolderDialog(QWidget* parent)
    : QFileDialog(parent, QStringLiteral("请添加目标目录:")) {
    // Qt's own dialog: the platform's would not let a folder and a file both be chosen.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::Directory);
    setOption(QFileDialog::ShowDirsOnly, false);
    setAcceptMode(QFileDialog::AcceptOpen);
}

void TargetFolderDialog::accept() {
    const QStringList selected = selectedFiles();
    if (!selected.isEmpty() && QFileInfo(selected.first()).isFile()) {
        // A folder dialog refuses files; here a file is a valid choice.
        m_chosen = selected.first();
        QDialog::accept();
        return;
    }
    QFileDialog::accept();
    if (result() == QDialog::Accepted && !selectedFiles().isEmpty()) {
        m_chosen = selectedFiles().first();
    }
}

} // namespace yuzhou
