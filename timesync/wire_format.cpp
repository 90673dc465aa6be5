#include "timesync/wire_format.h"

#include "timesync/query_setting_keys.h"

namespace wire {

namespace {
void WriteBigEndian64(SntpPacket& packet, std::size_t offset, std::uint64_t value) {
    for (std::size_t i = 0; i < 8; ++i) {
        packet[offset + i] = static_cast<std::uint8_t>(value >> (56 - 8 * i));
    }
}

NtpTimestamp ReadTimestamp(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return {ReadBigEndian32(bytes, offset), ReadBigEndian32(bytes, offset + 4)};
}
} // namespace

Transport TransportFor(std::string_view protocol, std::string_view socketType) {
    if (protocol == kProtocolTime) {
        const bool stream = socketType == kSocketTcp;
        // Only the exact text "UDP" sends the empty request; any other datagram choice
        // sends nothing and waits.
        const Request request = socketType == kSocketUdp ? Request::EmptyDatagram : Request::None;
        return {Protocol::Time, stream ? SocketKind::Stream : SocketKind::Datagram, kTimePort,
                request, kTimeReplySize};
    }
    if (protocol == kProtocolNts) {
        return {Protocol::Nts, SocketKind::Datagram, kNtsKePort, Request::NtsPacket,
                kSntpPacketSize};
    }
    return {Protocol::Sntp, SocketKind::Datagram, kSntpPort, Request::SntpPacket, kSntpPacketSize};
}

SntpPacket BuildSntpRequest(std::uint64_t transmitNonce) {
    SntpPacket packet{};
    packet[kOffsetHeader] = kSntpRequestHeader;
    WriteBigEndian64(packet, kOffsetTransmit, transmitNonce);
    return packet;
}

std::uint32_t ReadBigEndian32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return (std::uint32_t{bytes[offset]} << 24) | (std::uint32_t{bytes[offset + 1]} << 16) |
           (std::uint32_t{bytes[offset + 2]} << 8) | std::uint32_t{bytes[offset + 3]};
}

std::uint64_t ReadBigEndian64(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return (std::uint64_t{ReadBigEndian32(bytes, offset)} << 32) |
           ReadBigEndian32(bytes, offset + 4);
}

SntpReply DecodeSntpReply(std::span<const std::uint8_t> bytes) {
    SntpReply reply;
    const std::uint8_t header = bytes[kOffsetHeader];
    reply.leap = static_cast<std::uint8_t>(header >> 6);
    reply.version = static_cast<std::uint8_t>((header >> 3) & 0x07);
    reply.mode = static_cast<std::uint8_t>(header & 0x07);
    reply.stratum = bytes[kOffsetStratum];
    reply.precision = static_cast<std::int8_t>(bytes[kOffsetPrecision]);
    reply.rootDelay = static_cast<std::int32_t>(ReadBigEndian32(bytes, kOffsetRootDelay)) / 65536.0;
    reply.rootDispersion = ReadBigEndian32(bytes, kOffsetRootDispersion) / 65536.0;
    reply.originate = ReadBigEndian64(bytes, kOffsetOriginate);
    reply.receive = ReadTimestamp(bytes, kOffsetReceive);
    reply.transmit = ReadTimestamp(bytes, kOffsetTransmit);
    return reply;
}

std::uint32_t DecodeTimeReply(std::span<const std::uint8_t> bytes) {
    return ReadBigEndian32(bytes, 0);
}

} // namespace wire
