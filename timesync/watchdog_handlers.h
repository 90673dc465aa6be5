#pragma once

class ITimeSyncView;

// What the worker asks of the window, run on the window's thread.

// Steps the progress control; the step that finds it full restarts the query.
void OnWatchdogStep(ITimeSyncView& view);
// Puts the progress control back to its start while no query is pending.
void OnWatchdogClear(ITimeSyncView& view);
