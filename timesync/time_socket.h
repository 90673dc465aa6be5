#pragma once

// The socket of one time query: created at the start of the query and gone at its end.
#include "timesync/wire_format.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

class ITimeSyncView;
class QAbstractSocket;

class CTimeSocket : public QObject {
    Q_OBJECT
  public:
    // Error codes of the notifications: 0 is success.
    static constexpr int kNoError = 0;

    CTimeSocket(ITimeSyncView& view, const wire::Transport& transport, std::uint64_t nonce);
    ~CTimeSocket() override;

    const wire::Transport& GetTransport() const { return m_transport; }
    std::uint64_t Nonce() const { return m_nNonce; }
    // The Timebase's address once connected (an IPv4 address as such), else empty.
    QString PeerAddress() const;

    // Makes the system socket, any local port, reaching IPv4 and IPv6 alike. False when
    // the system refuses one.
    bool Create();
    // Connects to the Timebase: an address at once, a name once it has been resolved in
    // the background.
    void Connect(const QString& host);
    // Sends the protocol's request as soon as the socket is connected, and for SNTP
    // takes T1 right after the send.
    void SendRequest();

    struct Received {
        // False when the notification found nothing to read after all.
        bool valid = false;
        QByteArray bytes;
        // When the datagram arrived, on the kernel's clock (datagram sockets only).
        std::optional<std::int64_t> arrivalNs;
    };
    // One receive call: one datagram, or up to maxBytes of the stream.
    Received Receive(qint64 maxBytes);

    // Closes the system socket at once and lets the object go: now, or after the
    // notification that is running on it has returned. Nothing is notified afterwards.
    void Release();

    // The notifications, each on the GUI thread after the event that caused it.
    void OnReceive(int nErrorCode);
    void OnConnect(int nErrorCode);
    void OnClose(int nErrorCode);

  private:
    void Send();
    void WireNotifications();

    ITimeSyncView& m_view;
    const wire::Transport m_transport;
    const std::uint64_t m_nNonce;
    QAbstractSocket* m_pSocket = nullptr;
    bool m_bConnected = false;
    bool m_bSendWhenConnected = false;
    bool m_bReleased = false;
    int m_nNotificationDepth = 0;
};
