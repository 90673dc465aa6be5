#pragma once

// The window of a console run: no widgets. It keeps the last status text (the line a run
// prints), how the query ended, and whether a delta warning was posted.
#include "timesync/query_outcome.h"
#include "timesync/time_sync_view.h"

#include <QString>
#include <functional>
#include <optional>

class CConsoleView : public ITimeSyncView {
  public:
    // Called once the query has ended for good (not restarted).
    std::function<void()> onQueryEnded;

    const QString& LastText() const { return m_strLastText; }
    const std::optional<QueryOutcome>& Outcome() const { return m_outcome; }
    bool DeltaWarningPosted() const { return m_bDeltaWarning; }

    void ShowStatusText(const QString& text) override { m_strLastText = text; }
    void EnableQueryButton(bool) override {}
    void EnableCorrectButton(bool) override {}
    void TakeFocus() override {}
    void ShowProgress(int) override {}
    void PostDeltaWarning() override { m_bDeltaWarning = true; }
    // A console run ends with its query, closed or not.
    void PostClose() override {}
    void QueryEnded(const QueryOutcome& outcome) override;

  private:
    QString m_strLastText;
    std::optional<QueryOutcome> m_outcome;
    bool m_bDeltaWarning = false;
};
