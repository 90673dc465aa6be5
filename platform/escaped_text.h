#pragma once

#include <string>
#include <string_view>

// Text taken from the command line, the settings or a server, made safe to print on a
// terminal: each byte below 0x20 and 0x7F is written as \xNN (ESC as \x1B), so that an
// echoed name can neither move the cursor nor retitle the window. Other bytes, UTF-8
// included, stay as they are.
std::string EscapeControlBytes(std::string_view text);
