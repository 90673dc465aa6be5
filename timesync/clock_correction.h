#pragma once

// The one place the clock is set: from a measurement, whoever started the correction.
#include "timesync/measurement.h"
#include "timesync/reply_evaluation.h"
#include "timesync/time_sync_hooks.h"

#include <string>

// Sets the clock to the measured Timebase time, carried forward by the time since it was
// measured. Returns an empty text, or the system's reason for refusing.
std::string SetClockFrom(const Measurement& measurement, const TimeSyncHooks& hooks);

// An answered decision as a correcting query ends with it: the clock set, or the refusal.
// A decision without a measurement comes back as it was.
ReplyDecision Corrected(ReplyDecision decision, const TimeSyncHooks& hooks);
