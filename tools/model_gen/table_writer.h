#pragma once

#include "fixed_table.h"

#include <ostream>

// Writes the C++ source that holds the tables as constant data.
void WriteTables(std::ostream& out, const FixedModel& model);
