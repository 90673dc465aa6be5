#include "ui/history_window.h"

#include "history/chart_thinning.h"
#include "history/drift_points.h"
#include "history/drift_text.h"
#include "history/history_csv.h"
#include "platform/atomic_file.h"

#include <QAreaSeries>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <chrono>
#include <limits>

namespace {

constexpr std::int64_t kDayMicroseconds = 86400LL * 1000000;
// About as many time slices as a wide chart has pixels across.
constexpr std::size_t kChartSlices = 1000;

std::int64_t NowMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

QString TimeText(std::int64_t utcMicroseconds) {
    return QDateTime::fromMSecsSinceEpoch(utcMicroseconds / 1000, Qt::UTC)
               .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
           QStringLiteral(" UTC");
}

QString SecondsText(double seconds) {
    return QStringLiteral("%1%2 s").arg(seconds >= 0 ? "+" : "").arg(seconds, 0, 'f', 6);
}

const char* RangeWords(CHistoryWindow::Range range) {
    switch (range) {
    case CHistoryWindow::Range::Day:
        return QT_TRANSLATE_NOOP("CHistoryWindow", "the last day");
    case CHistoryWindow::Range::Week:
        return QT_TRANSLATE_NOOP("CHistoryWindow", "the last week");
    case CHistoryWindow::Range::Month:
        return QT_TRANSLATE_NOOP("CHistoryWindow", "the last month");
    case CHistoryWindow::Range::All:
        break;
    }
    return QT_TRANSLATE_NOOP("CHistoryWindow", "all time");
}

} // namespace

CHistoryWindow::CHistoryWindow(CHistoryWorker& worker, QWidget* parent)
    : QDialog(parent), m_worker(worker) {
    setObjectName("historyWindow");
    setWindowTitle(tr("Clock History"));
    setModal(false);
    resize(720, 480);

    m_chart = new QChart();
    // The chart draws with its own theme, not the palette: follow a dark desktop.
    m_chart->setTheme(palette().color(QPalette::Window).lightness() < 128
                          ? QChart::ChartThemeDark
                          : QChart::ChartThemeLight);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName("historyChart");
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFocusPolicy(Qt::StrongFocus);

    m_system = new QLabel(this);
    m_system->setObjectName("systemTimeLabel");
    m_drift = new QLabel(this);
    m_drift->setObjectName("driftLabel");
    m_drift->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_summary = new QLabel(this);
    m_summary->setObjectName("summaryLabel");
    m_summary->setWordWrap(true);
    m_summary->setFocusPolicy(Qt::StrongFocus);

    auto* ranges = new QHBoxLayout();
    auto* group = new QButtonGroup(this);
    const struct {
        const char* caption;
        const char* name;
        Range range;
    } buttons[] = {{QT_TRANSLATE_NOOP("CHistoryWindow", "&Day"), "rangeDay", Range::Day},
                   {QT_TRANSLATE_NOOP("CHistoryWindow", "&Week"), "rangeWeek", Range::Week},
                   {QT_TRANSLATE_NOOP("CHistoryWindow", "&Month"), "rangeMonth", Range::Month},
                   {QT_TRANSLATE_NOOP("CHistoryWindow", "&All"), "rangeAll", Range::All}};
    for (const auto& b : buttons) {
        auto* button = new QPushButton(tr(b.caption), this);
        button->setObjectName(b.name);
        button->setCheckable(true);
        button->setChecked(b.range == m_range);
        button->setAutoDefault(false);
        group->addButton(button);
        ranges->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, range = b.range] { ShowRange(range); });
    }
    ranges->addStretch();
    auto* exportButton = new QPushButton(tr("&Export CSV..."), this);
    exportButton->setObjectName("btnExportCsv");
    exportButton->setAutoDefault(false);
    connect(exportButton, &QPushButton::clicked, this, &CHistoryWindow::OnExportCsv);
    ranges->addWidget(exportButton);
    auto* closeButton = new QPushButton(tr("&Close"), this);
    closeButton->setObjectName("btnClose");
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    ranges->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ranges);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_drift);
    layout->addWidget(m_system);
    layout->addWidget(m_summary);
}

void CHistoryWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowRange(m_range);
}

void CHistoryWindow::ShowRange(Range range) {
    m_range = range;
    m_to = NowMicroseconds() + 1;
    switch (range) {
    case Range::Day:
        m_from = m_to - kDayMicroseconds;
        break;
    case Range::Week:
        m_from = m_to - 7 * kDayMicroseconds;
        break;
    case Range::Month:
        m_from = m_to - 31 * kDayMicroseconds;
        break;
    case Range::All:
        m_from = 0;
        m_to = std::numeric_limits<std::int64_t>::max();
        break;
    }
    const int generation = ++m_generation;
    m_worker.LoadChart(m_from, m_to, this, [this, generation](CHistoryWorker::Chart chart) {
        if (generation == m_generation) {
            OnLoaded(std::move(chart));
        }
    });
}

void CHistoryWindow::SetSystemTimeText(const QString& text) {
    m_system->setText(text);
}

void CHistoryWindow::OnLoaded(CHistoryWorker::Chart chart) {
    m_shown = std::move(chart);
    Draw(m_shown);

    const std::string drift =
        history::DriftText(history::EstimateDrift(history::DriftPoints(m_shown.points)));
    m_drift->setText(QString::fromStdString(drift));

    QString last = tr("No result kept yet.");
    for (auto it = m_shown.points.rbegin(); it != m_shown.points.rend(); ++it) {
        if (it->offsetSeconds) {
            last = tr("Last result: offset %1 from %2 at %3.")
                       .arg(SecondsText(*it->offsetSeconds), m_shown.servers.value(it->server),
                            TimeText(it->timeUtcMicroseconds));
            break;
        }
    }
    m_summaryText = tr("Clock history of %1: %2 measurements. %3 %4")
                        .arg(tr(RangeWords(m_range)))
                        .arg(m_shown.points.size())
                        .arg(last, QString::fromStdString(drift));
    m_summary->setText(m_summaryText);
    m_summary->setAccessibleName(m_summaryText);
    m_view->setAccessibleName(tr("Offset chart"));
    m_view->setAccessibleDescription(m_summaryText);
    ++m_loadsShown;
}

