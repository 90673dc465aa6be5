#pragma once

// Starts or stops one of the sandbox's real servers (chronyd, inetd).
#include <cstdlib>
#include <string>

inline bool Servers(const char* action, const char* name) {
    const char* source = std::getenv("HOROLUX_SOURCE_DIR");
    const std::string command = std::string(source != nullptr ? source : "") +
                                "/tests/support/servers " + action + " " + name + " >&2";
    return source != nullptr && std::system(command.c_str()) == 0;
}
