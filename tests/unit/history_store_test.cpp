#include "history/chart_thinning.h"
#include "history/drift_points.h"
#include "history/history_csv.h"
#include "history/history_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>
#include <vector>

namespace {

using history::HistoryStore;
using history::MeasurementRow;

constexpr std::int64_t kNow = 1'800'000'000'000'000;

MeasurementRow Row(std::int64_t n, const char* program = "horolux") {
    MeasurementRow row;
    row.timeUtcMicroseconds = kNow + n * 1'000'000;
    row.program = QString::fromLatin1(program);
    row.server = QStringLiteral("time.example.org");
    row.offsetSeconds = 0.001 * static_cast<double>(n);
    row.delaySeconds = 0.02;
    row.verdict = history::Verdict::Used;
    return row;
}

// The second writer: the same program, started by TwoProgramsLoseNothing.
TEST(HistoryStore, ChildWriter) {
    const QByteArray path = qgetenv("HISTORY_TEST_CHILD_PATH");
    if (path.isEmpty()) {
        GTEST_SKIP() << "started by TwoProgramsLoseNothing only";
    }
    HistoryStore store(QString::fromLocal8Bit(path));
    std::printf("ready\n");
    std::fflush(stdout);
    for (int n = 0; n < 1000; ++n) {
        const MeasurementRow row = Row(n, "horolux-cli");
        ASSERT_TRUE(store.Append({&row, 1}));
    }
}

TEST(HistoryStore, TwoProgramsLoseNothing) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/state/Veldmark/Horolux/history.sqlite");
    HistoryStore store(path);
    const MeasurementRow first = Row(-1);
    ASSERT_TRUE(store.Append({&first, 1}));

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HISTORY_TEST_CHILD_PATH"), path);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=HistoryStore.ChildWriter")});
    ASSERT_TRUE(child.waitForReadyRead(60000));
    int failed = 0;
    for (int n = 0; n < 1000; ++n) {
        const MeasurementRow row = Row(n);
        failed += store.Append({&row, 1}) ? 0 : 1;
    }
    ASSERT_TRUE(child.waitForFinished(300000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
    EXPECT_EQ(failed, 0);
    const auto rows = store.Load(0, kNow * 2);
    EXPECT_EQ(rows.size(), 2001u);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                            [](const MeasurementRow& row) { return row.program == "horolux-cli"; }),
              1000);
    struct stat file {};
    struct stat folder {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &file), 0);
    ASSERT_EQ(stat(QFile::encodeName(dir.path() + "/state/Veldmark/Horolux").constData(), &folder),
              0);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
}

// What a damaged or foreign file looks like, made at the history's path.
void MakeTruncated(const QString& path) {
    {
        HistoryStore store(path);
        std::vector<MeasurementRow> rows;
        for (int n = 0; n < 3000; ++n) {
            rows.push_back(Row(n));
        }
        ASSERT_TRUE(store.Append(rows));
    }
    QFile file(path);
    ASSERT_TRUE(file.resize(file.size() / 2));
}

void MakeForeign(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "foreign");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("CREATE TABLE notes (text TEXT)"));
        QSqlQuery(db).exec(QStringLiteral("INSERT INTO notes VALUES ('keep me')"));
    }
    QSqlDatabase::removeDatabase("foreign");
}

void MakeFolder(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(path + "/inside"));
}

TEST(HistoryStore, MovesADamagedOrForeignFileAsideOnce) {
    for (const auto make : {MakeTruncated, MakeForeign, MakeFolder}) {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/history.sqlite");
        make(path);
        const qint64 size = QFileInfo(path).size();
        QStringList said;
        HistoryStore store(
            path, [] { return kNow; }, [&said](const QString& line) { said << line; });
        const MeasurementRow row = Row(5);
        EXPECT_TRUE(store.Append({&row, 1}));
        EXPECT_TRUE(store.Append({&row, 1}));
        EXPECT_EQ(store.Load(0, kNow * 2).size(), 2u);
        ASSERT_EQ(said.size(), 1) << said.join('\n').toStdString();
        EXPECT_TRUE(said[0].contains("history.sqlite.broken-20270115T080000Z"))
            << said[0].toStdString();
        const QFileInfo broken(path + ".broken-20270115T080000Z");
        EXPECT_TRUE(broken.exists());
        EXPECT_EQ(broken.size(), size);
    }
}

