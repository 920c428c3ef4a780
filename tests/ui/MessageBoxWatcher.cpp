#include "MessageBoxWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace yuzhou::test {

MessageBoxWatcher::MessageBoxWatcher(QObject* parent) : QObject(parent) {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatcher::answerOpenBoxes);
    m_timer.start();
}

void MessageBoxWatcher::cancelNext() {
    ++m_cancels;
}

void MessageBoxWatcher::clear() {
    m_texts.clear();
    m_titles.clear();
}

void MessageBoxWatcher::answerOpenBoxes() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->isVisible()) {
            continue;
        }
        m_texts << box->text();
        m_titles << box->windowTitle();
        const QString wanted =
            (m_cancels > 0 && box->buttons().size() > 1) ? QStringLiteral("取消") : QStringLiteral("确定");
        if (wanted == QStringLiteral("取消")) {
            --m_cancels;
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == wanted) {
                button->click();
                break;
            }
        }
    }
}

} // namespace yuzhou::test
