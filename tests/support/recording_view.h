#pragma once

// A view of the time query without widgets: it records what the query shows.
#include "timesync/query_outcome.h"
#include "timesync/time_sync_view.h"

#include <QStringList>
#include <vector>

class RecordingView : public ITimeSyncView {
  public:
    QStringList texts;
    bool queryEnabled = true;
    bool correctEnabled = true;
    std::vector<int> progress;
    // The status text at each warning and each close request.
    QStringList warnings;
    QStringList closes;
    std::vector<QueryOutcome> ended;

    QString LastText() const { return texts.isEmpty() ? QString() : texts.last(); }
    bool ButtonsEnabled() const { return queryEnabled && correctEnabled; }
    bool ButtonsDisabled() const { return !queryEnabled && !correctEnabled; }

    void ShowStatusText(const QString& text) override { texts << text; }
    void EnableQueryButton(bool enable) override { queryEnabled = enable; }
    void EnableCorrectButton(bool enable) override { correctEnabled = enable; }
    void TakeFocus() override {}
    void ShowProgress(int position) override { progress.push_back(position); }
    void PostDeltaWarning() override { warnings << LastText(); }
    void PostClose() override { closes << LastText(); }
    void QueryEnded(const QueryOutcome& outcome) override { ended.push_back(outcome); }
};
