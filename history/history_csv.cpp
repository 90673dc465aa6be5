#include "history/history_csv.h"

#include <QDateTime>
#include <QStringList>

namespace history {

namespace {

// A text field as one CSV cell. Server names are typed by users and a spreadsheet runs a
// cell that starts with "=", "+", "-" or "@" as a formula: such text gets a leading quote.
QString TextCell(QString text) {
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front())) {
        text.prepend(QLatin1Char('\''));
    }
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
        text.startsWith(QLatin1Char('\''))) {
        text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

QString NumberCell(const std::optional<double>& value) {
    return value ? QString::number(*value, 'f', 9) : QString();
}

} // namespace

QString HistoryCsv(std::span<const MeasurementRow> rows) {
    QString csv = QStringLiteral(
        "time_utc,program,server,address,protocol,transport,authenticated,offset_seconds,"
        "delay_seconds,stratum,root_distance_seconds,samples_answered,verdict,corrected,"
        "correction_seconds\n");
    for (const MeasurementRow& row : rows) {
        const QDateTime time =
            QDateTime::fromMSecsSinceEpoch(row.timeUtcMicroseconds / 1000, Qt::UTC);
        const QStringList cells = {
            time.toString(Qt::ISODateWithMs),
            TextCell(row.program),
            TextCell(row.server),
            TextCell(row.address),
            TextCell(row.protocol),
            TextCell(row.transport),
            row.authenticated ? QStringLiteral("1") : QStringLiteral("0"),
            NumberCell(row.offsetSeconds),
            NumberCell(row.delaySeconds),
            row.stratum ? QString::number(*row.stratum) : QString(),
            NumberCell(row.rootDistanceSeconds),
            QString::number(row.samplesAnswered),
            TextCell(VerdictWord(row.verdict)),
            row.corrected ? QStringLiteral("1") : QStringLiteral("0"),
            NumberCell(row.correctionSeconds),
        };
        csv += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return csv;
}

} // namespace history
