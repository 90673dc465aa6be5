#pragma once

#include <string>
#include <string_view>
#include <vector>

// The root helper keeps from its caller's environment what pkexec would keep: the locale and
// terminal variables, and those only when they hold plain names (a locale "name" with a slash
// is a folder glibc would load as root). Everything else (LD_*, GNUTLS_*, QT_*, XDG folders)
// is dropped. Pure: `environment` holds "NAME=value" entries; the kept ones come back in
// their order, each name once.
std::vector<std::string> KeptEnvironment(const std::vector<std::string_view>& environment);

// Starts this program again with the kept environment when the current one holds anything
// else, so that glibc, Qt and GnuTLS never see the rest: call it first in main. Returns
// only when nothing was dropped (true) or the new start failed (false).
bool RestartWithKeptEnvironment(char** argv);

// Sets HOME, USER, LOGNAME and SHELL for the effective user and PATH to the system's.
// False when the effective user is unknown.
bool NameEffectiveUser();
