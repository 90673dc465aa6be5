#pragma once

#include <QString>
#include <functional>

struct QueryOutcome;

// What the time query needs of the window, so that the query code never touches
// a widget. The main frame implements it; tests implement it too.
class ITimeSyncView {
  public:
    virtual ~ITimeSyncView() = default;

    // Writes pane 0 of the status bar and repaints it at once.
    virtual void ShowStatusText(const QString& text) = 0;
    virtual void EnableQueryButton(bool enable) = 0;
    virtual void EnableCorrectButton(bool enable) = 0;
    // Gives the keyboard focus back to the window (the 3D view's keys).
    virtual void TakeFocus() = 0;
    // Closes the main window through the orderly close, after the current handler returns.
    virtual void PostClose() = 0;
    // Shows the maximum-delta warning box after the current handler returns.
    virtual void PostDeltaWarning() = 0;
    // Steps the progress control by its step, starting over past its maximum. Returns
    // true when the bar was already full before this step: the query has timed out.
    virtual bool StepProgress() = 0;
    // Sets the progress control back to its minimum.
    virtual void ClearProgress() = 0;
    // Runs the task on the window's thread once the current handler has returned. May be
    // called from any thread; tasks still waiting when the window goes are dropped.
    virtual void Post(std::function<void()> task) = 0;
    // Hears what the evaluation of a reply found, just before the query ends. The window
    // shows the status text only; a console run reports the figures too.
    virtual void ReportOutcome(const QueryOutcome&) {}
};
