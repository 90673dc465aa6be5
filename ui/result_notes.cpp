#include "ui/result_notes.h"

#include "timesync/clock_direction.h"
#include "timesync/query_outcome.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

namespace {

// The locale's long form; some locales' forms lack the century or the zone, which the
// pane's two-digit "%c" already left out.
QString LocaleTime(const QDateTime& time) {
    const QLocale locale = QLocale::system();
    QString format = locale.dateTimeFormat(QLocale::LongFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    if (!format.contains(QLatin1Char('t'))) {
        format += QStringLiteral(" t");
    }
    return locale.toString(time, format);
}

} // namespace

QStringList ResultNotes(const QueryOutcome& outcome) {
    if (!outcome.measurement) {
        return {};
    }
    const platform::UtcInstant at = outcome.measurement->timebaseTime;
    const QDateTime time =
        QDateTime::fromMSecsSinceEpoch(at.seconds * 1000 + at.nanoseconds / 1000000);
    return {QString::fromStdString(direction::DirectionText(outcome.measurement->offset)),
            QCoreApplication::translate("ResultNotes", "Timebase time: %1").arg(LocaleTime(time))};
}
