#pragma once

// The settings at start-up: all five exist in the file afterwards, and the program-wide
// variables hold them.
namespace settings {

// Reads each setting with its default and writes it straight back.
void EnsureAllExist();

void LoadIntoGlobals();

} // namespace settings
