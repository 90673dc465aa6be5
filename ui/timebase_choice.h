#pragma once

#include <QString>
#include <QStringList>

// Which item of the Timebase menu stands for a Timebase.
struct TimebaseItem {
    int id;
    const char* host;
};
// The items that name a fixed host.
extern const TimebaseItem kTimebaseItems[3];

// The typed Timebase the menu offers: the one in use when no item names it, else the one
// typed last that no item names; empty when there is none.
QString TypedTimebase(const QString& inUse, const QStringList& recent);

// The id of the item that carries the mark for the Timebase in use, or 0 for none (an
// empty Timebase).
int ChosenTimebaseItem(const QString& inUse, const QString& typed);
