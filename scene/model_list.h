#pragma once

// Number of parts of the backdrop model; each is compiled into its own display list.
inline constexpr int kModelPartCount = 10;

// Compiles model part `part` (0..9) into the display list `listName`.
// Needs a current OpenGL context.
void BuildModelList(unsigned int listName, int part);
