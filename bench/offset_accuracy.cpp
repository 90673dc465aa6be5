// Offset accuracy of the SNTP query against a server on the same machine (same clock, so
// the true offset is 0), while the GUI thread is kept busy 20 ms out of every 200 ms;
// one query in ten is sent just before a busy stretch, so that its reply waits.
//   offset_accuracy [QUERIES] [HOST]
// Prints the median and 99th percentile of |theta|, how long replies waited in the
// socket, and what |theta| would have been with the reading taken at the notification.
#include "cli/console_view.h"
#include "platform/arrival_time.h"
#include "timesync/ntp_time.h"
#include "timesync/query_config.h"
#include "timesync/time_query.h"
#include "timesync/time_sync_hooks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

void BusyFor(std::chrono::milliseconds duration) {
    const auto until = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < until) {
    }
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(std::ceil(fraction * values.size())) - 1;
    return values[std::min(index, values.size() - 1)];
}

bool RunUntilQueryEnds(const CTimeQuery& query, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (query.IsPending()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int queries = argc > 1 ? std::atoi(argv[1]) : 200;
    QueryConfig config;
    config.protocol = QStringLiteral("SNTP");
    config.socketType = QStringLiteral("UDP");
    config.timebase = QString::fromLocal8Bit(argc > 2 ? argv[2] : "127.0.0.1");

    // The kernel clock's reading as each reply was read, to see how long replies waited.
    std::int64_t lastReadingNs = 0;
    Hooks().kernelClockNs = [&lastReadingNs] {
        lastReadingNs = platform::KernelClockNs();
        return lastReadingNs;
    };

    CConsoleView view;
    CTimeQuery query(view);
    // Every 200 ms the thread is busy for 20 ms. A query can be handed to the busy timer,
    // which sends it just before the busy stretch: its reply then waits out the stretch.
    bool sendBeforeBusy = false;
    QTimer busy;
    QObject::connect(&busy, &QTimer::timeout, [&] {
        if (sendBeforeBusy) {
            sendBeforeBusy = false;
            query.Start(config);
        }
        BusyFor(std::chrono::milliseconds(20));
    });
    busy.start(200);
    QTimer wake; // bounds each wait for an event
    wake.start(5);

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> spacing(20, 80);
    std::vector<double> offsets;
    std::vector<double> notificationOffsets;
    std::vector<double> waits;
    std::vector<double> delays;
    int failed = 0;
    for (int i = 0; i < queries; ++i) {
        if (i % 10 == 0) {
            // One query in ten right before a busy stretch.
            sendBeforeBusy = true;
            while (sendBeforeBusy) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
        } else {
            // The others at scattered moments.
            QElapsedTimer pause;
            pause.start();
            const int gap = spacing(random);
            while (pause.elapsed() < gap) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
            query.Start(config);
        }
        if (!RunUntilQueryEnds(query, 5000) || !view.LastText().startsWith("Timebase Clock: ")) {
            ++failed;
            query.OnReset();
            continue;
        }
        const Measurement& m = *view.Outcome()->measurement;
        const double theta = m.offset;
        const double waited = static_cast<double>(lastReadingNs - m.localNs.value_or(0)) * 1e-9;
        offsets.push_back(std::abs(theta));
        delays.push_back(m.delay);
        waits.push_back(waited);
        // T4 read at the notification instead of at the arrival.
        notificationOffsets.push_back(std::abs(theta - waited * 0.5));
    }
    if (offsets.empty()) {
        std::printf("no query was answered\n");
        return 1;
    }
    const auto us = [](double seconds) { return seconds * 1e6; };
    const long waitedLong =
        std::count_if(waits.begin(), waits.end(), [](double w) { return w > 0.001; });
    std::printf("SNTP queries answered:        %zu of %d\n", offsets.size(), queries);
    std::printf("|theta| median:               %8.1f us\n", us(Percentile(offsets, 0.5)));
    std::printf("|theta| 99th percentile:      %8.1f us\n", us(Percentile(offsets, 0.99)));
    std::printf("|theta| max:                  %8.1f us\n", us(Percentile(offsets, 1.0)));
    std::printf("round trip median:            %8.1f us\n", us(Percentile(delays, 0.5)));
    std::printf("replies that waited > 1 ms:   %ld (longest %.1f ms)\n", waitedLong,
                Percentile(waits, 1.0) * 1e3);
    std::printf("had T4 been read at the notification: median %.1f us, 99th percentile %.1f us\n",
                us(Percentile(notificationOffsets, 0.5)),
                us(Percentile(notificationOffsets, 0.99)));
    return failed == 0 ? 0 : 1;
}
