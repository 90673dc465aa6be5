#pragma once

namespace platform {

// True when the system lets this process create a UDP socket at all.
bool CanCreateUdpSocket();

} // namespace platform
