#include "ui/correction_questions.h"

#include <QStringList>
#include <cmath>
#include <cstdint>

namespace {

QString Count(std::int64_t n, const char* unit) {
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(unit)).arg(n == 1 ? "" : "s");
}

} // namespace

QString ServiceQuestionText(const history::SystemTimeState& state) {
    // timedated may say synchronized while the kernel keeps no estimate of its own.
    const QString error = state.kernel.synchronized
                              ? QStringLiteral(" (estimated error %1)")
                                    .arg(QString::fromStdString(history::ErrorAmountText(
                                        state.kernel.estimatedErrorSeconds)))
                              : QString();
    return QStringLiteral(
               "A time service keeps this clock synchronized%1. Set it to the Timebase's time "
               "anyway?")
        .arg(error);
}

QString LargeStepQuestionText(double offsetSeconds) {
    const auto total = static_cast<std::int64_t>(std::llround(std::fabs(offsetSeconds)));
    const std::int64_t days = total / 86400;
    QStringList parts;
    if (days > 0) {
        parts << Count(days, "day");
    }
    parts << Count(total % 86400 / 3600, "hour") << Count(total % 3600 / 60, "minute")
          << Count(total % 60, "second");
    return QStringLiteral("Set the clock %1 by %2 to the Timebase's time?")
        .arg(offsetSeconds < 0 ? "back" : "forward", parts.join(QLatin1Char(' ')));
}
