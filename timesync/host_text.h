#pragma once

// The forms people type for a Timebase: a name or address, "[::1]", "[::1]:123" and
// "host:123". A bare IPv6 address has colons of its own and no port.
#include <cstdint>
#include <string>
#include <string_view>

struct HostAndPort {
    std::string host;
    // 0: none given, or not a port (1 to 65535); the text is then the host as it stands.
    std::uint16_t port = 0;
};

HostAndPort SplitHostAndPort(std::string_view text);
