// The helper's environment after cleaning: what pkexec would leave, whatever the caller set.
#include "cli/helper_environment.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <pwd.h>
#include <string>
#include <unistd.h>

TEST(HelperEnvironment, OnlyTheLocaleAndTerminalSurviveTheRestNamesTheUser) {
    const passwd* user = getpwuid(geteuid());
    ASSERT_NE(user, nullptr);
    const struct {
        const char *name, *given, *after; // after: nullptr when dropped
    } cases[] = {
        {"XDG_CONFIG_HOME", "/tmp/theirs", nullptr},
        {"LD_LIBRARY_PATH", "/tmp/theirs", nullptr},
        {"PATH", "/tmp/theirs", "/usr/sbin:/usr/bin:/sbin:/bin"},
        {"HOME", "/tmp/theirs", user->pw_dir},
        {"LANG", "de_DE.UTF-8", "de_DE.UTF-8"},
    };
    for (const auto& c : cases) {
        setenv(c.name, c.given, 1);
    }
    ASSERT_TRUE(CleanEnvironment());
    for (const auto& c : cases) {
        const char* value = std::getenv(c.name);
        EXPECT_EQ(value ? std::string(value) : "(unset)", c.after ? c.after : "(unset)") << c.name;
    }
}
