#pragma once

#include "ui/window_texts.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

// Texts of the three dialogs as their templates hold them: "&&" stands for one "&".
inline constexpr const char* kAlternateTimebaseTitle =
    QT_TRANSLATE_NOOP("CAlternateTimebaseDlg", "Alternate Timebase");
inline constexpr const char* kAlternateTimebasePrompt =
    QT_TRANSLATE_NOOP("dialogs", "Enter an Alternate Timebase\n"
                                 "by Name or IP Address:");
inline constexpr const char* kUsageNotesSteps =
    QT_TRANSLATE_NOOP("dialogs", "- Select a Timebase via Options>Timebase menu\n"
                                 "- Click 'Query Current Timebase' Button\n"
                                 "- If successful, click 'Correct System Clock' Button\n"
                                 "- If unsuccessful, 'Reset' and try another Timebase\n");
inline constexpr const char* kUsageNotesKeys =
    QT_TRANSLATE_NOOP("dialogs", "For 3D: Try the Up, Down, Left, Right && PageUp/Down Keys\n"
                                 "Hit the HOME key to reset the viewpoint");

inline constexpr const char* kAboutTitle = QT_TRANSLATE_NOOP("dialogs", "About Horolux");
inline constexpr const char* kAboutDescription =
    QT_TRANSLATE_NOOP("dialogs", "Network time client with a 3D clock");
inline constexpr const char* kMakerName = "Veldmark";

// Five centred lines: name and version, a description, the maker, an empty line and
// the maker's contact.
inline QString AboutCredits() {
    return QCoreApplication::translate("dialogs", "%1 %2\n%3\nby %4\n\n%5")
        .arg(QLatin1String(kProductName), QLatin1String(HOROLUX_VERSION),
             QCoreApplication::translate("dialogs", kAboutDescription), QLatin1String(kMakerName),
             QLatin1String(kMakerContact));
}

// The Timebase text that comes back holds at most this many characters.
inline constexpr int kMaxTimebaseLength = 49;
