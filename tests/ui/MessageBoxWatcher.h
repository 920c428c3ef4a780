#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace yuzhou::test {

/// Answers the program's message boxes while a test drives the window: every few
/// milliseconds it looks for an open box, notes its title and text, and presses "确定",
/// or "取消" when the test asked for it. Modal boxes therefore never hang a test.
class MessageBoxWatcher : public QObject {
    Q_OBJECT

public:
    explicit MessageBoxWatcher(QObject* parent = nullptr);

    /// The next question is answered with "取消" instead of "确定".
    void cancelNext();

    QStringList texts() const { return m_texts; }
    QStringList titles() const { return m_titles; }
    void clear();

private:
    void answerOpenBoxes();

    QTimer m_timer;
    QStringList m_texts;
    QStringList m_titles;
    int m_cancels = 0;
};

} // namespace yuzhou::test
