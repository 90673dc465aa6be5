#include "ui/command_table.h"

#include "ui/command_ids.h"
#include "ui/web_links.h"

#include <QCoreApplication>
#include <array>

namespace {

struct CommandEntry {
    int id;
    const char* name;
    const char* string; // nullptr: no string-table entry
};

constexpr std::array kCommands{
    CommandEntry{ID_PROTOCOL_TIMEUDP, "ID_PROTOCOL_TIMEUDP",
                 QT_TRANSLATE_NOOP("prompts", "RFC868 Time Protocol (UDP Mode)\nUDP")},
    CommandEntry{ID_PROTOCOL_TIMETCP, "ID_PROTOCOL_TIMETCP",
                 QT_TRANSLATE_NOOP("prompts", "RFC868 Time Protocol (TCP Mode)\nTCP")},
    CommandEntry{ID_PROTOCOL_SNTP, "ID_PROTOCOL_SNTP",
                 QT_TRANSLATE_NOOP("prompts", "RFC1769 Simple Network Time Protocol")},
    CommandEntry{
        ID_PROTOCOL_NTS, "ID_PROTOCOL_NTS",
        QT_TRANSLATE_NOOP("prompts", "RFC8915 Network Time Security (authenticated NTPv4)\nNTS")},
    CommandEntry{ID_PROTOCOL_NTSCAFILE, "ID_PROTOCOL_NTSCAFILE",
                 QT_TRANSLATE_NOOP("prompts",
                                   "Check NTS servers against the certificates in a file you "
                                   "choose")},
    CommandEntry{
        ID_PROTOCOL_SYSTEMCA, "ID_PROTOCOL_SYSTEMCA",
        QT_TRANSLATE_NOOP("prompts", "Check NTS servers against the system's certificates")},
    CommandEntry{ID_SAMPLES_1, "ID_SAMPLES_1",
                 QT_TRANSLATE_NOOP("prompts", "One SNTP exchange per query")},
    CommandEntry{
        ID_SAMPLES_4, "ID_SAMPLES_4",
        QT_TRANSLATE_NOOP("prompts", "Four SNTP exchanges per query; the quickest counts")},
    CommandEntry{
        ID_SAMPLES_8, "ID_SAMPLES_8",
        QT_TRANSLATE_NOOP("prompts", "Eight SNTP exchanges per query; the quickest counts")},
    CommandEntry{ID_CHECK_OFF, "ID_CHECK_OFF",
                 QT_TRANSLATE_NOOP("prompts", "No queries in the background")},
    CommandEntry{
        ID_CHECK_15MINUTES, "ID_CHECK_15MINUTES",
        QT_TRANSLATE_NOOP("prompts", "Query the Timebase every 15 minutes and keep the result")},
    CommandEntry{ID_CHECK_1HOUR, "ID_CHECK_1HOUR",
                 QT_TRANSLATE_NOOP("prompts", "Query the Timebase every hour and keep the result")},
    CommandEntry{
        ID_CHECK_6HOURS, "ID_CHECK_6HOURS",
        QT_TRANSLATE_NOOP("prompts", "Query the Timebase every 6 hours and keep the result")},
    CommandEntry{
        ID_VIEW_HISTORY, "ID_VIEW_HISTORY",
        QT_TRANSLATE_NOOP(
            "prompts",
            "Show the kept measurements, the clock's drift and the system's time service")},
    CommandEntry{ID_TIMEBASE_PRIMARY, "ID_TIMEBASE_PRIMARY",
                 QT_TRANSLATE_NOOP("prompts", "Query the Primary Timebase\nTICK")},
    CommandEntry{ID_TIMEBASE_BACKUP, "ID_TIMEBASE_BACKUP",
                 QT_TRANSLATE_NOOP("prompts", "Query the Backup Timebase\nTOCK")},
    CommandEntry{ID_TIMEBASE_POOL, "ID_TIMEBASE_POOL",
                 QT_TRANSLATE_NOOP("prompts", "Query a nearby server of the NTP Pool Project")},
    CommandEntry{ID_TIMEBASE_TYPED, "ID_TIMEBASE_TYPED",
                 QT_TRANSLATE_NOOP("prompts", "Query the Timebase entered last")},
    CommandEntry{ID_TIMEBASE_ALTERNATE, "ID_TIMEBASE_ALTERNATE",
                 QT_TRANSLATE_NOOP("prompts", "Enter an Alternate Timebase by Name or IP address")},
    // Its text ends in the list page's address, added below.
    CommandEntry{ID_TIMEBASE_BROWSELIST, "ID_TIMEBASE_BROWSELIST",
                 QT_TRANSLATE_NOOP("prompts", "Launch Browser to ")},
    CommandEntry{ID_BACKDROP_TEXTONLY, "ID_BACKDROP_TEXTONLY",
                 QT_TRANSLATE_NOOP("prompts", "Selects 3D Text Display")},
    CommandEntry{ID_BACKDROP_GRAPHICS, "ID_BACKDROP_GRAPHICS",
                 QT_TRANSLATE_NOOP("prompts", "Selects 3D Graphics Display")},
    CommandEntry{
        ID_OPTIONS_MINIMIZETOTRAY, "ID_OPTIONS_MINIMIZETOTRAY",
        QT_TRANSLATE_NOOP("prompts", "Enables Horolux to Minimize onto Taskbar Notification Tray")},
    CommandEntry{ID_RESET, "ID_RESET",
                 QT_TRANSLATE_NOOP("prompts", "Quit Waiting for Timebase and Reset Connection")},
    CommandEntry{ID_HELP_ABOUT, "ID_HELP_ABOUT", nullptr},
    CommandEntry{ID_HELP_WHATTODO, "ID_HELP_WHATTODO",
                 QT_TRANSLATE_NOOP("prompts", "Some basic usage notes on Horolux")},
    CommandEntry{ID_HELP_HELPPAGE, "ID_HELP_HELPPAGE",
                 QT_TRANSLATE_NOOP("prompts", "Launch Browser to Horolux Help Page")},
    CommandEntry{ID_HELP_HOMEPAGE, "ID_HELP_HOMEPAGE",
                 QT_TRANSLATE_NOOP("prompts", "Launch Browser to Horolux Home Page")},
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
    QString text = QCoreApplication::translate("prompts", entry->string);
    if (id == ID_TIMEBASE_BROWSELIST) {
        text += QString::fromLatin1(kTimebaseListUrl);
    }
    return text;
}

QString CommandPrompt(int id) {
    const QString text = CommandString(id);
    return text.left(text.indexOf(QLatin1Char('\n')));
}
