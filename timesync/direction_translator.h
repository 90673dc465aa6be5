#pragma once

// The direction words in the user's language, for the window and horolux-cli.
#include "timesync/clock_direction.h"

#include <QCoreApplication>

inline direction::Translator DirectionTranslator() {
    return [](const char* text) {
        return QCoreApplication::translate("ClockDirection", text).toStdString();
    };
}
