#pragma once

// Time servers on loopback that answer as a test scripts them, for the replies and the
// silences no real server produces on demand. They run in the test's own event loop.
#include "platform/local_clock.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

// An address of the loopback network that no real server of the sandbox binds.
inline const QHostAddress kScriptedAddress{QStringLiteral("127.0.0.2")};
inline constexpr const char* kScriptedHost = "127.0.0.2";

struct ScriptedReply {
    int delayMs = 0;
    QByteArray bytes;
};

class ScriptedUdpServer : public QObject {
  public:
    using Script = std::function<std::vector<ScriptedReply>(const QByteArray& request)>;

    ScriptedUdpServer(quint16 port, Script script) : m_script(std::move(script)) {
        m_listening = m_socket.bind(kScriptedAddress, port);
        connect(&m_socket, &QUdpSocket::readyRead, this, [this] { Answer(); });
    }
    bool IsListening() const { return m_listening; }
    const QList<QByteArray>& Requests() const { return m_requests; }
    // All requests ever received, also those forgotten.
    int RequestCount() const { return m_count; }

  private:
    void Answer() {
        while (m_socket.hasPendingDatagrams()) {
            const QNetworkDatagram request = m_socket.receiveDatagram();
            ++m_count;
            m_requests << request.data();
            for (const ScriptedReply& reply : m_script(request.data())) {
                const QHostAddress peer = request.senderAddress();
                const quint16 port = static_cast<quint16>(request.senderPort());
                QTimer::singleShot(reply.delayMs, this, [this, reply, peer, port] {
                    m_socket.writeDatagram(reply.bytes, peer, port);
                });
            }
        }
    }

    Script m_script;
    QUdpSocket m_socket;
    bool m_listening = false;
    QList<QByteArray> m_requests;
    int m_count = 0;
};

class ScriptedTcpServer : public QObject {
  public:
    // Runs for each accepted connection: each piece is sent after its delay, each in a
    // segment of its own, then the connection closes.
    explicit ScriptedTcpServer(std::vector<ScriptedReply> pieces, quint16 port = 37)
        : m_pieces(std::move(pieces)) {
        m_listening = m_server.listen(kScriptedAddress, port);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* connection = m_server.nextPendingConnection()) {
                ++m_connections;
                connection->setSocketOption(QAbstractSocket::LowDelayOption, 1);
                int last = 0;
                for (const ScriptedReply& piece : m_pieces) {
                    QTimer::singleShot(piece.delayMs, connection,
                                       [connection, piece] { connection->write(piece.bytes); });
                    last = std::max(last, piece.delayMs);
                }
                QTimer::singleShot(last, connection,
                                   [connection] { connection->disconnectFromHost(); });
                connect(connection, &QTcpSocket::disconnected, connection, &QObject::deleteLater);
            }
        });
    }
    explicit ScriptedTcpServer(QByteArray bytes, quint16 port = 37)
        : ScriptedTcpServer(std::vector<ScriptedReply>{{0, std::move(bytes)}}, port) {}
    bool IsListening() const { return m_listening; }
    int Connections() const { return m_connections; }

  private:
    QTcpServer m_server;
    std::vector<ScriptedReply> m_pieces;
    bool m_listening = false;
    int m_connections = 0;
};

// SNTP replies built from the request: version 4, mode 4, stratum 2, the request's
// transmit value echoed, and this machine's clock as receive and transmit time.
inline void PutTimestamp(QByteArray& packet, int offset, qint64 nanosecondsSince1900) {
    const auto seconds = static_cast<quint64>(nanosecondsSince1900 / 1'000'000'000);
    const auto fraction =
        (static_cast<quint64>(nanosecondsSince1900 % 1'000'000'000) << 32) / 1'000'000'000;
    const quint64 value = (seconds << 32) | (fraction & 0xFFFFFFFFU);
    for (int i = 0; i < 8; ++i) {
        packet[offset + i] = static_cast<char>(value >> (56 - 8 * i));
    }
}

inline QByteArray SntpReplyTo(const QByteArray& request, double offsetSeconds = 0.0) {
    QByteArray reply(48, '\0');
    reply[0] = static_cast<char>(0x24);
    reply[1] = 2;
    if (request.size() >= 48) {
        reply.replace(24, 8, request.mid(40, 8));
    }
    const auto now =
        platform::LocalClockNtpNs() + static_cast<qint64>(std::llround(offsetSeconds * 1e9));
    PutTimestamp(reply, 32, now);
    PutTimestamp(reply, 40, now);
    return reply;
}
