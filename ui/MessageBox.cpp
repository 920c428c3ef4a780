#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

namespace yuzhou {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct Box {
    QMessageBox* box;
    QPushButton* ok;
};

Box makeBox(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons,
            const QString& title) {
    auto* box = new QMessageBox(qtIcon(icon), title, text, QMessageBox::NoButton, parent);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setTextFormat(Qt::PlainText);
    QPushButton* ok = box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    if (buttons == MessageButtons::OkCancel) {
        box->setEscapeButton(box->addButton(QStringLiteral("取消"), QMessageBox::RejectRole));
    }
    return {box, ok};
}

constexpr const char* kAsyncBoxProperty = "yuzhouAsyncBox";

} // namespace

void closeMessageBoxesOfOtherThreads() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget);
            box && box->property(kAsyncBoxProperty).toBool()) {
            box->reject();
        }
    }
}

MessageAnswer showMessageBox(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons,
                             const QString& title) {
    const Box made = makeBox(parent, text, icon, buttons, title);
    std::unique_ptr<QMessageBox> box(made.box);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    return box->clickedButton() == made.ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void showMessageBoxAsync(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons,
                         const QString& title, std::function<void(MessageAnswer)> answered) {
    const Box made = makeBox(parent, text, icon, buttons, title);
    made.box->setWindowModality(Qt::NonModal);
    made.box->setAttribute(Qt::WA_DeleteOnClose);
    made.box->setProperty(kAsyncBoxProperty, true);
    // Exactly one answer: the button clicked, or Cancel when the box is destroyed first.
    auto pending = std::make_shared<std::function<void(MessageAnswer)>>(std::move(answered));
    QObject::connect(made.box, &QMessageBox::finished, made.box, [box = made.box, ok = made.ok, pending] {
        if (*pending) {
            std::exchange(*pending,
                          nullptr)(box->clickedButton() == ok ? MessageAnswer::Ok : MessageAnswer::Cancel);
        }
    });
    QObject::connect(made.box, &QObject::destroyed, [pending] {
        if (*pending) {
            std::exchange(*pending, nullptr)(MessageAnswer::Cancel);
        }
    });
    made.box->show();
}

} // namespace yuzhou
