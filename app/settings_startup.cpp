#include "app/settings_startup.h"

#include "platform/settings_file.h"
#include "ui/check_interval.h"
#include "ui/query_settings.h"
#include "ui/window_settings.h"

namespace settings {

void EnsureAllExist() {
    WriteString(kKeyTimeBase, ReadString(kKeyTimeBase, kPrimaryTimebase));
    WriteString(kKeySocketType, ReadString(kKeySocketType, kDefaultSocketType));
    WriteString(kKeyProtocol, ReadString(kKeyProtocol, kDefaultProtocol));
    WriteInt(kKeyTextOnly, ReadInt(kKeyTextOnly, kDefaultTextOnly));
    WriteInt(kKeyMinimizeToTray, ReadInt(kKeyMinimizeToTray, kDefaultMinimizeToTray));
}

void LoadIntoGlobals() {
    g_strTimeBase = ReadString(kKeyTimeBase, QString());
    g_strSocketType = ReadString(kKeySocketType, QString());
    g_strProtocol = ReadString(kKeyProtocol, QString());
    g_strNtsCaFile = ReadString(kKeyNtsCaFile, QString());
    g_nSamples = SamplesChoice(ReadInt(kKeySamples, kDefaultSamples));
    g_nCheckInterval = CheckIntervalInEffect(ReadInt(kKeyCheckInterval, kDefaultCheckInterval));
    g_bTextOnly = ReadInt(kKeyTextOnly, kDefaultTextOnly);
    g_bMinimizeToTray = ReadInt(kKeyMinimizeToTray, kDefaultMinimizeToTray);
}

} // namespace settings
