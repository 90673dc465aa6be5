#include "ui/web_links.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QUrl HelpPageUrl(const QString& programDir) {
    const QDir dir(programDir);
    const QString beside = QDir::cleanPath(dir.absoluteFilePath(kHelpPageBesideProgram));
    for (const QString& path : {beside, QDir::cleanPath(dir.absoluteFilePath(kHelpPageInShare))}) {
        if (QFileInfo(path).isFile()) {
            return QUrl::fromLocalFile(path);
        }
    }
    return QUrl::fromLocalFile(beside);
}

QUrl HelpPageUrl() {
    return HelpPageUrl(QCoreApplication::applicationDirPath());
}
