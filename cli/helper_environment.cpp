#include "cli/helper_environment.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr const char* kKept[] = {"LANG",       "LANGUAGE", "LINGUAS",     "LC_ALL",
                                 "LC_COLLATE", "LC_CTYPE", "LC_MESSAGES", "LC_MONETARY",
                                 "LC_NUMERIC", "LC_TIME",  "TERM",        "COLORTERM"};
constexpr const char* kSystemPath = "/usr/sbin:/usr/bin:/sbin:/bin";

} // namespace

bool CleanEnvironment() {
    const passwd* user = getpwuid(geteuid());
    if (user == nullptr) {
        return false;
    }
    std::vector<std::pair<std::string, std::string>> kept;
    for (const char* name : kKept) {
        if (const char* value = std::getenv(name)) {
            kept.emplace_back(name, value);
        }
    }
    const std::string home = user->pw_dir, name = user->pw_name, shell = user->pw_shell;
    clearenv();
    for (const auto& [key, value] : kept) {
        setenv(key.c_str(), value.c_str(), 1);
    }
    setenv("HOME", home.c_str(), 1);
    setenv("USER", name.c_str(), 1);
    setenv("LOGNAME", name.c_str(), 1);
    setenv("SHELL", shell.c_str(), 1);
    setenv("PATH", kSystemPath, 1);
    return true;
}
