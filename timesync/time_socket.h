#pragma once

// The socket of one time query: it moves bytes and tells its owner what happened; the
// owner decides what that means.
#include "timesync/wire_format.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QAbstractSocket;

// What the socket reports. All but OnRequestSent run from the event loop, after the handler
// that caused them has returned, and none runs once the socket is closed.
class ITimeSocketEvents {
  public:
    virtual ~ITimeSocketEvents() = default;
    // Right after the request left, before anything else runs (T1 is taken here).
    virtual void OnRequestSent() = 0;
    virtual void OnConnect(bool connected) = 0;
    virtual void OnReceive() = 0;
    // The peer closed the connection.
    virtual void OnClose() = 0;
};

class CTimeSocket : public QObject {
    Q_OBJECT
  public:
    // The parent frees a socket whose deferred deletion never came (no event loop ran).
    CTimeSocket(ITimeSocketEvents& owner, const wire::Transport& transport, QObject* parent);
    ~CTimeSocket() override;

    // Makes the system socket, any local port, reaching IPv4 and IPv6 alike. False when
    // the system refuses one.
    bool Create();
    // Connects to the Timebase: an address at once, a name once it has been resolved in
    // the background (a closed socket no longer waits for that).
    void Connect(const QString& host);
    // Sends the request as soon as the socket is connected.
    void SendWhenConnected(const QByteArray& request);
    // When the last request left, on the kernel's clock, if the kernel stamped it.
    std::optional<std::int64_t> TakeSendStampNs();
    // The Timebase's address once connected (an IPv4 address as such), else empty.
    QString PeerAddress() const;
    quint16 LocalPort() const;

    struct Received {
        // False when the notification found nothing to read after all.
        bool valid = false;
        QByteArray bytes;
        // When the datagram arrived, on the kernel's clock (datagram sockets only).
        std::optional<std::int64_t> arrivalNs;
    };
    // One receive call: one datagram, or up to maxBytes of the stream. A datagram counts
    // only once the socket is connected and only from the Timebase's address and port.
    Received Receive(qint64 maxBytes);

    // Closes the system socket at once; nothing is reported afterwards.
    void Close();

  private:
    void Send();
    void ConnectToNextCandidate();
    void DropQueuedDatagrams();
    void WireNotifications();

    ITimeSocketEvents& m_owner;
    const wire::Transport m_transport;
    QAbstractSocket* m_pSocket = nullptr;
    std::optional<QByteArray> m_request;
    // The name's addresses not tried yet.
    QList<QHostAddress> m_candidates;
    bool m_bConnected = false;
    bool m_bClosed = false;
};

// The owner may let its socket go inside one of the socket's own reports: the socket is
// closed at once and deleted once control is back in the event loop.
struct CloseAndDeleteLater {
    void operator()(CTimeSocket* socket) const;
};
using TimeSocketPtr = std::unique_ptr<CTimeSocket, CloseAndDeleteLater>;
