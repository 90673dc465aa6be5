#pragma once

// The questions the window asks before it sets the clock.
#include "history/system_time_state.h"

#include <QString>

// "A time service keeps this clock synchronized (estimated error ± 2 ms). Set it to the
// Timebase's time anyway?"
QString ServiceQuestionText(const history::SystemTimeState& state);
// "Set the clock back by 1 hour 0 minutes 2 seconds to the Timebase's time?" for an offset
// (positive when the Timebase is ahead), in whole seconds.
QString LargeStepQuestionText(double offsetSeconds);
