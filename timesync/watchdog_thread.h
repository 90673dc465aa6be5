#pragma once

#include <memory>
#include <thread>

// The worker that paces a waiting query. Owned by the GUI thread.
extern std::unique_ptr<std::thread> g_pWatchdogThread;

// Asks the worker to stop, wakes it and waits for it to end. Never kills it.
void StopWatchdogThread();
