#pragma once

// The NTS-protected NTP exchange: the request with its Unique Identifier, cookie,
// placeholders and authenticator, and the checks of the reply. AES-SIV-CMAC-256 comes
// from GnuTLS.
#include "timesync/nts_ke_records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace nts {

inline constexpr std::size_t kKeySize = 32;
inline constexpr std::size_t kUniqueIdSize = 32;
inline constexpr std::size_t kAeadNonceSize = 16;
inline constexpr std::size_t kTagSize = 16;

using Key = std::array<std::uint8_t, kKeySize>;
using UniqueId = std::array<std::uint8_t, kUniqueIdSize>;
using AeadNonce = std::array<std::uint8_t, kAeadNonceSize>;
using Cookie = std::vector<std::uint8_t>;

struct Keys {
    Key c2s{};
    Key s2c{};
};

// NTPv4 client header with the nonce as Transmit Timestamp, then the Unique Identifier,
// the cookie, `placeholders` placeholders of the cookie's size and the authenticator.
// Empty when the cookie is empty or too large, or the cipher refuses.
std::vector<std::uint8_t> BuildRequest(std::uint64_t transmitNonce, const UniqueId& uniqueId,
                                       const Cookie& cookie, std::size_t placeholders,
                                       const Key& c2s, const AeadNonce& aeadNonce);

struct ReplyCheck {
    enum class Verdict {
        // Not an answer to this request (no or another Unique Identifier).
        Drop,
        // The server could not use our cookie (kiss code "NTSN"): a new key exchange.
        NtsNak,
        // Ours, but the authenticator is missing, malformed or does not verify.
        Unauthenticated,
        Authentic,
    };
    Verdict verdict = Verdict::Drop;
    // New cookies from the encrypted part of an authentic reply.
    std::vector<Cookie> cookies;
};

ReplyCheck CheckReply(std::span<const std::uint8_t> reply, const UniqueId& uniqueId,
                      const Key& s2c);

// Fresh random values from GnuTLS.
UniqueId NewUniqueId();
AeadNonce NewAeadNonce();

} // namespace nts
