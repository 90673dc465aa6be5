#include "app/settings_store.h"

#include "app/program_globals.h"
#include "app/settings_keys.h"
#include "app/timebase_hosts.h"

#include <QSettings>

namespace settings {

namespace {

// INI files keep no types, so a value that does not read as a number counts as missing.
int ToInt(const QVariant& value, int defaultValue) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : defaultValue;
}

class OptionsGroup {
  public:
    OptionsGroup() : m_settings(kSettingsOrganization, kSettingsApplication) {
        m_settings.beginGroup(kSettingsGroup);
    }
    ~OptionsGroup() {
        m_settings.endGroup();
        m_settings.sync();
    }
    QSettings& operator*() { return m_settings; }
    QSettings* operator->() { return &m_settings; }

  private:
    QSettings m_settings;
};

} // namespace

QString ReadString(const char* key, const QString& defaultValue) {
    OptionsGroup options;
    const QVariant value = options->value(key);
    return value.isValid() ? value.toString() : defaultValue;
}

int ReadInt(const char* key, int defaultValue) {
    OptionsGroup options;
    return ToInt(options->value(key), defaultValue);
}

void WriteString(const char* key, const QString& value) {
    OptionsGroup options;
    options->setValue(key, value);
}

void WriteInt(const char* key, int value) {
    OptionsGroup options;
    options->setValue(key, value);
}

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
    g_bTextOnly = ReadInt(kKeyTextOnly, kDefaultTextOnly);
    g_bMinimizeToTray = ReadInt(kKeyMinimizeToTray, kDefaultMinimizeToTray);
}

QString FilePath() {
    OptionsGroup options;
    return options->fileName();
}

} // namespace settings
