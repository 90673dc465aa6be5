#include "history/history_store.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <cstdio>

namespace history {

namespace {

QAtomicInteger<quint64> g_connections;

constexpr Verdict kVerdicts[] = {Verdict::Used,  Verdict::Agrees,   Verdict::Falseticker,
                                 Verdict::Bogus, Verdict::NoAnswer, Verdict::Refused};

bool IsDamage(const QSqlError& error) {
    // SQLITE_CORRUPT and SQLITE_NOTADB; busy, full or read-only files are not damage.
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 || code == 26;
}

QVariant Optional(const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Double));
}

// A name left unset is stored as empty text: the columns hold no nulls.
QString Text(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

std::optional<double> OptionalDouble(const QVariant& value) {
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

} // namespace

QString VerdictWord(Verdict verdict) {
    switch (verdict) {
    case Verdict::Used:
        return QStringLiteral("used");
    case Verdict::Agrees:
        return QStringLiteral("agrees");
    case Verdict::Falseticker:
        return QStringLiteral("falseticker");
    case Verdict::Bogus:
        return QStringLiteral("bogus");
    case Verdict::NoAnswer:
        return QStringLiteral("no answer");
    case Verdict::Refused:
        return QStringLiteral("refused");
    }
    return QStringLiteral("no answer");
}

Verdict VerdictFromWord(const QString& word) {
    for (const Verdict verdict : kVerdicts) {
        if (word == VerdictWord(verdict)) {
            return verdict;
        }
    }
    return Verdict::NoAnswer;
}

HistoryStore::HistoryStore(QString path, Clock clock, Report report,
                           std::span<const QStringList> schemaSteps)
    : m_path(std::move(path)), m_clock(std::move(clock)), m_report(std::move(report)),
      m_steps(schemaSteps),
      m_connection(QStringLiteral("horolux-history-%1").arg(g_connections.fetchAndAddOrdered(1))) {
    if (!m_clock) {
        m_clock = [] { return QDateTime::currentMSecsSinceEpoch() * 1000; };
    }
}

HistoryStore::~HistoryStore() {
    Close();
}

void HistoryStore::Close() {
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
}

void HistoryStore::Say(const QString& line) {
    // A background check that fails the same way every 15 minutes says so once.
    if (line == m_lastLine) {
        return;
    }
    m_lastLine = line;
    if (m_report) {
        m_report(line);
    } else {
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    }
}

void HistoryStore::Fail(const QString& what, const QSqlError& error) {
    Say(QStringLiteral("Horolux: history not kept (%1: %2): %3")
            .arg(what, m_path, error.text().trimmed()));
}

bool HistoryStore::MoveDamagedAside() {
    const bool wasOpen = m_open;
    const FileIdentity opened = m_identity;
    Close();
    // Another program may have moved it already and started a good one in its place.
    if (wasOpen && IdentityOf(m_path) != opened) {
        return true;
    }
    const QString broken = MoveAside(m_path, m_clock());
    if (broken.isEmpty()) {
        Say(QStringLiteral("Horolux: history not kept: %1 is damaged and cannot be moved aside")
                .arg(m_path));
        return false;
    }
    Say(QStringLiteral("Horolux: the history file %1 was damaged or not Horolux's; moved it "
                       "aside as %2 and started a new one")
            .arg(m_path, broken));
    return true;
}

bool HistoryStore::OpenOnce(bool& damaged) {
    damaged = false;
    QString reason;
    if (!PrepareHistoryFile(m_path, reason)) {
        damaged = reason.isEmpty();
        if (!damaged) {
            Say(QStringLiteral("Horolux: history not kept: %1: %2").arg(m_path, reason));
        }
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMilliseconds));
    if (!db.open()) {
        Fail(QStringLiteral("open"), db.lastError());
        return false;
    }
    m_open = true;
    m_identity = IdentityOf(m_path);
    QSqlError error;
    // WAL lets the window and a timer's horolux-cli write at the same moment; NORMAL
    // syncs at checkpoints only, and a power cut then loses the last rows, never the file.
    if (!Exec(db, QStringLiteral("PRAGMA journal_mode = WAL"), error) ||
        !Exec(db, QStringLiteral("PRAGMA synchronous = NORMAL"), error)) {
        damaged = IsDamage(error);
        if (!damaged) {
            Fail(QStringLiteral("open"), error);
        }
        return false;
    }
    switch (UpgradeSchema(db, m_steps, error)) {
    case SchemaResult::Ready:
        return true;
    case SchemaResult::Foreign:
        damaged = true;
        return false;
    case SchemaResult::Failed:
        damaged = IsDamage(error);
        if (!damaged) {
            Fail(QStringLiteral("schema"), error);
        }
        return false;
    }
    return false;
}

