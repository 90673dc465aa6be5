#pragma once

// Points the settings store at a fresh folder for one test, and reads back the
// file that the program wrote there.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

class SettingsSandbox {
  public:
    SettingsSandbox() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }
    QString FilePath() const { return m_dir.path() + QStringLiteral("/Veldmark/Horolux.conf"); }
    bool Exists() const { return QFile::exists(FilePath()); }
    // Writes the file as a user or an earlier version would have left it.
    void Write(const QByteArray& content) const {
        QDir().mkpath(m_dir.path() + QStringLiteral("/Veldmark"));
        QFile file(FilePath());
        if (file.open(QIODevice::WriteOnly)) {
            file.write(content);
        }
    }
    QString Value(const char* key) const {
        QSettings file(FilePath(), QSettings::IniFormat);
        return file.value(QStringLiteral("Options/") + QLatin1String(key)).toString();
    }
    QStringList Keys() const {
        QSettings file(FilePath(), QSettings::IniFormat);
        file.beginGroup(QStringLiteral("Options"));
        return file.childKeys();
    }

  private:
    QTemporaryDir m_dir;
};
