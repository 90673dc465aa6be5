#include "cli/helper_environment.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

extern char** environ;

namespace {

struct KeptVariable {
    const char* name;
    bool list; // LANGUAGE: several names joined by ':'
};
constexpr KeptVariable kKept[] = {
    {"LANG", false},       {"LANGUAGE", true},  {"LINGUAS", true},      {"LC_ALL", false},
    {"LC_COLLATE", false}, {"LC_CTYPE", false}, {"LC_MESSAGES", false}, {"LC_MONETARY", false},
    {"LC_NUMERIC", false}, {"LC_TIME", false},  {"TERM", false},        {"COLORTERM", false},
};
#ifdef HOROLUX_HELPER_TEST_HOOKS
// Test builds only (never the package): the sandbox's clock recorder, fake clock and
// sanitizer settings must reach the restarted helper.
constexpr const char* kTestHooks[] = {"LD_PRELOAD",   "HOROLUX_CLOCK_RECORD", "FAKETIME",
                                      "ASAN_OPTIONS", "LSAN_OPTIONS",         "UBSAN_OPTIONS"};
#endif
constexpr const char* kSystemPath = "/usr/sbin:/usr/bin:/sbin:/bin";

// "de_DE.UTF-8", "C", "sr_RS@latin", "xterm-256color": a letter, then letters, digits and
// "_.@+-"; never a path.
bool IsPlainName(std::string_view name) {
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("_.@+-").find(c) != std::string_view::npos;
    };
    return !name.empty() && name.size() <= 64 &&
           std::isalpha(static_cast<unsigned char>(name[0])) &&
           std::all_of(name.begin(), name.end(), allowed) &&
           name.find("..") == std::string_view::npos;
}

bool IsPlainValue(std::string_view value, bool list) {
    if (!list) {
        return IsPlainName(value);
    }
    for (std::size_t start = 0;;) {
        const std::size_t end = value.find_first_of(": ", start);
        if (!IsPlainName(value.substr(start, end - start))) {
            return false;
        }
        if (end == std::string_view::npos) {
            return true;
        }
        start = end + 1;
    }
}

bool Keeps(std::string_view name, std::string_view value) {
#ifdef HOROLUX_HELPER_TEST_HOOKS
    for (const char* hook : kTestHooks) {
        if (name == hook) {
            return true;
        }
    }
#endif
    for (const KeptVariable& kept : kKept) {
        if (name == kept.name) {
            return IsPlainValue(value, kept.list);
        }
    }
    return false;
}

} // namespace

std::vector<std::string> KeptEnvironment(const std::vector<std::string_view>& environment) {
    std::vector<std::string> kept;
    std::vector<std::string_view> names;
    for (const std::string_view entry : environment) {
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view name = entry.substr(0, equals);
        if (std::find(names.begin(), names.end(), name) == names.end() &&
            Keeps(name, entry.substr(equals + 1))) {
            names.push_back(name);
            kept.emplace_back(entry);
        }
    }
    return kept;
}

bool RestartWithKeptEnvironment(char** argv) {
    std::vector<std::string_view> current;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        current.emplace_back(*entry);
    }
    std::vector<std::string> kept = KeptEnvironment(current);
    // Kept entries are a subsequence of the current ones: the same count means nothing to drop.
    if (kept.size() == current.size()) {
        return true;
    }
    std::vector<char*> pointers;
    for (std::string& entry : kept) {
        pointers.push_back(entry.data());
    }
    pointers.push_back(nullptr);
    execve("/proc/self/exe", argv, pointers.data());
    return false;
}

bool NameEffectiveUser() {
    const passwd* user = getpwuid(geteuid());
    if (user == nullptr) {
        return false;
    }
    setenv("HOME", user->pw_dir, 1);
    setenv("USER", user->pw_name, 1);
    setenv("LOGNAME", user->pw_name, 1);
    setenv("SHELL", user->pw_shell, 1);
    setenv("PATH", kSystemPath, 1);
    return true;
}