bool HistoryStore::EnsureOpen() {
    // Moved aside or removed by another program since: open what is there now.
    if (m_open && IdentityOf(m_path) == m_identity) {
        return true;
    }
    Close();
    bool damaged = false;
    if (OpenOnce(damaged)) {
        return true;
    }
    if (!damaged || !MoveDamagedAside()) {
        Close();
        return false;
    }
    if (!OpenOnce(damaged)) {
        Close();
        return false;
    }
    return true;
}

bool HistoryStore::Insert(std::span<const MeasurementRow> rows, QSqlError& error) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // IMMEDIATE takes the write lock at once, so the busy wait applies; a deferred
    // transaction that meets another writer fails at once instead.
    if (!Exec(db, QStringLiteral("BEGIN IMMEDIATE"), error)) {
        return false;
    }
    QSqlQuery insert(db);
    bool ok = insert.prepare(QStringLiteral(
        "INSERT INTO measurements (time_us, program, server, address, protocol, transport, "
        "authenticated, offset_s, delay_s, stratum, root_distance_s, samples_answered, verdict, "
        "corrected, correction_s) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    std::int64_t newest = 0;
    bool timebaseKnown = false;
    for (std::size_t i = 0; ok && i < rows.size(); ++i) {
        const MeasurementRow& row = rows[i];
        insert.addBindValue(static_cast<qint64>(row.timeUtcMicroseconds));
        insert.addBindValue(Text(row.program));
        insert.addBindValue(Text(row.server));
        insert.addBindValue(Text(row.address));
        insert.addBindValue(Text(row.protocol));
        insert.addBindValue(Text(row.transport));
        insert.addBindValue(row.authenticated ? 1 : 0);
        insert.addBindValue(Optional(row.offsetSeconds));
        insert.addBindValue(Optional(row.delaySeconds));
        insert.addBindValue(row.stratum ? QVariant(*row.stratum)
                                        : QVariant(QMetaType(QMetaType::Int)));
        insert.addBindValue(Optional(row.rootDistanceSeconds));
        insert.addBindValue(row.samplesAnswered);
        insert.addBindValue(VerdictWord(row.verdict));
        insert.addBindValue(row.corrected ? 1 : 0);
        insert.addBindValue(Optional(row.correctionSeconds));
        ok = insert.exec();
        // Age is counted on the Timebase's time: a local clock set years ahead must not
        // prune the whole history.
        if (row.offsetSeconds && (row.verdict == Verdict::Used || row.verdict == Verdict::Agrees)) {
            const auto timebase =
                row.timeUtcMicroseconds + static_cast<std::int64_t>(*row.offsetSeconds * 1e6);
            newest = timebaseKnown ? std::max(newest, timebase) : timebase;
            timebaseKnown = true;
        }
    }
    if (!ok) {
        error = insert.lastError();
    }
    QSqlQuery prune(db);
    if (ok && timebaseKnown) {
        prune.prepare(QStringLiteral("DELETE FROM measurements WHERE time_us < ?"));
        prune.addBindValue(static_cast<qint64>(newest - kKeepMicroseconds));
        ok = prune.exec();
    }
    // Row ids grow with each insert: the newest kKeepRows inserted are kept, found through
    // the primary key without counting the rows.
    QSqlQuery count(db);
    if (ok) {
        count.prepare(QStringLiteral(
            "DELETE FROM measurements WHERE id <= (SELECT max(id) FROM measurements) - ?"));
        count.addBindValue(kKeepRows);
        ok = count.exec();
    }
    if (!ok && !error.isValid()) {
        error = prune.lastError().isValid() ? prune.lastError() : count.lastError();
    }
    if (ok) {
        ok = Exec(db, QStringLiteral("COMMIT"), error);
    }
    if (!ok) {
        QSqlError ignored;
        Exec(db, QStringLiteral("ROLLBACK"), ignored);
    }
    return ok;
}

bool HistoryStore::Append(std::span<const MeasurementRow> rows) {
    if (rows.empty()) {
        return true;
    }
    if (!EnsureOpen()) {
        return false;
    }
    QSqlError error;
    if (Insert(rows, error)) {
        return true;
    }
    // Damage found only now (a cut-off file reads well until a missing page is needed):
    // the rows go into a new file.
    if (IsDamage(error) && MoveDamagedAside() && EnsureOpen() && Insert(rows, error)) {
        return true;
    }
    Fail(QStringLiteral("append"), error);
    return false;
}

std::vector<MeasurementRow> HistoryStore::Load(std::int64_t fromUtcMicroseconds,
                                               std::int64_t toUtcMicroseconds) {
    std::vector<MeasurementRow> rows;
    if (!EnsureOpen()) {
        return rows;
    }
    bool damaged = false;
    {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.setForwardOnly(true);
        query.prepare(QStringLiteral(
            "SELECT time_us, program, server, address, protocol, transport, authenticated, "
            "offset_s, "
            "delay_s, stratum, root_distance_s, samples_answered, verdict, corrected, correction_s "
            "FROM measurements WHERE time_us >= ? AND time_us < ? ORDER BY time_us, id"));
        query.addBindValue(static_cast<qint64>(fromUtcMicroseconds));
        query.addBindValue(static_cast<qint64>(toUtcMicroseconds));
        if (!query.exec()) {
            damaged = IsDamage(query.lastError());
            if (!damaged) {
                Fail(QStringLiteral("load"), query.lastError());
            }
        }
        while (query.isActive() && query.next()) {
            MeasurementRow row;
            row.timeUtcMicroseconds = query.value(0).toLongLong();
            row.program = query.value(1).toString();
            row.server = query.value(2).toString();
            row.address = query.value(3).toString();
            row.protocol = query.value(4).toString();
            row.transport = query.value(5).toString();
            row.authenticated = query.value(6).toInt() != 0;
            row.offsetSeconds = OptionalDouble(query.value(7));
            row.delaySeconds = OptionalDouble(query.value(8));
            const QVariant stratum = query.value(9);
            row.stratum = stratum.isNull() ? std::nullopt : std::optional<int>(stratum.toInt());
            row.rootDistanceSeconds = OptionalDouble(query.value(10));
            row.samplesAnswered = query.value(11).toInt();
            row.verdict = VerdictFromWord(query.value(12).toString());
            row.corrected = query.value(13).toInt() != 0;
            row.correctionSeconds = OptionalDouble(query.value(14));
            rows.push_back(std::move(row));
        }
        // A damaged page met halfway through the rows.
        damaged = damaged || IsDamage(query.lastError());
    }
    if (damaged) {
        rows.clear();
        MoveDamagedAside();
    }
    return rows;
}

std::vector<ChartPoint> HistoryStore::LoadChart(std::int64_t fromUtcMicroseconds,
                                                std::int64_t toUtcMicroseconds,
                                                QStringList& servers) {
    std::vector<ChartPoint> points;
    servers.clear();
    if (!EnsureOpen()) {
        return points;
    }
    bool damaged = false;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        // The verdict and the correction as one number: no text per row.
        QString verdicts;
        for (const Verdict verdict : kVerdicts) {
            verdicts += QStringLiteral(" WHEN '%1' THEN %2")
                            .arg(VerdictWord(verdict))
                            .arg(static_cast<int>(verdict) * 2);
        }
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT time_us, server, offset_s, delay_s, "
                                     "(CASE verdict%1 ELSE %2 END) + (corrected != 0) "
                                     "FROM measurements WHERE time_us >= ? AND time_us < ? "
                                     "ORDER BY time_us, id")
                          .arg(verdicts)
                          .arg(static_cast<int>(Verdict::NoAnswer) * 2));
        query.addBindValue(static_cast<qint64>(fromUtcMicroseconds));
        query.addBindValue(static_cast<qint64>(toUtcMicroseconds));
        if (!query.exec()) {
            damaged = IsDamage(query.lastError());
            if (!damaged) {
                Fail(QStringLiteral("load"), query.lastError());
            }
        }
        QString lastServer;
        while (query.isActive() && query.next()) {
            ChartPoint point;
            point.timeUtcMicroseconds = query.value(0).toLongLong();
            // A handful of servers over many rows: compare before looking up.
            const QString server = query.value(1).toString();
            if (points.empty() || server != lastServer) {
                point.server = static_cast<int>(servers.indexOf(server));
                if (point.server < 0) {
                    point.server = static_cast<int>(servers.size());
                    servers << server;
                }
                lastServer = server;
            } else {
                point.server = points.back().server;
            }
            point.offsetSeconds = OptionalDouble(query.value(2));
            point.delaySeconds = OptionalDouble(query.value(3));
            const int flags = query.value(4).toInt();
            point.verdict = static_cast<Verdict>(flags / 2);
            point.corrected = flags % 2 != 0;
            points.push_back(point);
        }
        damaged = damaged || IsDamage(query.lastError());
    }
    if (damaged) {
        points.clear();
        servers.clear();
        MoveDamagedAside();
    }
    return points;
}

} // namespace history
