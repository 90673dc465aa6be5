#include "timesync/time_query.h"

#include "app/program_globals.h"
#include "timesync/time_sync_view.h"

void OnQueryTimebase(ITimeSyncView& view) {
    view.TakeFocus();
}

void OnCorrectClock(ITimeSyncView& view) {
    view.EnableCorrectButton(false);
    g_bCorrectClock = 1;
    OnQueryTimebase(view);
}

void OnTrayCorrectClock(ITimeSyncView& view) {
    OnCorrectClock(view);
}

void OnReset(ITimeSyncView&) {}
