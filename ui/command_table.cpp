#include "ui/command_table.h"

#include "ui/command_ids.h"
#include "ui/web_links.h"

#include <QtGlobal>
#include <array>

namespace {

struct CommandEntry {
    int id;
    const char* name;
    const char* string; // nullptr: no string-table entry
};

constexpr std::array kCommands{
    CommandEntry{ID_PROTOCOL_TIMEUDP, "ID_PROTOCOL_TIMEUDP",
                 "RFC868 Time Protocol (UDP Mode)\nUDP"},
    CommandEntry{ID_PROTOCOL_TIMETCP, "ID_PROTOCOL_TIMETCP",
                 "RFC868 Time Protocol (TCP Mode)\nTCP"},
    CommandEntry{ID_PROTOCOL_SNTP, "ID_PROTOCOL_SNTP", "RFC1769 Simple Network Time Protocol"},
    CommandEntry{ID_PROTOCOL_NTS, "ID_PROTOCOL_NTS",
                 "RFC8915 Network Time Security (authenticated NTPv4)\nNTS"},
    CommandEntry{ID_SAMPLES_1, "ID_SAMPLES_1", "One SNTP exchange per query"},
    CommandEntry{ID_SAMPLES_4, "ID_SAMPLES_4",
                 "Four SNTP exchanges per query; the quickest counts"},
    CommandEntry{ID_SAMPLES_8, "ID_SAMPLES_8",
                 "Eight SNTP exchanges per query; the quickest counts"},
    CommandEntry{ID_CHECK_OFF, "ID_CHECK_OFF", "No queries in the background"},
    CommandEntry{ID_CHECK_15MINUTES, "ID_CHECK_15MINUTES",
                 "Query the Timebase every 15 minutes and keep the result"},
    CommandEntry{ID_CHECK_1HOUR, "ID_CHECK_1HOUR",
                 "Query the Timebase every hour and keep the result"},
    CommandEntry{ID_CHECK_6HOURS, "ID_CHECK_6HOURS",
                 "Query the Timebase every 6 hours and keep the result"},
    CommandEntry{ID_VIEW_HISTORY, "ID_VIEW_HISTORY",
                 "Show the kept measurements, the clock's drift and the system's time service"},
    CommandEntry{ID_TIMEBASE_PRIMARY, "ID_TIMEBASE_PRIMARY", "Query the Primary Timebase\nTICK"},
    CommandEntry{ID_TIMEBASE_BACKUP, "ID_TIMEBASE_BACKUP", "Query the Backup Timebase\nTOCK"},
    CommandEntry{ID_TIMEBASE_POOL, "ID_TIMEBASE_POOL",
                 QT_TRANSLATE_NOOP("Command", "Query a nearby server of the NTP Pool Project")},
    CommandEntry{ID_TIMEBASE_TYPED, "ID_TIMEBASE_TYPED",
                 QT_TRANSLATE_NOOP("Command", "Query the Timebase entered last")},
    CommandEntry{ID_TIMEBASE_ALTERNATE, "ID_TIMEBASE_ALTERNATE",
                 "Enter an Alternate Timebase by Name or IP address"},
    // Its text ends in the list page's address, added below.
    CommandEntry{ID_TIMEBASE_BROWSELIST, "ID_TIMEBASE_BROWSELIST", "Launch Browser to "},
    CommandEntry{ID_BACKDROP_TEXTONLY, "ID_BACKDROP_TEXTONLY", "Selects 3D Text Display"},
    CommandEntry{ID_BACKDROP_GRAPHICS, "ID_BACKDROP_GRAPHICS", "Selects 3D Graphics Display"},
    CommandEntry{ID_OPTIONS_MINIMIZETOTRAY, "ID_OPTIONS_MINIMIZETOTRAY",
                 "Enables Horolux to Minimize onto Taskbar Notification Tray"},
    CommandEntry{ID_RESET, "ID_RESET", "Quit Waiting for Timebase and Reset Connection"},
    CommandEntry{ID_HELP_ABOUT, "ID_HELP_ABOUT", nullptr},
    CommandEntry{ID_HELP_WHATTODO, "ID_HELP_WHATTODO", "Some basic usage notes on Horolux"},
    CommandEntry{ID_HELP_HELPPAGE, "ID_HELP_HELPPAGE", "Launch Browser to Horolux Help Page"},
    CommandEntry{ID_HELP_HOMEPAGE, "ID_HELP_HOMEPAGE", "Launch Browser to Horolux Home Page"},
    CommandEntry{ID_TRAY_RESTORE, "ID_TRAY_RESTORE", nullptr},
    CommandEntry{ID_TRAY_CORRECTCLOCK, "ID_TRAY_CORRECTCLOCK", nullptr},
    CommandEntry{ID_APP_EXIT, "ID_APP_EXIT", nullptr},
};

const CommandEntry* Find(int id) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

QString CommandName(int id) {
    const CommandEntry* entry = Find(id);
    return entry ? QString::fromLatin1(entry->name) : QString();
}

QString CommandString(int id) {
    const CommandEntry* entry = Find(id);
    if (!entry || !entry->string) {
        return QString();
    }
    QString text = QString::fromLatin1(entry->string);
    if (id == ID_TIMEBASE_BROWSELIST) {
        text += QString::fromLatin1(kTimebaseListUrl);
    }
    return text;
}

QString CommandPrompt(int id) {
    const QString text = CommandString(id);
    return text.left(text.indexOf(QLatin1Char('\n')));
}
