// A preload library for the test sandbox: records each clock_settime call, with the
// kernel's true time at the call, into $HOROLUX_CLOCK_RECORD and reports success. It
// never calls the kernel's clock setter, and it refuses to load outside a user
// namespace, so that it can only ever stand in for a clock the sandbox protects.
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

// The initial namespace maps every id onto itself.
static int InsideUserNamespace(void) {
    unsigned long inside = 0, outside = 0, count = 0;
    FILE* map = fopen("/proc/self/uid_map", "r");
    const int read = map != NULL && fscanf(map, "%lu %lu %lu", &inside, &outside, &count) == 3;
    if (map != NULL) {
        fclose(map);
    }
    return read && !(inside == 0 && outside == 0 && count == 4294967295UL);
}

// Read at load: the privileged helper clears its environment before it sets the clock.
// pkexec passes the helper no environment at all, so a build may name the file instead.
#ifndef CLOCK_RECORD_DEFAULT
#define CLOCK_RECORD_DEFAULT NULL
#endif
static const char* record_path;

__attribute__((constructor)) static void RefuseOutsideSandbox(void) {
    if (!InsideUserNamespace()) {
        fputs("clock_recorder: not inside a user namespace; refusing to run\n", stderr);
        _exit(70);
    }
    record_path = getenv("HOROLUX_CLOCK_RECORD"); // on the stack from exec: outlives clearenv()
    record_path = record_path != NULL ? record_path : CLOCK_RECORD_DEFAULT;
}

int clock_settime(clockid_t clock, const struct timespec* time) {
    struct timespec now;
    syscall(SYS_clock_gettime, CLOCK_REALTIME, &now);
    FILE* record = record_path != NULL && *record_path != '\0' ? fopen(record_path, "a") : NULL;
    if (record != NULL) {
        fprintf(record, "%d %lld.%09ld %lld.%09ld\n", (int)clock, (long long)time->tv_sec,
                time->tv_nsec, (long long)now.tv_sec, now.tv_nsec);
        fclose(record);
    }
    return 0;
}
