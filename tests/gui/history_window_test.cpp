// The Clock History window over a real history file: opened from its key, the ranges, the
// series and the summary a screen reader reads; the export for a spreadsheet.
#include "history/history_store.h"
#include "tests/support/frame_fixture.h"
#include "ui/history_window.h"

#include <QAbstractSeries>
#include <QChart>
#include <QChartView>
#include <QPushButton>
#include <QTest>
#include <QXYSeries>
#include <chrono>

namespace {

std::int64_t MinutesAgo(int minutes) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(now).count() -
           std::int64_t{minutes} * 60 * 1000000;
}

history::MeasurementRow Row(int minutesAgo, const char* server, std::optional<double> offset,
                            bool corrected = false) {
    history::MeasurementRow row;
    row.timeUtcMicroseconds = MinutesAgo(minutesAgo);
    row.program = "horolux";
    row.server = server;
    row.protocol = "SNTP";
    row.transport = "UDP";
    row.offsetSeconds = offset;
    row.delaySeconds = offset ? std::optional(0.004) : std::nullopt;
    row.verdict = offset ? history::Verdict::Used : history::Verdict::NoAnswer;
    row.corrected = corrected;
    return row;
}

// "offset:a.example=2 corrections=1": the points each series of the chart holds.
QString SeriesCounts(CHistoryWindow& window) {
    QStringList counts;
    for (QAbstractSeries* series :
         window.findChild<QChartView*>("historyChart")->chart()->series()) {
        if (!series->objectName().startsWith("delay:")) {
            counts << series->objectName() + '=' +
                          QString::number(static_cast<QXYSeries*>(series)->count());
        }
    }
    return counts.join(' ');
}

TEST(HistoryWindow, OpensFromItsKeyWithTheKeptPointsOfEachRange) {
    StartedFrame started;
    const std::vector<history::MeasurementRow> rows = {
        Row(4 * 24 * 60, "a.example", 0.5), Row(50, "a.example", 0.010, true),
        Row(40, "b.example", std::nullopt), Row(30, "a.example", 0.001),
        Row(20, "b.example", 0.002)};
    ASSERT_TRUE(history::HistoryStore(started.Settings().HistoryPath()).Append(rows));

    started.Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&started.Frame()));
    QTest::keyClick(started.Child("client"), Qt::Key_H, Qt::ControlModifier);
    QPointer<CHistoryWindow> window = started.Frame().HistoryWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EVENTUALLY(window->LoadsShown() == 1, 10000);
    EXPECT_TRUE(window->isVisible());
    // The week, first.
    EXPECT_EQ(SeriesCounts(*window), "offset:a.example=3 offset:b.example=1 corrections=1");
    const QString summary = window->Summary();
    EXPECT_TRUE(summary.startsWith("Clock history of the last week: 5 measurements. Last result: "
                                   "offset +0.002000 s from b.example at "))
        << summary.toStdString();
    EXPECT_EQ(window->findChild<QChartView*>("historyChart")->accessibleDescription(), summary);

    window->findChild<QPushButton*>("rangeDay")->click();
    ASSERT_EVENTUALLY(window->LoadsShown() == 2, 10000);
    EXPECT_EQ(SeriesCounts(*window), "offset:a.example=2 offset:b.example=1 corrections=1");
    EXPECT_TRUE(window->Summary().startsWith("Clock history of the last day: 4 measurements."));
}

} // namespace
