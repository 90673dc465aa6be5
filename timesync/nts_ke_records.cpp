#include "timesync/nts_ke_records.h"

namespace nts {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void PutRecord(std::vector<std::uint8_t>& out, KeRecord type, std::span<const std::uint16_t> body) {
    Put16(out, static_cast<std::uint16_t>(kCriticalBit | static_cast<std::uint16_t>(type)));
    Put16(out, static_cast<std::uint16_t>(body.size() * 2));
    for (const std::uint16_t value : body) {
        Put16(out, value);
    }
}

std::uint16_t Get16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>((bytes[offset] << 8) | bytes[offset + 1]);
}

// A body of 16-bit values holding the one asked for: one value, as only one was offered.
bool IsSingle(std::span<const std::uint8_t> body, std::uint16_t wanted) {
    return body.size() == 2 && Get16(body, 0) == wanted;
}

} // namespace

std::vector<std::uint8_t> BuildKeRequest() {
    std::vector<std::uint8_t> out;
    const std::uint16_t protocol[] = {kProtocolNtpv4};
    const std::uint16_t aead[] = {kAeadAesSivCmac256};
    PutRecord(out, KeRecord::NextProtocol, protocol);
    PutRecord(out, KeRecord::AeadAlgorithm, aead);
    PutRecord(out, KeRecord::EndOfMessage, {});
    return out;
}

KeResponse ParseKeResponse(std::span<const std::uint8_t> bytes) {
    KeResponse response;
    if (bytes.size() > kMaxKeResponseSize) {
        response.status = KeStatus::Malformed;
        return response;
    }
    bool protocolAgreed = false;
    bool aeadAgreed = false;
    std::size_t offset = 0;
    while (bytes.size() - offset >= 4) {
        const std::uint16_t rawType = Get16(bytes, offset);
        const std::size_t length = Get16(bytes, offset + 2);
        if (length > bytes.size() - offset - 4) {
            // The rest of the record has not come yet.
            return response;
        }
        const std::span<const std::uint8_t> body = bytes.subspan(offset + 4, length);
        offset += 4 + length;
        const bool critical = (rawType & kCriticalBit) != 0;
        switch (static_cast<KeRecord>(rawType & ~kCriticalBit)) {
        case KeRecord::EndOfMessage:
            if (length != 0) {
                response.status = KeStatus::Malformed;
            } else if (!protocolAgreed || !aeadAgreed) {
                response.status = KeStatus::Unsupported;
            } else if (response.cookies.empty()) {
                response.status = KeStatus::NoCookies;
            } else {
                response.status = KeStatus::Complete;
            }
            return response;
        case KeRecord::NextProtocol:
            if (!IsSingle(body, kProtocolNtpv4)) {
                response.status = KeStatus::Unsupported;
                return response;
            }
            protocolAgreed = true;
            break;
        case KeRecord::Error:
            response.status = KeStatus::ServerError;
            return response;
        case KeRecord::Warning:
            break;
        case KeRecord::AeadAlgorithm:
            if (!IsSingle(body, kAeadAesSivCmac256)) {
                response.status = KeStatus::Unsupported;
                return response;
            }
            aeadAgreed = true;
            break;
        case KeRecord::NewCookie:
            if (body.empty() || body.size() > kMaxCookieSize) {
                response.status = KeStatus::Malformed;
                return response;
            }
            if (response.cookies.size() < kMaxCookies) {
                response.cookies.emplace_back(body.begin(), body.end());
            }
            break;
        case KeRecord::NtpServer:
            if (body.empty() || body.size() > kMaxNtpServerSize) {
                response.status = KeStatus::Malformed;
                return response;
            }
            response.server.assign(body.begin(), body.end());
            break;
        case KeRecord::NtpPort:
            if (body.size() != 2) {
                response.status = KeStatus::Malformed;
                return response;
            }
            response.port = Get16(body, 0);
            break;
        default:
            if (critical) {
                response.status = KeStatus::UnknownCritical;
                return response;
            }
            break;
        }
    }
    return response;
}

} // namespace nts
