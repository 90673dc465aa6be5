// Any bytes as the settings file, read as both programs read it at start.
#include "platform/settings_file.h"
#include "tests/fuzz/require.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir config;
    static const bool placed = [] {
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        return QDir().mkpath(config.path() + QStringLiteral("/Veldmark"));
    }();
    Require(placed);
    QFile file(settings::FilePath());
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    for (const char* key : {"TimeBase", "SocketType", "Protocol"}) {
        settings::ReadString(key, QStringLiteral("default"));
    }
    for (const char* key : {"TextOnly", "MinimizeToTray"}) {
        settings::ReadInt(key, 0);
    }
    return 0;
}
