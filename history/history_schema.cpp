#include "history/history_schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>

namespace history {

namespace {

const std::array<QStringList, 1> kSteps = {
    QStringList{
        QStringLiteral("CREATE TABLE measurements ("
                       "id INTEGER PRIMARY KEY,"
                       "time_us INTEGER NOT NULL,"
                       "program TEXT NOT NULL,"
                       "server TEXT NOT NULL,"
                       "address TEXT NOT NULL,"
                       "protocol TEXT NOT NULL,"
                       "transport TEXT NOT NULL,"
                       "authenticated INTEGER NOT NULL,"
                       "offset_s REAL,"
                       "delay_s REAL,"
                       "stratum INTEGER,"
                       "root_distance_s REAL,"
                       "samples_answered INTEGER NOT NULL,"
                       "verdict TEXT NOT NULL,"
                       "corrected INTEGER NOT NULL,"
                       "correction_s REAL)"),
        // Ranges of the chart and pruning by age.
        QStringLiteral("CREATE INDEX measurements_time ON measurements(time_us)"),
    },
};

bool ReadInt(QSqlDatabase& db, const QString& statement, int& value, QSqlError& error) {
    QSqlQuery query(db);
    if (!query.exec(statement) || !query.next()) {
        error = query.lastError();
        return false;
    }
    value = query.value(0).toInt();
    return true;
}

SchemaResult Upgrade(QSqlDatabase& db, std::span<const QStringList> steps, QSqlError& error) {
    int applicationId = 0;
    int version = 0;
    int tables = 0;
    if (!ReadInt(db, QStringLiteral("PRAGMA application_id"), applicationId, error) ||
        !ReadInt(db, QStringLiteral("PRAGMA user_version"), version, error) ||
        !ReadInt(db, QStringLiteral("SELECT count(*) FROM sqlite_master"), tables, error)) {
        return SchemaResult::Failed;
    }
    if (applicationId != kApplicationId && (applicationId != 0 || version != 0 || tables != 0)) {
        return SchemaResult::Foreign;
    }
    for (auto step = static_cast<std::size_t>(version); step < steps.size(); ++step) {
        for (const QString& statement : steps[step]) {
            if (!Exec(db, statement, error)) {
                return SchemaResult::Failed;
            }
        }
    }
    if (static_cast<std::size_t>(version) < steps.size() &&
        (!Exec(db, QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId), error) ||
         !Exec(db, QStringLiteral("PRAGMA user_version = %1").arg(steps.size()), error))) {
        return SchemaResult::Failed;
    }
    return SchemaResult::Ready;
}

} // namespace

bool Exec(QSqlDatabase& db, const QString& statement, QSqlError& error) {
    QSqlQuery query(db);
    if (!query.exec(statement)) {
        error = query.lastError();
        return false;
    }
    return true;
}

std::span<const QStringList> SchemaSteps() {
    return kSteps;
}

SchemaResult UpgradeSchema(QSqlDatabase& db, std::span<const QStringList> steps, QSqlError& error) {
    // IMMEDIATE: two programs opening a new file at once must not both create the tables.
    if (!Exec(db, QStringLiteral("BEGIN IMMEDIATE"), error)) {
        return SchemaResult::Failed;
    }
    const SchemaResult result = Upgrade(db, steps, error);
    QSqlError ignored;
    if (result != SchemaResult::Ready || !Exec(db, QStringLiteral("COMMIT"), error)) {
        Exec(db, QStringLiteral("ROLLBACK"), ignored);
        return result == SchemaResult::Ready ? SchemaResult::Failed : result;
    }
    return SchemaResult::Ready;
}

} // namespace history
