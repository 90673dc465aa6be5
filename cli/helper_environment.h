#pragma once

// Replaces the environment with the one pkexec gives a program it starts: the locale and
// terminal variables are kept, HOME, USER, LOGNAME and SHELL name the effective user, PATH
// is the system's, and everything else (XDG folders, LD_ and Qt variables) is dropped.
// Returns false when the effective user is unknown.
bool CleanEnvironment();
