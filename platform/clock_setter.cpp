#include "platform/clock_setter.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <ctime>
#endif

namespace platform {

#ifdef _WIN32

namespace {
// FILETIME counts 100 ns units since 1601-01-01 UTC.
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;
constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000LL;

std::string LastErrorText(DWORD error) {
    char* message = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    std::string text = length ? std::string(message, length) : "error " + std::to_string(error);
    LocalFree(message);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) {
        text.pop_back();
    }
    return text;
}
} // namespace

std::string SetSystemClock(const UtcInstant& instant) {
    const std::int64_t units =
        (instant.seconds + kSecondsFrom1601To1970) * kFileTimeUnitsPerSecond +
        instant.nanoseconds / 100;
    FILETIME fileTime;
    fileTime.dwLowDateTime = static_cast<DWORD>(units & 0xFFFFFFFF);
    fileTime.dwHighDateTime = static_cast<DWORD>(units >> 32);
    SYSTEMTIME utc;
    if (!FileTimeToSystemTime(&fileTime, &utc) || !SetSystemTime(&utc)) {
        return LastErrorText(GetLastError());
    }
    return {};
}

#else

std::string SetSystemClock(const UtcInstant& instant) {
    timespec time{};
    time.tv_sec = static_cast<time_t>(instant.seconds);
    time.tv_nsec = instant.nanoseconds;
    if (clock_settime(CLOCK_REALTIME, &time) != 0) {
        return std::strerror(errno);
    }
    return {};
}

#endif

} // namespace platform
