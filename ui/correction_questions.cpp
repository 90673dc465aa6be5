#include "ui/correction_questions.h"

#include <QCoreApplication>
#include <QStringList>
#include <cmath>
#include <cstdint>

namespace {

QString Count(std::int64_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(
        QCoreApplication::translate("questions", n == 1 ? one : many));
}

} // namespace

QString ServiceQuestionText(const history::SystemTimeState& state) {
    // timedated may say synchronized while the kernel keeps no estimate of its own.
    const QString error = state.kernel.synchronized
                              ? QCoreApplication::translate("questions", " (estimated error %1)")
                                    .arg(QString::fromStdString(history::ErrorAmountText(
                                        state.kernel.estimatedErrorSeconds)))
                              : QString();
    return QCoreApplication::translate(
               "questions",
               "A time service keeps this clock synchronized%1. Set it to the Timebase's time "
               "anyway?")
        .arg(error);
}

QString LargeStepQuestionText(double offsetSeconds) {
    const auto total = static_cast<std::int64_t>(std::llround(std::fabs(offsetSeconds)));
    const std::int64_t days = total / 86400;
    QStringList parts;
    if (days > 0) {
        parts << Count(days, QT_TRANSLATE_NOOP("questions", "day"),
                       QT_TRANSLATE_NOOP("questions", "days"));
    }
    parts << Count(total % 86400 / 3600, QT_TRANSLATE_NOOP("questions", "hour"),
                   QT_TRANSLATE_NOOP("questions", "hours"))
          << Count(total % 3600 / 60, QT_TRANSLATE_NOOP("questions", "minute"),
                   QT_TRANSLATE_NOOP("questions", "minutes"))
          << Count(total % 60, QT_TRANSLATE_NOOP("questions", "second"),
                   QT_TRANSLATE_NOOP("questions", "seconds"));
    return QCoreApplication::translate("questions",
                                       "Set the clock %1 by %2 to the Timebase's time?")
        .arg(offsetSeconds < 0 ? QCoreApplication::translate("questions", "back")
                               : QCoreApplication::translate("questions", "forward"),
             parts.join(QLatin1Char(' ')));
}
