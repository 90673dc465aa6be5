#include "platform/ui_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

void InstallTranslations(QObject* owner) {
    // QLocale() is the system locale, whose ui languages come from LANGUAGE first.
    const QLocale locale;
    if (!owner) {
        owner = QCoreApplication::instance();
    }
    auto* own = new QTranslator(owner);
    if (own->load(locale, QStringLiteral("horolux"), QStringLiteral("_"),
                  QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(own);
    }
    auto* qt = new QTranslator(owner);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    }
}

std::string TranslatedQueryText(const char* source) {
    return QCoreApplication::translate("texts", source).toStdString();
}

} // namespace platform
