#include "platform/arrival_time.h"

#include <chrono>

#ifdef __linux__
#include <cstring>
#include <ctime>
#include <linux/errqueue.h>
#include <linux/net_tstamp.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace platform {

#ifdef __linux__

bool EnableArrivalStamps(std::intptr_t socketDescriptor) {
    const int on = 1;
    return setsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_TIMESTAMPNS, &on,
                      sizeof on) == 0;
}

std::optional<std::int64_t> PeekArrivalNs(std::intptr_t socketDescriptor) {
    char byte = 0;
    iovec data{&byte, sizeof byte};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))] = {};
    msghdr message{};
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    if (recvmsg(static_cast<int>(socketDescriptor), &message, MSG_PEEK | MSG_DONTWAIT) < 0) {
        return std::nullopt;
    }
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
         header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level == SOL_SOCKET && header->cmsg_type == SCM_TIMESTAMPNS) {
            timespec stamp{};
            std::memcpy(&stamp, CMSG_DATA(header), sizeof stamp);
            return std::int64_t{stamp.tv_sec} * 1000000000 + stamp.tv_nsec;
        }
    }
    return std::nullopt;
}

bool EnableSendStamps(std::intptr_t socketDescriptor) {
    const int flags =
        SOF_TIMESTAMPING_TX_SOFTWARE | SOF_TIMESTAMPING_SOFTWARE | SOF_TIMESTAMPING_OPT_TSONLY;
    return setsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_TIMESTAMPING, &flags,
                      sizeof flags) == 0;
}

std::optional<std::int64_t> TakeSendStampNs(std::intptr_t socketDescriptor) {
    std::optional<std::int64_t> last;
    for (;;) {
        char byte = 0;
        iovec data{&byte, sizeof byte};
        alignas(cmsghdr) char control[256] = {};
        msghdr message{};
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        if (recvmsg(static_cast<int>(socketDescriptor), &message, MSG_ERRQUEUE | MSG_DONTWAIT) <
            0) {
            return last;
        }
        for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
             header = CMSG_NXTHDR(&message, header)) {
            if (header->cmsg_level == SOL_SOCKET && header->cmsg_type == SCM_TIMESTAMPING) {
                scm_timestamping stamps{};
                std::memcpy(&stamps, CMSG_DATA(header), sizeof stamps);
                const timespec& software = stamps.ts[0];
                if (software.tv_sec != 0 || software.tv_nsec != 0) {
                    last = std::int64_t{software.tv_sec} * 1000000000 + software.tv_nsec;
                }
            }
        }
    }
}

std::int64_t KernelClockNs() {
    // The system call itself, not the C library's clock_gettime, which a preloaded
    // time-faking library replaces.
    timespec now{};
    syscall(SYS_clock_gettime, CLOCK_REALTIME, &now);
    return std::int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

#else

bool EnableArrivalStamps(std::intptr_t) {
    return false;
}

std::optional<std::int64_t> PeekArrivalNs(std::intptr_t) {
    return std::nullopt;
}

bool EnableSendStamps(std::intptr_t) {
    return false;
}

std::optional<std::int64_t> TakeSendStampNs(std::intptr_t) {
    return std::nullopt;
}

std::int64_t KernelClockNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

#endif

} // namespace platform