void CHistoryWindow::Draw(const CHistoryWorker::Chart& chart) {
    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }
    auto* timeAxis = new QDateTimeAxis();
    timeAxis->setFormat(m_range == Range::Day ? QStringLiteral("HH:mm")
                                              : QStringLiteral("MM-dd HH:mm"));
    timeAxis->setTitleText(tr("Time (UTC)"));
    auto* offsetAxis = new QValueAxis();
    offsetAxis->setTitleText(tr("Offset (s)"));
    m_chart->addAxis(timeAxis, Qt::AlignBottom);
    m_chart->addAxis(offsetAxis, Qt::AlignLeft);

    auto attach = [&](QAbstractSeries* series) {
        m_chart->addSeries(series);
        series->attachAxis(timeAxis);
        series->attachAxis(offsetAxis);
    };
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    std::int64_t last = std::numeric_limits<std::int64_t>::lowest();
    auto* corrections = new QScatterSeries();
    corrections->setName(tr("Corrections"));
    corrections->setObjectName("corrections");
    corrections->setMarkerSize(12);
    for (int server = 0; server < chart.servers.size(); ++server) {
        auto* line = new QLineSeries();
        line->setName(chart.servers[server]);
        line->setObjectName(QStringLiteral("offset:") + chart.servers[server]);
        line->setPointsVisible(true);
        // The band owns its edges: the chart deletes only the series added to it.
        auto* band = new QAreaSeries();
        auto* upper = new QLineSeries(band);
        auto* lower = new QLineSeries(band);
        QList<QPointF> offsets;
        QList<QPointF> uppers;
        QList<QPointF> lowers;
        for (const std::size_t index : history::ChartedPoints(chart.points, server, kChartSlices)) {
            const history::ChartPoint& point = chart.points[index];
            const double x = static_cast<double>(point.timeUtcMicroseconds / 1000);
            const double y = *point.offsetSeconds;
            // Half the round trip bounds the offset's error.
            const double spread = point.delaySeconds ? *point.delaySeconds / 2 : 0.0;
            offsets.append({x, y});
            uppers.append({x, y + spread});
            lowers.append({x, y - spread});
            if (point.corrected) {
                corrections->append(x, y);
            }
            low = std::min(low, y - spread);
            high = std::max(high, y + spread);
            first = std::min(first, point.timeUtcMicroseconds);
            last = std::max(last, point.timeUtcMicroseconds);
        }
        // One replace, not a signal per point.
        line->replace(offsets);
        upper->replace(uppers);
        lower->replace(lowers);
        band->setUpperSeries(upper);
        band->setLowerSeries(lower);
        band->setName(chart.servers[server] + tr(" delay"));
        band->setObjectName(QStringLiteral("delay:") + chart.servers[server]);
        attach(band);
        attach(line);
        QColor shade = line->color();
        shade.setAlpha(60);
        band->setColor(shade);
        band->setBorderColor(Qt::transparent);
        for (QLegendMarker* marker : m_chart->legend()->markers(band)) {
            marker->setVisible(false);
        }
        connect(line, &QLineSeries::hovered, this, [this, server](const QPointF& at, bool state) {
            if (state) {
                ShowPointAt(server, at);
            } else {
                QToolTip::hideText();
            }
        });
    }
    attach(corrections);
    if (first <= last) {
        const double margin = std::max((high - low) * 0.1, 1e-3);
        offsetAxis->setRange(low - margin, high + margin);
        const qint64 pad = std::max<qint64>((last - first) / 1000 / 20, 60000);
        timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(first / 1000 - pad, Qt::UTC),
                           QDateTime::fromMSecsSinceEpoch(last / 1000 + pad, Qt::UTC));
    }
}

void CHistoryWindow::ShowPointAt(int server, const QPointF& at) {
    // The hovered spot lies near a point, not on it: the server's nearest point in time.
    const history::ChartPoint* nearest = nullptr;
    double best = std::numeric_limits<double>::max();
    for (const history::ChartPoint& point : m_shown.points) {
        if (point.server != server || !point.offsetSeconds) {
            continue;
        }
        const double distance =
            std::abs(static_cast<double>(point.timeUtcMicroseconds / 1000) - at.x());
        if (distance < best) {
            best = distance;
            nearest = &point;
        }
    }
    if (!nearest) {
        return;
    }
    QString text = tr("%1\n%2\nOffset %3")
                       .arg(m_shown.servers.value(server), TimeText(nearest->timeUtcMicroseconds),
                            SecondsText(*nearest->offsetSeconds));
    if (nearest->delaySeconds) {
        text += tr("\nDelay %1 s").arg(*nearest->delaySeconds, 0, 'f', 6);
    }
    if (nearest->corrected) {
        text += tr("\nThe clock was corrected");
    }
    QToolTip::showText(QCursor::pos(), text, m_view);
}

void CHistoryWindow::OnExportCsv() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Export CSV"), QStringLiteral("horolux-history.csv"),
                                     tr("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty()) {
        ExportCsvTo(path);
    }
}

void CHistoryWindow::ExportCsvTo(const QString& path) {
    m_worker.LoadRows(m_from, m_to, this, [this, path](std::vector<history::MeasurementRow> rows) {
        const std::string failure = platform::WriteFileAtomically(
            path.toStdString(), history::HistoryCsv(rows).toUtf8().toStdString());
        if (!failure.empty()) {
            QMessageBox::warning(this, tr("Clock History"),
                                 tr("The history could not be written to %1: %2")
                                     .arg(path, QString::fromStdString(failure)));
        }
    });
}
