// Prints how long the Clock History window takes to show a full history: from the open
// until its chart and summary are drawn. Usage: history_window_bench (offscreen is fine).
#include "history/history_store.h"
#include "ui/history_window.h"
#include "ui/history_worker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/history.sqlite");
    constexpr int kRows = history::kKeepRows;
    const std::int64_t now = QDateTime::currentMSecsSinceEpoch() * 1000;
    {
        history::HistoryStore store(path);
        std::vector<history::MeasurementRow> batch;
        for (int n = 0; n < kRows; ++n) {
            history::MeasurementRow row;
            // Spread over the last 300 days, three servers taking turns.
            row.timeUtcMicroseconds = now - std::int64_t{kRows - n} * 129600000;
            row.program = QStringLiteral("horolux");
            row.server = QStringLiteral("server%1.example").arg(n % 3);
            row.offsetSeconds = 1e-5 * (n % 1000);
            row.delaySeconds = 0.004;
            row.verdict = history::Verdict::Used;
            batch.push_back(row);
            if (batch.size() == 10000) {
                store.Append(batch);
                batch.clear();
            }
        }
    }
    for (const auto range : {CHistoryWindow::Range::Week, CHistoryWindow::Range::All}) {
        CHistoryWorker worker(path);
        QElapsedTimer clock;
        clock.start();
        CHistoryWindow window(worker, nullptr);
        window.show();
        // The open loads the week; another range replaces that load.
        window.ShowRange(range);
        while (window.LoadsShown() < 1) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        std::printf("%s with %d rows kept: shown in %lld ms\n",
                    range == CHistoryWindow::Range::Week ? "open, last week" : "all rows", kRows,
                    static_cast<long long>(clock.elapsed()));
    }
    return 0;
}
