#include "timesync/ntp_extension_fields.h"

namespace wire {

namespace {
constexpr std::size_t kFieldHeaderSize = 4;

std::size_t Padded(std::size_t size) {
    return (size + 3) & ~std::size_t{3};
}
} // namespace

std::optional<std::vector<ExtensionField>> WalkExtensionFields(std::span<const std::uint8_t> bytes,
                                                               std::size_t start) {
    if (start > bytes.size()) {
        return std::nullopt;
    }
    std::vector<ExtensionField> fields;
    std::size_t offset = start;
    while (offset < bytes.size()) {
        if (bytes.size() - offset < kFieldHeaderSize) {
            return std::nullopt;
        }
        const auto type = static_cast<std::uint16_t>((bytes[offset] << 8) | bytes[offset + 1]);
        const std::size_t length = (std::size_t{bytes[offset + 2]} << 8) | bytes[offset + 3];
        if (length < kFieldHeaderSize || length % 4 != 0 || length > bytes.size() - offset) {
            return std::nullopt;
        }
        fields.push_back(
            {type, bytes.subspan(offset + kFieldHeaderSize, length - kFieldHeaderSize), offset});
        offset += length;
    }
    return fields;
}

void AppendExtensionField(std::vector<std::uint8_t>& packet, std::uint16_t type,
                          std::span<const std::uint8_t> body) {
    const std::size_t length = kFieldHeaderSize + Padded(body.size());
    packet.push_back(static_cast<std::uint8_t>(type >> 8));
    packet.push_back(static_cast<std::uint8_t>(type & 0xFF));
    packet.push_back(static_cast<std::uint8_t>(length >> 8));
    packet.push_back(static_cast<std::uint8_t>(length & 0xFF));
    packet.insert(packet.end(), body.begin(), body.end());
    packet.resize(packet.size() + Padded(body.size()) - body.size(), 0);
}

} // namespace wire
