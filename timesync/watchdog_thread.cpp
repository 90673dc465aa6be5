#include "timesync/watchdog_thread.h"

#include "app/program_globals.h"

std::unique_ptr<std::thread> g_pWatchdogThread;

void StopWatchdogThread() {
    g_bStopWatchdog = 1;
    // The stop flag alone does not wake a waiting worker; the events do.
    g_hEvents[kEventQueryPending].Set();
    g_hEvents[kEventTimerTick].Set();
    if (g_pWatchdogThread && g_pWatchdogThread->joinable()) {
        g_pWatchdogThread->join();
    }
    g_pWatchdogThread.reset();
}
