#include "ui/recent_timebases.h"

#include "platform/settings_file.h"
#include "ui/dialog_texts.h"

QStringList WithRecentTimebase(const QStringList& recent, const QString& typed) {
    QStringList list;
    for (const QString& entry : QStringList{typed} + recent) {
        const QString kept = entry.left(kMaxTimebaseLength);
        if (!kept.trimmed().isEmpty() && !list.contains(kept) &&
            list.size() < kMaxRecentTimeBases) {
            list << kept;
        }
    }
    return list;
}

QStringList LoadRecentTimebases() {
    return WithRecentTimebase(settings::ReadStringList(kKeyRecentTimeBases), QString());
}

void RememberTypedTimebase(const QString& typed) {
    settings::WriteStringList(kKeyRecentTimeBases,
                              WithRecentTimebase(LoadRecentTimebases(), typed));
}
