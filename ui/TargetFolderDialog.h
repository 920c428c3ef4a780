#pragma once

#include <QFileDialog>

namespace yuzhou {

/// The browser for the target folder: it lists files as well as folders, and lets the
/// user choose either; a chosen file's path becomes the target folder text.
class TargetFolderDialog : public QFileDialog {
    Q_OBJECT

public:
    explicit TargetFolderDialog(QWidget* parent = nullptr);

    /// The chosen path, or empty when the user cancelled.
    QString chosenPath() const { return m_chosen; }

    void accept() override;

private:
    QString m_chosen;
};

} // namespace yuzhou
