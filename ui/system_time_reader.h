#pragma once

// Reads what the system says about its own time keeping (the kernel's clock state and
// timedated's view) away from the window's thread: asking timedated may take a second.
#include "history/system_time_state.h"

#include <QObject>
#include <functional>

// Hands the state to done on the receiver's thread, unless the receiver is gone by then.
void ReadSystemTimeLater(QObject* receiver, std::function<void(history::SystemTimeState)> done);
