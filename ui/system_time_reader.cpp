#include "ui/system_time_reader.h"

#include "history/timedated_reader.h"
#include "platform/kernel_clock_state.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

namespace {

platform::KernelClockState ReadKernel() {
    return platform::ReadKernelClockState().value_or(platform::KernelClockState{});
}

} // namespace

void ReadSystemTimeLater(QObject* receiver, std::function<void(history::SystemTimeState)> done) {
    QThreadPool::globalInstance()->start(
        [target = QPointer<QObject>(receiver), done = std::move(done)]() mutable {
            const history::SystemTimeSources sources{ReadKernel,
                                                     [] { return history::ReadTimedated(); }};
            history::SystemTimeState state = sources.Read();
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [target, done = std::move(done), state] {
                    if (target) {
                        done(state);
                    }
                },
                Qt::QueuedConnection);
        });
}
