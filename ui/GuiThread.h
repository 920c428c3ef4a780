#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <type_traits>

namespace yuzhou {

inline bool onGuiThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

/// Runs `work` on the GUI thread and gives its result: at once when called there,
/// otherwise queued to the GUI thread while the calling thread waits.
template <typename Work> auto runOnGuiThread(Work&& work) -> std::invoke_result_t<Work> {
    using Result = std::invoke_result_t<Work>;
    if (onGuiThread()) {
        return work();
    }
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { work(); }, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { result = work(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

} // namespace yuzhou
