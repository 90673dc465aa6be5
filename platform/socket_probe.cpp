#include "platform/socket_probe.h"

#ifdef _WIN32
#error "socket_probe.cpp is POSIX only: Windows sockets need WSAStartup and closesocket"
#endif

#include <sys/socket.h>
#include <unistd.h>

namespace platform {

bool CanCreateUdpSocket() {
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) {
        fd = ::socket(AF_INET6, SOCK_DGRAM, 0);
    }
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

} // namespace platform
