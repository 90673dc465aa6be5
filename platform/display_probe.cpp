#include "platform/display_probe.h"

#include <charconv>
#include <string>

#ifndef _WIN32
#include <cerrno>
#include <cstddef>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

#ifndef _WIN32
// A connection attempt that never waits: a listener with a full backlog counts as there.
bool Listening(const std::string& path, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.empty() || path.size() + offset >= sizeof address.sun_path) {
        return false;
    }
    path.copy(address.sun_path + offset, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                               path.size() + (abstract ? 0 : 1));
    const bool listening =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 ||
        errno == EAGAIN || errno == EINPROGRESS;
    ::close(fd);
    return listening;
}
#endif

} // namespace

std::optional<int> LocalX11DisplayNumber(std::string_view name) {
    const std::size_t colon = name.rfind(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view host = name.substr(0, colon);
    if (!host.empty() && host != "unix") {
        return std::nullopt;
    }
    const std::string_view rest = name.substr(colon + 1);
    int number = -1;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
    const bool screenOrNothing = end == rest.data() + rest.size() || *end == '.';
    if (error != std::errc() || number < 0 || !screenOrNothing) {
        return std::nullopt;
    }
    return number;
}

bool X11DisplayReachable(std::string_view name) {
#ifdef _WIN32
    return !name.empty();
#else
    if (name.empty()) {
        return false;
    }
    const std::optional<int> number = LocalX11DisplayNumber(name);
    if (!number) {
        // Another host, or a form the GUI library knows better; let it try.
        return true;
    }
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(*number);
    return Listening(path, false) || Listening(path, true);
#endif
}

bool WaylandDisplayReachable(std::string_view name, std::string_view runtimeDir) {
#ifdef _WIN32
    (void)runtimeDir;
    return !name.empty();
#else
    if (name.empty()) {
        return false;
    }
    if (name.front() == '/') {
        return Listening(std::string(name), false);
    }
    if (runtimeDir.empty()) {
        return false;
    }
    return Listening(std::string(runtimeDir) + "/" + std::string(name), false);
#endif
}

} // namespace platform
