#pragma once

#include "fixed_table.h"

#include <string>
#include <vector>

// Every property the compiled-in tables must have; returns one line per failure.
std::vector<std::string> CheckModel(const FixedModel& model);
