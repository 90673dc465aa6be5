#pragma once

// What a key exchange's certificate was checked against, as the cookie jar records it:
// "system" for the system's trust store, else "sha256:" and the digest of the CA bytes
// handed to TLS. Cookies won under one anchor are never spent under another.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace nts {

inline constexpr const char* kSystemTrustAnchor = "system";

// The anchor of these CA bytes; empty bytes mean the system's trust store.
std::string TrustAnchorOf(std::span<const std::uint8_t> caPem);

// The anchor of a CA file by its content (an empty path: the system's store); empty when
// the file cannot be read, and such an anchor matches no jar.
std::string TrustAnchorOfFile(const std::string& caFile);

// No CA bundle comes near this; a file this large is not read.
inline constexpr long kMaxCaFileBytes = 1 << 20;

// The content of a CA file: a regular, non-empty file under kMaxCaFileBytes, read whole
// without ever blocking (a FIFO or a device is refused). Empty when it cannot be read so.
std::optional<std::string> ReadCaFile(const std::string& caFile);
// The content of an opened CA file, read to its end; empty when it cannot be read, is
// empty or reaches kMaxCaFileBytes (also a file that grew after it was checked).
std::optional<std::string> ReadOpenedCaFile(int fd);

} // namespace nts
