#pragma once

// The program's texts in the user's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
#include <string>

class QObject;

namespace platform {

// Installs Horolux's translation for the user's languages, and Qt's own where the system
// has it, into the running application. Without one (LANG=C) the texts stay English. The
// translators belong to owner (the application when null) and leave with it.
void InstallTranslations(QObject* owner = nullptr);

// A text of the query ("texts" context) in the installed language, UTF-8.
std::string TranslatedQueryText(const char* source);

} // namespace platform
