// Figures of the measurement history: append time per row, the file's size and the time
// to load it for the chart at 200,000 rows, and the drift over all of them.
#include "history/drift_estimate.h"
#include "history/drift_points.h"
#include "history/history_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr std::int64_t kStart = 1'800'000'000'000'000;

history::MeasurementRow Row(int n) {
    history::MeasurementRow row;
    // One check every two minutes: 200,000 rows span 278 days, inside the kept 400.
    row.timeUtcMicroseconds = kStart + static_cast<std::int64_t>(n) * 120'000'000;
    row.program = QStringLiteral("horolux-cli");
    row.server = n % 2 ? QStringLiteral("pool.ntp.org") : QStringLiteral("time.cloudflare.com");
    row.address = n % 2 ? QStringLiteral("192.0.2.17") : QStringLiteral("2001:db8::123");
    row.protocol = n % 2 ? QStringLiteral("SNTP") : QStringLiteral("NTS");
    row.transport = QStringLiteral("UDP");
    row.authenticated = n % 2 == 0;
    row.offsetSeconds = -1e-5 * n * 120 + (n % 7) * 1e-4;
    row.delaySeconds = 0.010 + (n % 13) * 1e-3;
    row.stratum = 2;
    row.rootDistanceSeconds = 0.02;
    row.samplesAnswered = 4;
    row.verdict = history::Verdict::Used;
    row.corrected = n % 5000 == 4999;
    if (row.corrected) {
        row.correctionSeconds = *row.offsetSeconds;
    }
    return row;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    // A copy of a history given as the argument is measured instead of a made one.
    const QString given = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString path = dir.path() + QStringLiteral("/history.sqlite");
    if (!given.isEmpty() && !QFile::copy(given, path)) {
        std::fprintf(stderr, "history_bench: cannot read %s\n", argv[1]);
        return 1;
    }
    constexpr int kRows = history::kKeepRows;
    constexpr int kSingles = 2000;
    if (given.isEmpty()) {
        history::HistoryStore store(path);
        QElapsedTimer timer;
        timer.start();
        for (int n = 0; n < kSingles; ++n) {
            const history::MeasurementRow row = Row(n);
            store.Append({&row, 1});
        }
        std::printf("append, one row per transaction: %.3f ms per row (%d rows)\n",
                    static_cast<double>(timer.nsecsElapsed()) / 1e6 / kSingles, kSingles);
        std::vector<history::MeasurementRow> batch;
        for (int n = kSingles; n < kRows; ++n) {
            batch.push_back(Row(n));
            if (batch.size() == 10000 || n + 1 == kRows) {
                store.Append(batch);
                batch.clear();
            }
        }
        timer.restart();
        for (int n = kRows; n < kRows + 200; ++n) {
            const history::MeasurementRow row = Row(n);
            store.Append({&row, 1});
        }
        std::printf("append at %d rows, pruning the oldest: %.3f ms per row\n", kRows,
                    static_cast<double>(timer.nsecsElapsed()) / 1e6 / 200);
    }
    std::printf("database size with %d rows: %.1f MB\n", kRows,
                static_cast<double>(QFileInfo(path).size()) / 1e6);

    history::HistoryStore store(path);
    // Wall and processor time: on a busy machine the wall time also counts other programs.
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        std::clock_t cpu = std::clock();
        const auto rows = store.Load(0, kStart * 2);
        std::printf("load %zu whole rows: %.0f ms (processor %.0f ms)\n", rows.size(),
                    static_cast<double>(timer.nsecsElapsed()) / 1e6,
                    static_cast<double>(std::clock() - cpu) * 1e3 / CLOCKS_PER_SEC);
        timer.restart();
        cpu = std::clock();
        QStringList servers;
        const auto chart = store.LoadChart(0, kStart * 2, servers);
        std::printf("load %zu chart points: %.0f ms (processor %.0f ms)\n", chart.size(),
                    static_cast<double>(timer.nsecsElapsed()) / 1e6,
                    static_cast<double>(std::clock() - cpu) * 1e3 / CLOCKS_PER_SEC);
        const std::vector<history::DriftPoint> points = history::DriftPoints(chart);
        timer.restart();
        const auto drift = history::EstimateDrift(points);
        std::printf("drift over them: %.1f ms (%.3f ppm)\n",
                    static_cast<double>(timer.nsecsElapsed()) / 1e6, drift ? drift->driftPpm : 0.0);
    }
    return 0;
}
