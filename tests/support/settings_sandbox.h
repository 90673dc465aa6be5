#pragma once

// Points the settings store at a fresh folder for one test, and reads back the
// file that the program wrote there.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class SettingsSandbox {
  public:
    SettingsSandbox() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        // Where the program checks the file before reading it.
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
        // The window's history, read when its first row is written.
        qputenv("XDG_STATE_HOME", m_dir.path().toLocal8Bit());
    }
    QString HistoryPath() const {
        return m_dir.path() + QStringLiteral("/Veldmark/Horolux/history.sqlite");
    }
    QString FilePath() const { return m_dir.path() + QStringLiteral("/Veldmark/Horolux.conf"); }
    // Writes the file as a user or an earlier version would have left it.
    void Write(const QByteArray& content) const {
        QDir().mkpath(m_dir.path() + QStringLiteral("/Veldmark"));
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    // TimeBase|SocketType|Protocol|TextOnly|MinimizeToTray as the file holds them, "-" if missing.
    QString Options() const {
        QSettings file(FilePath(), QSettings::IniFormat);
        QStringList values;
        for (const char* key :
             {"TimeBase", "SocketType", "Protocol", "TextOnly", "MinimizeToTray"}) {
            values << file.value(QStringLiteral("Options/") + QLatin1String(key), "-").toString();
        }
        return values.join(QLatin1Char('|'));
    }

  private:
    QTemporaryDir m_dir;
};
