#pragma once

// The "Clock History" window: the kept offsets over a chosen range, one line per server
// with its delay as a band around it, the corrections marked, the drift in words, the
// system's own time service, and a summary that a screen reader reads.
#include "history/measurement_row.h"
#include "ui/history_worker.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

class QChart;
class QChartView;
class QLabel;
class QPushButton;

class CHistoryWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Range { Day, Week, Month, All };

    CHistoryWindow(CHistoryWorker& worker, QWidget* parent);

    // Loads the range again, up to now; the chart follows once the points are read.
    void ShowRange(Range range);
    // Loads the shown range again, with the rows kept since.
    void Refresh() { ShowRange(m_range); }
    void SetSystemTimeText(const QString& text);
    // Writes the shown range's rows to the file, and says so when that failed.
    void ExportCsvTo(const QString& path);

    QString Summary() const { return m_summaryText; }
    // The ranges' loads that have been shown (tests wait for it).
    int LoadsShown() const { return m_loadsShown; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void OnLoaded(CHistoryWorker::Chart chart);
    void Draw(const CHistoryWorker::Chart& chart);
    void ShowPointAt(int server, const QPointF& point);
    void OnExportCsv();

    CHistoryWorker& m_worker;
    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QLabel* m_system = nullptr;
    QLabel* m_drift = nullptr;
    QLabel* m_summary = nullptr;
    Range m_range = Range::Week;
    std::int64_t m_from = 0;
    std::int64_t m_to = 0;
    // Only the newest load is shown; a slower earlier one that ends later is dropped.
    int m_generation = 0;
    int m_loadsShown = 0;
    CHistoryWorker::Chart m_shown;
    QString m_summaryText;
};
