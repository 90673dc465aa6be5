// A preload library for the test sandbox: records each clock_settime call, with the
// kernel's true time at the call, into $HOROLUX_CLOCK_RECORD and reports success. It
// never calls the kernel's clock setter, and it refuses to load outside a user
// namespace, so that it can only ever stand in for a clock the sandbox protects.
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

static int InsideUserNamespace(void) {
    char map[256] = {0};
    const int fd = open("/proc/self/uid_map", O_RDONLY);
    if (fd < 0) {
        return 0;
    }
    const ssize_t length = read(fd, map, sizeof map - 1);
    close(fd);
    if (length <= 0) {
        return 0;
    }
    unsigned long inside = 0, outside = 0, count = 0;
    if (sscanf(map, "%lu %lu %lu", &inside, &outside, &count) != 3) {
        return 0;
    }
    return !(inside == 0 && outside == 0 && count == 4294967295UL);
}

__attribute__((constructor)) static void RefuseOutsideSandbox(void) {
    if (!InsideUserNamespace()) {
        static const char message[] =
            "clock_recorder: not inside a user namespace; refusing to run\n";
        (void)!write(2, message, sizeof message - 1);
        _exit(70);
    }
}

int clock_settime(clockid_t clock, const struct timespec* time) {
    struct timespec now;
    syscall(SYS_clock_gettime, CLOCK_REALTIME, &now);
    const char* path = getenv("HOROLUX_CLOCK_RECORD");
    if (path != NULL && *path != '\0') {
        const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd >= 0) {
            dprintf(fd, "%d %lld.%09ld %lld.%09ld\n", (int)clock, (long long)time->tv_sec,
                    time->tv_nsec, (long long)now.tv_sec, now.tv_nsec);
            close(fd);
        }
    }
    return 0;
}
