#pragma once

// The records of the NTS key exchange, carried over TLS: each a 16-bit type (top bit:
// critical) and a 16-bit body length, big-endian, then the body.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace nts {

inline constexpr const char* kAlpn = "ntske/1";
inline constexpr std::uint16_t kProtocolNtpv4 = 0x0000;
inline constexpr std::uint16_t kAeadAesSivCmac256 = 0x000F;
inline constexpr std::uint16_t kCriticalBit = 0x8000;

enum class KeRecord : std::uint16_t {
    EndOfMessage = 0,
    NextProtocol = 1,
    Error = 2,
    Warning = 3,
    AeadAlgorithm = 4,
    NewCookie = 5,
    NtpServer = 6,
    NtpPort = 7,
};

// A server that sends more than this is not a key exchange server.
inline constexpr std::size_t kMaxKeResponseSize = 65536;
// What a key exchange may leave in the cookie jar: the jar file must stay far below its
// read limit, whatever the server sends. Cookies past the eighth are ignored; a longer
// cookie or server name refuses the exchange.
inline constexpr std::size_t kMaxCookies = 8;
inline constexpr std::size_t kMaxCookieSize = 1024;
inline constexpr std::size_t kMaxNtpServerSize = 255;

// Next Protocol NTPv4, AEAD_AES_SIV_CMAC_256, End of Message; all critical.
std::vector<std::uint8_t> BuildKeRequest();

enum class KeStatus {
    Complete,
    // No End of Message yet, and nothing wrong so far: read on.
    Incomplete,
    // A record that overruns the message, a bad body length, a cookie or server name over
    // its limit, or too much data.
    Malformed,
    // The server sent an Error record.
    ServerError,
    UnknownCritical,
    // The server chose another protocol or algorithm than the ones asked for.
    Unsupported,
    NoCookies,
};

struct KeResponse {
    KeStatus status = KeStatus::Incomplete;
    std::vector<std::vector<std::uint8_t>> cookies;
    // Empty, or the NTP server the key exchange server named.
    std::string server;
    // Zero, or the NTP port it named.
    std::uint16_t port = 0;
};

// Reads the records received so far; never reads past the buffer.
KeResponse ParseKeResponse(std::span<const std::uint8_t> bytes);

} // namespace nts
