#include "platform/settings_file.h"

#include <QSettings>

namespace settings {

namespace {

constexpr const char* kOrganization = "Veldmark";
constexpr const char* kApplication = "Horolux";
constexpr const char* kGroup = "Options";

// INI files keep no types, so a value that does not read as a number counts as missing.
int ToInt(const QVariant& value, int defaultValue) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : defaultValue;
}

class OptionsGroup {
  public:
    OptionsGroup() : m_settings(kOrganization, kApplication) { m_settings.beginGroup(kGroup); }
    ~OptionsGroup() {
        m_settings.endGroup();
        m_settings.sync();
    }
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

QString FilePath() {
    OptionsGroup options;
    return options->fileName();
}

} // namespace settings
