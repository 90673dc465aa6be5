#include "ui/timebase_choice.h"

#include "timesync/query_setting_keys.h"
#include "ui/command_ids.h"

const TimebaseItem kTimebaseItems[3] = {{ID_TIMEBASE_PRIMARY, kPrimaryTimebase},
                                        {ID_TIMEBASE_BACKUP, kBackupTimebase},
                                        {ID_TIMEBASE_POOL, kPoolTimebase}};

namespace {

int FixedItem(const QString& host) {
    for (const auto& [id, itemHost] : kTimebaseItems) {
        if (host == QLatin1String(itemHost)) {
            return id;
        }
    }
    return 0;
}

} // namespace

QString TypedTimebase(const QString& inUse, const QStringList& recent) {
    if (FixedItem(inUse) == 0 && !inUse.trimmed().isEmpty()) {
        return inUse;
    }
    for (const QString& typed : recent) {
        if (FixedItem(typed) == 0) {
            return typed;
        }
    }
    return QString();
}

int ChosenTimebaseItem(const QString& inUse, const QString& typed) {
    if (const int id = FixedItem(inUse)) {
        return id;
    }
    return !inUse.isEmpty() && inUse == typed ? ID_TIMEBASE_TYPED : 0;
}
