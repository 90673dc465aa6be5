#pragma once

// The offset of a result said in words, for the tooltip and the maximum delta warning:
// "Your clock is 1 hour behind the Timebase", in the user's language (Translated()).
#include <string>

namespace direction {

// The size of an offset: "0.250 seconds" below a minute, else its largest whole unit and
// the next one down when that is not zero ("1 hour 30 minutes"); smaller parts are dropped.
std::string AmountText(double seconds);

// `offset` is theta: positive when the Timebase is ahead, so the user's clock is behind.
// Below half a millisecond the clocks match.
std::string DirectionText(double offset);

// The maximum delta warning: its title line, the amount and direction, and what may cause
// an offset this large on this system.
std::string MaxDeltaWarningText(double offset);

} // namespace direction
