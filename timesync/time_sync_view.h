#pragma once

#include <QString>

struct QueryOutcome;

// What the time query shows, so that the query code never touches a widget. It only
// displays: the query decides everything and calls these on the GUI thread. The main
// frame, the console run and the tests implement it.
class ITimeSyncView {
  public:
    virtual ~ITimeSyncView() = default;

    // Writes pane 0 of the status bar and repaints it at once.
    virtual void ShowStatusText(const QString& text) = 0;
    virtual void EnableQueryButton(bool enable) = 0;
    virtual void EnableCorrectButton(bool enable) = 0;
    // Gives the keyboard focus back to the window (the 3D view's keys).
    virtual void TakeFocus() = 0;
    // Sets the progress control to a position the query has paced.
    virtual void ShowProgress(int position) = 0;
    // Shows the maximum-delta warning box after the current handler returns.
    virtual void PostDeltaWarning() = 0;
    // Closes the main window through the orderly close, after the current handler returns.
    virtual void PostClose() = 0;
    // The query has ended for good (a silent query that starts over has not): how it
    // ended and what its reply showed. The status text is already written.
    virtual void QueryEnded(const QueryOutcome& outcome) = 0;
};
