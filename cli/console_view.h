#pragma once

// The window of a console run: no widgets, the same pacing. It keeps the last status
// text (the line a run prints), what the evaluation reported, and the progress position
// whose full step restarts a silent query, and it tells when the query has ended.
#include "timesync/query_outcome.h"
#include "timesync/time_sync_view.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class CConsoleView : public QObject, public ITimeSyncView {
  public:
    // Called on the event loop once a query has ended for good (not restarted).
    std::function<void()> onQueryEnded;

    const QString& LastText() const { return m_strLastText; }
    const std::optional<QueryOutcome>& Outcome() const { return m_outcome; }
    bool DeltaWarningPosted() const { return m_bDeltaWarning; }

    void ShowStatusText(const QString& text) override;
    void EnableQueryButton(bool enable) override;
    void EnableCorrectButton(bool) override {}
    void TakeFocus() override {}
    // A console run ends with its query, closed or not.
    void PostClose() override {}
    void PostDeltaWarning() override;
    bool StepProgress() override;
    void ClearProgress() override;
    void Post(std::function<void()> task) override;
    void ReportOutcome(const QueryOutcome& outcome) override;

  private:
    QString m_strLastText;
    std::optional<QueryOutcome> m_outcome;
    bool m_bDeltaWarning = false;
    // Stepped and cleared only on this thread, by the handlers the worker posts.
    int m_nProgress = 0;
};
