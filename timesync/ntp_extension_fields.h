#pragma once

// NTP extension fields after the 48-byte header: a 16-bit type, a 16-bit length that
// counts the 4-byte header, the body, and zero padding to a multiple of 4.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace wire {

inline constexpr std::uint16_t kFieldUniqueIdentifier = 0x0104;
inline constexpr std::uint16_t kFieldNtsCookie = 0x0204;
inline constexpr std::uint16_t kFieldNtsCookiePlaceholder = 0x0304;
inline constexpr std::uint16_t kFieldNtsAuthenticator = 0x0404;

struct ExtensionField {
    std::uint16_t type = 0;
    // The body with its padding.
    std::span<const std::uint8_t> body;
    // Where the field starts in the walked buffer.
    std::size_t offset = 0;
};

// The fields from `start` to the end; empty when a length is below 4, not a multiple of 4
// or runs past the buffer, or bytes are left over.
std::optional<std::vector<ExtensionField>> WalkExtensionFields(std::span<const std::uint8_t> bytes,
                                                               std::size_t start);

// Appends a field with the body padded with zeros to a multiple of 4.
void AppendExtensionField(std::vector<std::uint8_t>& packet, std::uint16_t type,
                          std::span<const std::uint8_t> body);

} // namespace wire
