#pragma once

// The socket of one time query: it sends the request and delivers what came of it, whole
// replies with their clock readings. Its reports go one way, to the owner, from the event
// loop; the socket is never in use while one runs, so the owner may delete it there.
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

// A whole reply: a datagram from the Timebase, or the Time reply's four bytes (fewer when
// the peer closed first), with the clocks read as it came in.
struct SocketReply {
    QByteArray bytes;
    // When the last request left, on the local clock (nanoseconds since 1900).
    std::int64_t sentNtpNs = 0;
    // When the datagram arrived, on the kernel's clock (datagram sockets only).
    std::optional<std::int64_t> arrivalNs;
    // The local and the kernel clock read together once the reply was in.
    std::int64_t localNtpNs = 0;
    std::int64_t kernelNs = 0;
    // Who sent it (an IPv4 address as such).
    QString sender;
};

class ITimeSocketEvents {
  public:
    virtual ~ITimeSocketEvents() = default;
    // A request has left, at sentNtpNs (T1, as SocketReply::sentNtpNs). A burst's reply may
    // answer an earlier request than the last, so its T1 is kept per request.
    virtual void OnSent(std::int64_t sentNtpNs) = 0;
    virtual void OnConnect(bool connected) = 0;
    // The Timebase's name gave no address: notFound when the name servers said so, false
    // when they could not be asked or did not answer.
    virtual void OnNameNotResolved(bool notFound) = 0;
    virtual void OnReply(const SocketReply& reply) = 0;
    // The peer closed the connection without a byte of reply.
    virtual void OnClose() = 0;
};

class CTimeSocket : public QObject {
    Q_OBJECT
  public:
    // Reports run queued on `receiver` (the owner's object) and never once the socket is
    // closed or gone.
    CTimeSocket(ITimeSocketEvents& owner, QObject* receiver, const wire::Transport& transport);
    ~CTimeSocket() override;

    // Makes the system socket, any local port, reaching IPv4 and IPv6 alike. False when
    // the system refuses one.
    bool Create();
    // Connects to the Timebase: an address at once, a name once it has been resolved in
    // the background (a closed socket no longer waits for that).
    void Connect(const QString& host);
    // Sends the request as soon as the socket is connected.
    void SendWhenConnected(const QByteArray& request);
    quint16 LocalPort() const;

  private:
    void Send();
    void ConnectToNextCandidate();
    void DropQueuedDatagrams();
    void ReadDatagrams();
    void ReadStream(bool closed);
    QString PeerAddress() const;
    void WireNotifications();
    template <typename Report> void Post(Report report);

    ITimeSocketEvents& m_owner;
    QObject* m_receiver;
    const wire::Transport m_transport;
    QAbstractSocket* m_socket = nullptr;
    std::optional<QByteArray> m_request;
    std::int64_t m_sentNtpNs = 0;
    // What has come of a Time reply over TCP so far, and whether it went to the owner.
    QByteArray m_stream;
    bool m_streamDelivered = false;
    // The name's addresses not tried yet.
    QList<QHostAddress> m_candidates;
    bool m_connected = false;
    // Shared with the reports on their way: false once the socket is closed.
    std::shared_ptr<bool> m_open = std::make_shared<bool>(true);
};
