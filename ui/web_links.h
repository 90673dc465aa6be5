#pragma once

#include <QString>
#include <QUrl>

// The three pages the Help and Timebase menus open in the desktop's browser.
inline constexpr const char* kTimebaseListUrl =
    "https://support.ntp.org/Servers/StratumOneTimeServers";
inline constexpr const char* kHomePageUrl = "https://www.veldmark.example/horolux/";

// The help page ships with the program: beside the executable in a build, under
// share/horolux in an installed tree.
inline constexpr const char* kHelpPageBesideProgram = "help/index.html";
inline constexpr const char* kHelpPageInShare = "../share/horolux/help/index.html";

// The help page's file URL for a program living in programDir: the first place that
// holds the file, or the place beside the program when none does (the browser then
// says that the file is missing).
QUrl HelpPageUrl(const QString& programDir);

// The same for the running program.
QUrl HelpPageUrl();
