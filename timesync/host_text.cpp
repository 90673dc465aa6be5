#include "timesync/host_text.h"

#include <charconv>

namespace {

std::uint16_t PortOf(std::string_view digits) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    const bool whole = error == std::errc() && end == digits.data() + digits.size();
    return whole && value >= 1 && value <= 65535 ? static_cast<std::uint16_t>(value) : 0;
}

} // namespace

HostAndPort SplitHostAndPort(std::string_view text) {
    const HostAndPort asItStands{std::string(text), 0};
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) {
            return asItStands;
        }
        const std::string host(text.substr(1, close - 1));
        const std::string_view rest = text.substr(close + 1);
        if (rest.empty()) {
            return {host, 0};
        }
        const std::uint16_t port = rest.starts_with(':') ? PortOf(rest.substr(1)) : 0;
        return port != 0 ? HostAndPort{host, port} : asItStands;
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || text.find(':', colon + 1) != std::string_view::npos) {
        return asItStands;
    }
    const std::uint16_t port = PortOf(text.substr(colon + 1));
    return port != 0 ? HostAndPort{std::string(text.substr(0, colon)), port} : asItStands;
}
