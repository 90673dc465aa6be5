#pragma once

// When a datagram arrived and when one left, by the kernel's own clock, so that the time
// between that moment and the program's own clock reading can be taken off the reading.
// Only differences of these values are meaningful: the process's clock functions may be
// shifted (a debugger or a time-faking library), the kernel's stamps are not.
#include <cstdint>
#include <optional>

namespace platform {

// Asks the kernel to stamp every datagram of the socket on arrival. False where the
// system cannot.
bool EnableArrivalStamps(std::intptr_t socketDescriptor);

// The arrival stamp of the datagram at the head of the socket's queue, in nanoseconds
// on the kernel's real-time clock, without taking the datagram out.
std::optional<std::int64_t> PeekArrivalNs(std::intptr_t socketDescriptor);

// Asks the kernel to stamp every datagram the socket sends as it leaves. False where the
// system cannot.
bool EnableSendStamps(std::intptr_t socketDescriptor);

// Takes every send stamp waiting on the socket and returns the last one, in nanoseconds
// on the kernel's real-time clock. Also called before reading, so that a late stamp
// never leaves the socket reporting an error condition.
std::optional<std::int64_t> TakeSendStampNs(std::intptr_t socketDescriptor);

// The kernel's real-time clock now, on the scale of the arrival stamps, read past any
// library that shifts the process's clock functions.
std::int64_t KernelClockNs();

} // namespace platform
