#pragma once

#include <ctime>
#include <string>

// The clock text for an instant, in local time (for example "14:05:09").
std::string FormatClockText(std::time_t instant);
