#include "cli/console_view.h"

#include "app/program_globals.h"
#include "timesync/progress_pacing.h"

void CConsoleView::ShowStatusText(const QString& text) {
    m_strLastText = text;
}

void CConsoleView::EnableQueryButton(bool enable) {
    if (!enable) {
        return;
    }
    // A query gives the buttons back as it ends; a time-out starts the next attempt in the
    // same handler, so whether it ended for good is known once the handler has returned.
    Post([this] {
        if (!g_hEvents[kEventQueryPending].IsSet() && onQueryEnded) {
            onQueryEnded();
        }
    });
}

void CConsoleView::PostDeltaWarning() {
    m_bDeltaWarning = true;
}

bool CConsoleView::StepProgress() {
    const pacing::ProgressStep step = pacing::StepProgress(
        m_nProgress, pacing::kProgressMinimum, pacing::kProgressMaximum, pacing::kProgressStep);
    m_nProgress = step.position;
    return step.timedOut;
}

void CConsoleView::ClearProgress() {
    m_nProgress = pacing::kProgressMinimum;
}

void CConsoleView::Post(std::function<void()> task) {
    // Queued on this object: dropped once the run is over and the view gone.
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void CConsoleView::ReportOutcome(const QueryOutcome& outcome) {
    m_outcome = outcome;
}
