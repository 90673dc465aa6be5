#include "timesync/time_socket.h"

#include "app/program_globals.h"
#include "platform/arrival_time.h"
#include "timesync/ntp_time.h"
#include "timesync/reply_evaluation.h"
#include "timesync/status_texts.h"
#include "timesync/time_query.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/time_sync_view.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QUdpSocket>

CTimeSocket::CTimeSocket(ITimeSyncView& view, const wire::Transport& transport, std::uint64_t nonce)
    : m_view(view), m_transport(transport), m_nNonce(nonce) {
    if (transport.socket == wire::SocketKind::Stream) {
        m_pSocket = new QTcpSocket(this);
    } else {
        m_pSocket = new QUdpSocket(this);
    }
    // A time client talks to its Timebase directly, whatever proxy the desktop names.
    m_pSocket->setProxy(QNetworkProxy::NoProxy);
    WireNotifications();
}

CTimeSocket::~CTimeSocket() = default;

QString CTimeSocket::PeerAddress() const {
    const QHostAddress peer = m_pSocket->peerAddress();
    bool isIpv4 = false;
    // The dual-stack socket may name an IPv4 peer in its IPv6 form.
    const quint32 ipv4 = peer.toIPv4Address(&isIpv4);
    return isIpv4 ? QHostAddress(ipv4).toString() : peer.toString();
}

bool CTimeSocket::Create() {
    // The dual-stack any-address: one socket reaches IPv4 and IPv6 Timebases, whichever
    // the name resolves to later.
    if (!m_pSocket->bind(QHostAddress::Any, 0)) {
        return false;
    }
    if (m_transport.socket == wire::SocketKind::Datagram) {
        platform::EnableArrivalStamps(m_pSocket->socketDescriptor());
        platform::EnableSendStamps(m_pSocket->socketDescriptor());
    }
    return true;
}

void CTimeSocket::Connect(const QString& host) {
    // Qt uses an address as it stands and resolves a name on another thread.
    m_pSocket->connectToHost(host, m_transport.port);
}

void CTimeSocket::SendRequest() {
    if (m_bConnected) {
        Send();
    } else {
        m_bSendWhenConnected = true;
    }
}

void CTimeSocket::Send() {
    m_bSendWhenConnected = false;
    switch (m_transport.request) {
    case wire::Request::None:
        break;
    case wire::Request::EmptyDatagram:
        m_pSocket->write(QByteArray());
        break;
    case wire::Request::SntpPacket: {
        const wire::SntpPacket packet = wire::BuildSntpRequest(m_nNonce);
        m_pSocket->write(reinterpret_cast<const char*>(packet.data()),
                         static_cast<qint64>(packet.size()));
        // T1 is when the request left: a thread put aside between the send and the
        // reading must not make it late.
        const double reading = Hooks().localClockNtp();
        const std::int64_t kernelNs = Hooks().kernelClockNs();
        const std::optional<std::int64_t> sent =
            platform::TakeSendStampNs(m_pSocket->socketDescriptor());
        g_dSendTime = ntp::ReadingAt(reading, sent ? kernelNs - *sent : 0);
        break;
    }
    }
}

CTimeSocket::Received CTimeSocket::Receive(qint64 maxBytes) {
    Received received;
    if (m_transport.socket == wire::SocketKind::Datagram) {
        auto* udp = static_cast<QUdpSocket*>(m_pSocket);
        platform::TakeSendStampNs(udp->socketDescriptor());
        received.arrivalNs = platform::PeekArrivalNs(udp->socketDescriptor());
        // Read even when nothing waits: Qt notifies the next datagram only after a read.
        const QNetworkDatagram datagram = udp->receiveDatagram(maxBytes);
        received.valid = datagram.isValid();
        received.bytes = datagram.data();
    } else {
        received.bytes = m_pSocket->read(maxBytes);
        received.valid = !received.bytes.isEmpty();
    }
    return received;
}

void CTimeSocket::Release() {
    if (m_bReleased) {
        return;
    }
    m_bReleased = true;
    disconnect(m_pSocket, nullptr, this, nullptr);
    m_pSocket->abort();
    if (m_nNotificationDepth == 0) {
        delete this;
    } else {
        deleteLater();
    }
}

void CTimeSocket::WireNotifications() {
    // Each notification runs from the event loop, after the handler that caused it has
    // returned, as socket notifications arrive through the message loop; none runs once
    // the socket has been released.
    auto notify = [this](void (CTimeSocket::*handler)(int), int errorCode) {
        QMetaObject::invokeMethod(
            this,
            [this, handler, errorCode] {
                if (m_bReleased) {
                    return;
                }
                ++m_nNotificationDepth;
                (this->*handler)(errorCode);
                --m_nNotificationDepth;
            },
            Qt::QueuedConnection);
    };
    connect(m_pSocket, &QAbstractSocket::connected, this, [this, notify] {
        m_bConnected = true;
        if (m_bSendWhenConnected) {
            Send();
        }
        notify(&CTimeSocket::OnConnect, kNoError);
    });
    connect(m_pSocket, &QAbstractSocket::errorOccurred, this,
            [this, notify](QAbstractSocket::SocketError error) {
                // Only the connection attempt reports its errors. Later ones show as the
                // peer closing (disconnected) or as an answer that never comes, and a name
                // that does not resolve reports nothing: the time-out then asks again.
                if (m_bConnected || error == QAbstractSocket::HostNotFoundError) {
                    return;
                }
                notify(&CTimeSocket::OnConnect, 1 + static_cast<int>(error));
            });
    connect(m_pSocket, &QIODevice::readyRead, this,
            [notify] { notify(&CTimeSocket::OnReceive, kNoError); });
    connect(m_pSocket, &QAbstractSocket::disconnected, this,
            [notify] { notify(&CTimeSocket::OnClose, kNoError); });
}

void CTimeSocket::OnReceive(int) {
    EvaluateReply(m_view, *this);
}

void CTimeSocket::OnConnect(int nErrorCode) {
    if (nErrorCode == kNoError) {
        m_view.ShowStatusText(QString::fromLatin1(texts::kConnected));
    } else {
        ResetQuery(m_view, QString::fromLatin1(texts::kConnectFailed));
    }
}

void CTimeSocket::OnClose(int) {
    // The query stays pending without a socket until the time-out asks again.
    if (g_pSocket == this) {
        g_pSocket = nullptr;
    }
    Release();
}
