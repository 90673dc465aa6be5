#include "timesync/watchdog_handlers.h"

#include "timesync/time_query.h"
#include "timesync/time_sync_view.h"

void OnWatchdogStep(ITimeSyncView& view) {
    if (view.StepProgress()) {
        // The status text stays; a correcting query stays a correcting one.
        ResetQuery(view, QString());
        OnQueryTimebase(view);
    }
}

void OnWatchdogClear(ITimeSyncView& view) {
    view.ClearProgress();
}
