#pragma once

// A window for the time query without widgets: it records what the query shows and
// keeps a progress position with the frame's stepping rule.
#include "timesync/progress_pacing.h"
#include "timesync/time_sync_view.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <atomic>

class RecordingView : public QObject, public ITimeSyncView {
  public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 100;

    QStringList texts;
    bool queryEnabled = true;
    bool correctEnabled = true;
    int focusTaken = 0;
    int closesRun = 0;
    int warningsRun = 0;
    // The status text at the moment each posted warning ran.
    QStringList textUnderWarning;
    // Posted by the worker, hence atomic.
    std::atomic<int> progress{kMinimum};
    std::atomic<int> steps{0};
    std::atomic<int> clears{0};
    // A larger step shortens the time-out cycle for long runs.
    int progressStep = 5;

    QString LastText() const { return texts.isEmpty() ? QString() : texts.last(); }
    bool ButtonsEnabled() const { return queryEnabled && correctEnabled; }
    bool ButtonsDisabled() const { return !queryEnabled && !correctEnabled; }

    void ShowStatusText(const QString& text) override { texts << text; }
    void EnableQueryButton(bool enable) override { queryEnabled = enable; }
    void EnableCorrectButton(bool enable) override { correctEnabled = enable; }
    void TakeFocus() override { ++focusTaken; }
    void PostClose() override {
        Post([this] { ++closesRun; });
    }
    void PostDeltaWarning() override {
        Post([this] {
            ++warningsRun;
            textUnderWarning << LastText();
        });
    }
    bool StepProgress() override {
        const pacing::ProgressStep step =
            pacing::StepProgress(progress, kMinimum, kMaximum, progressStep);
        progress = step.position;
        ++steps;
        return step.timedOut;
    }
    void ClearProgress() override {
        progress = kMinimum;
        ++clears;
    }
    void Post(std::function<void()> task) override {
        QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
    }
};
