#pragma once

// The SQLite history of measurements. Every failure is reported as one line and swallowed:
// a query never fails because of its history. One store belongs to one thread.
#include "history/history_file.h"
#include "history/history_schema.h"
#include "history/measurement_row.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class QSqlError;

namespace history {

// Older rows, and rows beyond the newest this many, are pruned at each append.
inline constexpr std::int64_t kKeepMicroseconds = 400LL * 86400 * 1000000;
inline constexpr int kKeepRows = 200000;
// How long a write waits for the other program's write to end.
inline constexpr int kBusyTimeoutMilliseconds = 10000;

class HistoryStore {
  public:
    // UTC microseconds, for the name of a damaged file moved aside.
    using Clock = std::function<std::int64_t()>;
    // Gets each report line; stderr when none.
    using Report = std::function<void(const QString&)>;

    explicit HistoryStore(QString path = DefaultHistoryPath(), Clock clock = {}, Report report = {},
                          std::span<const QStringList> schemaSteps = SchemaSteps());
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // All rows in one transaction, then pruning. False when they were not kept.
    bool Append(std::span<const MeasurementRow> rows);
    // Rows measured in [from, to), in time order; empty on failure.
    std::vector<MeasurementRow> Load(std::int64_t fromUtcMicroseconds,
                                     std::int64_t toUtcMicroseconds);

    // The chart's points in [from, to), in time order, and the server names they index.
    std::vector<ChartPoint> LoadChart(std::int64_t fromUtcMicroseconds,
                                      std::int64_t toUtcMicroseconds, QStringList& servers);

    const QString& Path() const { return m_path; }

  private:
    bool EnsureOpen();
    bool OpenOnce(bool& damaged);
    void Close();
    bool MoveDamagedAside();
    bool Insert(std::span<const MeasurementRow> rows, QSqlError& error);
    void Fail(const QString& what, const QSqlError& error);
    void Say(const QString& line);

    QString m_path;
    Clock m_clock;
    Report m_report;
    std::span<const QStringList> m_steps;
    QString m_connection;
    FileIdentity m_identity;
    bool m_open = false;
    QString m_lastLine;
};

} // namespace history
