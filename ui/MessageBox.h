#pragma once

#include "toolkit.h"

#include <QString>
#include <functional>

class QWidget;

namespace yuzhou {

/// Shows the program's message box and waits until it is closed: the icon, the title,
/// "确定" and, for a question, "取消". Closing the box counts as Cancel. Blocks input to
/// the program's other windows while it is open. GUI thread only.
MessageAnswer showMessageBox(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons,
                             const QString& title);

/// The same box shown without blocking any window, for a question asked by another
/// thread: `answered` is called with the answer once it is closed, or with Cancel when
/// the box goes without an answer (the program ends). GUI thread only.
void showMessageBoxAsync(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons,
                         const QString& title, std::function<void(MessageAnswer)> answered);

/// Closes every box shown by showMessageBoxAsync that is still open; each answers Cancel.
void closeMessageBoxesOfOtherThreads();

} // namespace yuzhou
