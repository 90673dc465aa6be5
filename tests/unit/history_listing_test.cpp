#include "cli/history_listing.h"
#include "history/drift_estimate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

using history::MeasurementRow;
using history::Verdict;

// 2027-01-15T08:00:00Z.
constexpr std::int64_t kStart = 1'800'000'000'000'000;

// A clock that gains 10 ppm: every 10 minutes the Timebase is 6 ms further behind it.
MeasurementRow Gaining(int step) {
    MeasurementRow row;
    row.timeUtcMicroseconds = kStart + step * 600'000'000LL;
    row.program = QStringLiteral("horolux-cli");
    row.server = QStringLiteral("a \"b\", c");
    row.address = QStringLiteral("127.0.0.1");
    row.protocol = QStringLiteral("SNTP");
    row.transport = QStringLiteral("UDP");
    row.offsetSeconds = -10e-6 * 600 * step;
    row.delaySeconds = 0.002 * (1 + step % 2);
    row.stratum = 2;
    row.samplesAnswered = 4;
    row.verdict = Verdict::Used;
    return row;
}

TEST(HistoryListing, PrintsTheStoredRowsAndTheWindowsDrift) {
    QTemporaryDir dir;
    history::HistoryStore store(dir.path() + QStringLiteral("/history.sqlite"));
    std::vector<MeasurementRow> rows;
    std::vector<history::DriftPoint> points;
    for (int step = 0; step < 5; ++step) {
        rows.push_back(Gaining(step));
        points.push_back({rows.back().timeUtcMicroseconds, *rows.back().offsetSeconds,
                          *rows.back().delaySeconds, false});
    }
    MeasurementRow silent = Gaining(5);
    silent.offsetSeconds.reset();
    silent.delaySeconds.reset();
    silent.stratum.reset();
    silent.verdict = Verdict::NoAnswer;
    rows.push_back(silent);
    ASSERT_TRUE(store.Append(rows));

    const HistoryListing since = ReadHistory(store, kStart + 4 * 600'000'000LL);
    EXPECT_EQ(HistoryCsv(since),
              "time_utc,program,server,address,protocol,transport,authenticated,offset_seconds,"
              "delay_seconds,stratum,root_distance_seconds,samples_answered,verdict,corrected,"
              "correction_seconds\r\n"
              "2027-01-15T08:40:00.000000Z,horolux-cli,\"a \"\"b\"\", c\",127.0.0.1,SNTP,UDP,false,"
              "-0.024000000,0.002000000,2,,4,used,false,\r\n"
              "2027-01-15T08:50:00.000000Z,horolux-cli,\"a \"\"b\"\", c\",127.0.0.1,SNTP,UDP,false,"
              ",,,,4,no answer,false,\r\n");
    EXPECT_FALSE(since.drift);

    const HistoryListing all = ReadHistory(store, std::numeric_limits<std::int64_t>::min());
    const QJsonObject json =
        QJsonDocument::fromJson(QByteArray::fromStdString(HistoryJson(all))).object();
    const QJsonArray measurements = json[QStringLiteral("measurements")].toArray();
    ASSERT_EQ(measurements.size(), 6);
    EXPECT_TRUE(measurements[5].toObject()[QStringLiteral("offset_seconds")].isNull());
    EXPECT_EQ(measurements[5].toObject()[QStringLiteral("verdict")], QStringLiteral("no answer"));
    // Gains: a positive drift, the figure the window's estimate gives.
    const auto expected = history::EstimateDrift(points);
    ASSERT_TRUE(expected);
    EXPECT_NEAR(json[QStringLiteral("drift_ppm")].toDouble(), 10.0, 1e-6);
    EXPECT_NEAR(json[QStringLiteral("drift_ppm")].toDouble(), expected->driftPpm, 1e-6);
    EXPECT_NEAR(json[QStringLiteral("drift_ppm_uncertainty")].toDouble(), expected->uncertaintyPpm,
                1e-6);

    const HistoryListing none = ReadHistory(store, kStart + 3'600'000'000LL);
    EXPECT_EQ(HistoryText(none), "Time (UTC)  Program  Server  Address  Protocol  Offset (s)  "
                                 "Delay (s)  Stratum  Verdict  Corrected (s)\n"
                                 "no measurements yet\n");
    const QJsonObject empty =
        QJsonDocument::fromJson(QByteArray::fromStdString(HistoryJson(none))).object();
    EXPECT_TRUE(empty[QStringLiteral("drift_ppm")].isNull());
    EXPECT_TRUE(empty[QStringLiteral("drift_ppm_uncertainty")].isNull());
    EXPECT_EQ(empty[QStringLiteral("measurements")].toArray().size(), 0);
}

} // namespace
