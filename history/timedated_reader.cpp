#include "history/timedated_reader.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

namespace history {

std::optional<TimedatedState> ReadTimedated(const QDBusConnection& bus) {
    if (!bus.isConnected()) {
        return std::nullopt;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    call << QStringLiteral("org.freedesktop.timedate1");
    const QDBusMessage reply =
        QDBusConnection(bus).call(call, QDBus::Block, kTimedatedTimeoutMilliseconds);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    const QVariantMap properties = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
    const QVariant ntp = properties.value(QStringLiteral("NTP"));
    const QVariant synchronized = properties.value(QStringLiteral("NTPSynchronized"));
    if (ntp.typeId() != QMetaType::Bool || synchronized.typeId() != QMetaType::Bool) {
        return std::nullopt;
    }
    return TimedatedState{ntp.toBool(), synchronized.toBool()};
}

std::optional<TimedatedState> ReadTimedated() {
    return ReadTimedated(QDBusConnection::systemBus());
}

SystemTimeState SystemTimeSources::Read() const {
    SystemTimeState state;
    if (kernel) {
        state.kernel = kernel();
    }
    if (timedated) {
        state.timedated = timedated();
    }
    return state;
}

} // namespace history