TEST(HistoryStore, UpgradeKeepsTheRows) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/history.sqlite");
    {
        HistoryStore first(path);
        std::vector<MeasurementRow> rows = {Row(1), Row(2), Row(3)};
        rows[2].verdict = history::Verdict::Agrees;
        rows[2].corrected = true;
        ASSERT_TRUE(first.Append(rows));
    }
    std::vector<QStringList> steps(history::SchemaSteps().begin(), history::SchemaSteps().end());
    steps.push_back({QStringLiteral("ALTER TABLE measurements ADD COLUMN note TEXT")});
    HistoryStore upgraded(path, {}, {}, steps);
    const auto rows = upgraded.Load(0, kNow * 2);
    ASSERT_EQ(rows.size(), 3u);
    QStringList servers;
    const auto chart = upgraded.LoadChart(0, kNow * 2, servers);
    ASSERT_EQ(chart.size(), 3u);
    EXPECT_TRUE(chart[2].corrected && chart[2].verdict == history::Verdict::Agrees &&
                chart[2].offsetSeconds == rows[2].offsetSeconds && rows[2].offsetSeconds == 0.003);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "check");
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec("PRAGMA user_version") && query.next());
    EXPECT_EQ(query.value(0).toInt(), static_cast<int>(steps.size()));
    EXPECT_TRUE(query.exec("SELECT note FROM measurements"));
}

TEST(HistoryCsv, TypedNamesNeverRunAsFormulasAndCellsStayWhole) {
    MeasurementRow row = Row(0);
    row.server = QStringLiteral("=HYPERLINK(\"http://x\")");
    row.address = QStringLiteral("a,b");
    row.offsetSeconds = -0.25;
    row.delaySeconds.reset();
    const QString csv = history::HistoryCsv(std::span(&row, 1));
    EXPECT_EQ(csv.section('\n', 1, 1),
              "2027-01-15T08:00:00.000Z,horolux,\"'=HYPERLINK(\"\"http://x\"\")\",\"a,b\",,,0,"
              "-0.250000000,,,,0,used,0,");
}

TEST(DriftPoints, KeepAnswersAndEveryCorrection) {
    using history::Verdict;
    const std::vector<history::ChartPoint> chart = {{1, 0, 0.1, 0.02, Verdict::Used, false},
                                                    {2, 0, {}, {}, Verdict::NoAnswer, false},
                                                    {3, 0, 0.3, 0.02, Verdict::Falseticker, false},
                                                    {4, 1, 0.2, 0.02, Verdict::Agrees, false},
                                                    {5, 0, {}, {}, Verdict::Used, true}};
    const auto points = history::DriftPoints(chart);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_TRUE(points[1].corrected && points[1].timeUtcMicroseconds == 4);
}

// A long history is drawn thinned, but a spike, a correction and the ends stay; other
// servers' points and unanswered ones never enter.
TEST(ChartedPoints, KeepTheExtremesTheCorrectionsAndTheEnds) {
    std::vector<history::ChartPoint> points;
    for (int n = 0; n < 10000; ++n) {
        history::ChartPoint point;
        point.timeUtcMicroseconds = n * 1000000LL;
        point.server = n % 2;
        point.offsetSeconds = n == 5010 ? 9.0 : 0.001 * (n % 7);
        point.corrected = n == 7010;
        if (n % 10 == 4) {
            point.offsetSeconds.reset();
        }
        points.push_back(point);
    }
    const std::vector<std::size_t> kept = history::ChartedPoints(points, 0, 50);
    EXPECT_LE(kept.size(), 4U * 50 + 1);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    for (const std::size_t index : {0, 5010, 7010, 9998}) {
        EXPECT_NE(std::find(kept.begin(), kept.end(), index), kept.end()) << index;
    }
    for (const std::size_t index : kept) {
        EXPECT_TRUE(points[index].server == 0 && points[index].offsetSeconds) << index;
    }
    EXPECT_EQ(history::ChartedPoints(points, 1, 5000).size(), 5000U);
}

} // namespace
