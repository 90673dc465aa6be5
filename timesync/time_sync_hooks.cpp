#include "timesync/time_sync_hooks.h"

#include "platform/arrival_time.h"
#include "platform/local_clock.h"

#include <random>

namespace {

std::uint64_t RandomNonce() {
    static std::random_device device;
    std::uint64_t value = 0;
    while (value == 0) {
        value = (std::uint64_t{device()} << 32) | device();
    }
    return value;
}

TimeSyncHooks SystemHooks() {
    return {platform::LocalClockNtpNs, platform::KernelClockNs, platform::SetSystemClock,
            RandomNonce};
}

TextTranslator g_translator = nullptr;

} // namespace

TimeSyncHooks& Hooks() {
    static TimeSyncHooks hooks = SystemHooks();
    return hooks;
}

void ResetHooks() {
    Hooks() = SystemHooks();
}

void SetTextTranslator(TextTranslator translator) {
    g_translator = translator;
}

std::string Translated(const char* source) {
    return g_translator ? g_translator(source) : std::string(source);
}

std::string Translated(const char* source, std::initializer_list<std::string> args) {
    std::string text = Translated(source);
    char place[] = "%1";
    for (const std::string& arg : args) {
        const std::size_t at = text.find(place);
        if (at != std::string::npos) {
            text.replace(at, 2, arg);
        }
        ++place[1];
    }
    return text;
}

std::string TranslatedCount(long long count, const char* one, const char* many) {
    return count == 1 ? Translated(one) : Translated(many, {std::to_string(count)});
}
