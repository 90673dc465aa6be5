#pragma once

// What crosses the wire: the transport of each protocol, the SNTP request and the
// fields of the replies. All multi-byte fields are big-endian.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace wire {

inline constexpr std::uint16_t kTimePort = 37;
inline constexpr std::uint16_t kSntpPort = 123;
inline constexpr std::uint16_t kNtsKePort = 4460;
inline constexpr std::size_t kTimeReplySize = 4;
inline constexpr std::size_t kSntpPacketSize = 48;

// First byte of the request: leap indicator 0, version 1, mode 3 (client).
inline constexpr std::uint8_t kSntpRequestHeader = 0x0B;
inline constexpr std::uint8_t kModeServer = 4;
inline constexpr std::uint8_t kLeapNotSynchronised = 3;

inline constexpr std::size_t kOffsetHeader = 0;
inline constexpr std::size_t kOffsetStratum = 1;
inline constexpr std::size_t kOffsetPrecision = 3;
inline constexpr std::size_t kOffsetRootDelay = 4;
inline constexpr std::size_t kOffsetRootDispersion = 8;
inline constexpr std::size_t kOffsetOriginate = 24;
inline constexpr std::size_t kOffsetReceive = 32;
inline constexpr std::size_t kOffsetTransmit = 40;

enum class Protocol { Time, Sntp, Nts };
enum class SocketKind { Stream, Datagram };
enum class Request { None, EmptyDatagram, SntpPacket, NtsPacket };

struct Transport {
    Protocol protocol;
    SocketKind socket;
    std::uint16_t port;
    Request request;
    std::size_t replySize;

    bool operator==(const Transport&) const = default;
};

// The transport for the two settings, compared exactly. A protocol other than "Time" or
// "NTS" gets SNTP, the protocol the menus show as chosen for such a setting. NTS ignores
// the socket type; its port is the key exchange server's.
Transport TransportFor(std::string_view protocol, std::string_view socketType);

using SntpPacket = std::array<std::uint8_t, kSntpPacketSize>;

// The request: the header byte, zeros, and the nonce as Transmit Timestamp. A server
// copies it into the reply's Originate Timestamp, which ties the reply to this request.
SntpPacket BuildSntpRequest(std::uint64_t transmitNonce);

struct NtpTimestamp {
    std::uint32_t seconds = 0;
    std::uint32_t fraction = 0;
    bool IsZero() const { return seconds == 0 && fraction == 0; }
};

struct SntpReply {
    std::uint8_t leap = 0;
    std::uint8_t version = 0;
    std::uint8_t mode = 0;
    std::uint8_t stratum = 0;
    // The server clock's precision as a power of two, in seconds.
    std::int8_t precision = 0;
    // Seconds, from the 16.16 fixed-point fields.
    double rootDelay = 0.0;
    double rootDispersion = 0.0;
    std::uint64_t originate = 0;
    NtpTimestamp receive;
    NtpTimestamp transmit;
};

std::uint32_t ReadBigEndian32(std::span<const std::uint8_t> bytes, std::size_t offset);
std::uint64_t ReadBigEndian64(std::span<const std::uint8_t> bytes, std::size_t offset);

// Both expect at least the reply's size; the caller checks the length first.
SntpReply DecodeSntpReply(std::span<const std::uint8_t> bytes);
std::uint32_t DecodeTimeReply(std::span<const std::uint8_t> bytes);

} // namespace wire
