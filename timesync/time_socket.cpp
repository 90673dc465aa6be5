#include "timesync/time_socket.h"

#include "platform/arrival_time.h"
#include "timesync/name_lookup.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QUdpSocket>

CTimeSocket::CTimeSocket(ITimeSocketEvents& owner, const wire::Transport& transport,
                         QObject* parent)
    : QObject(parent), m_owner(owner), m_transport(transport) {
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

quint16 CTimeSocket::LocalPort() const {
    return m_pSocket->localPort();
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
    if (!QHostAddress(host).isNull()) {
        m_pSocket->connectToHost(host, m_transport.port);
        return;
    }
    // A name that does not resolve reports nothing: the time-out then asks again.
    auto* lookup = new CNameLookup(host, this);
    connect(lookup, &CNameLookup::Resolved, this, [this](const QList<QHostAddress>& addresses) {
        m_candidates = addresses;
        ConnectToNextCandidate();
    });
}

void CTimeSocket::ConnectToNextCandidate() {
    if (!m_bClosed && !m_candidates.isEmpty()) {
        m_pSocket->connectToHost(m_candidates.takeFirst(), m_transport.port);
    }
}

void CTimeSocket::SendWhenConnected(const QByteArray& request) {
    m_request = request;
    if (m_bConnected) {
        Send();
    }
}

void CTimeSocket::Send() {
    const QByteArray request = *m_request;
    m_request.reset();
    m_pSocket->write(request);
    m_owner.OnRequestSent();
}

std::optional<std::int64_t> CTimeSocket::TakeSendStampNs() {
    return platform::TakeSendStampNs(m_pSocket->socketDescriptor());
}

CTimeSocket::Received CTimeSocket::Receive(qint64 maxBytes) {
    Received received;
    if (m_transport.socket == wire::SocketKind::Datagram) {
        // Before the connect the datagram stays queued; the connect drops it.
        if (!m_bConnected) {
            return received;
        }
        auto* udp = static_cast<QUdpSocket*>(m_pSocket);
        platform::TakeSendStampNs(udp->socketDescriptor());
        received.arrivalNs = platform::PeekArrivalNs(udp->socketDescriptor());
        // Read even when nothing waits: Qt notifies the next datagram only after a read.
        const QNetworkDatagram datagram = udp->receiveDatagram(maxBytes);
        // The socket listens on its port from the start, also while the name resolves:
        // whoever else sends there is not the Timebase.
        received.valid = datagram.isValid() &&
                         datagram.senderAddress().isEqual(udp->peerAddress(),
                                                          QHostAddress::TolerantConversion) &&
                         datagram.senderPort() == udp->peerPort();
        received.bytes = datagram.data();
    } else {
        received.bytes = m_pSocket->read(maxBytes);
        received.valid = !received.bytes.isEmpty();
    }
    return received;
}

// What arrived before the connect came from anyone; the kernel filters only from now on.
void CTimeSocket::DropQueuedDatagrams() {
    if (auto* udp = qobject_cast<QUdpSocket*>(m_pSocket)) {
        while (udp->hasPendingDatagrams()) {
            udp->receiveDatagram();
        }
    }
}

void CTimeSocket::Close() {
    if (m_bClosed) {
        return;
    }
    m_bClosed = true;
    disconnect(m_pSocket, nullptr, this, nullptr);
    m_pSocket->abort();
}

void CTimeSocket::WireNotifications() {
    // Reports run from the event loop, as socket notifications arrive through it: a
    // connect that fails at once must not end the query inside its own start.
    auto report = [this](auto handler) {
        QMetaObject::invokeMethod(
            this,
            [this, handler] {
                if (!m_bClosed) {
                    handler(m_owner);
                }
            },
            Qt::QueuedConnection);
    };
    connect(m_pSocket, &QAbstractSocket::connected, this, [this, report] {
        m_bConnected = true;
        DropQueuedDatagrams();
        if (m_request) {
            Send();
        }
        report([](ITimeSocketEvents& owner) { owner.OnConnect(true); });
    });
    connect(m_pSocket, &QAbstractSocket::errorOccurred, this,
            [this, report](QAbstractSocket::SocketError error) {
                // Only the connection attempt reports its errors. Later ones show as the
                // peer closing (disconnected) or as an answer that never comes.
                if (m_bConnected || error == QAbstractSocket::HostNotFoundError) {
                    return;
                }
                // A name with several addresses: the next one is tried, as a browser would.
                if (!m_candidates.isEmpty()) {
                    QMetaObject::invokeMethod(
                        this, [this] { ConnectToNextCandidate(); }, Qt::QueuedConnection);
                    return;
                }
                report([](ITimeSocketEvents& owner) { owner.OnConnect(false); });
            });
    connect(m_pSocket, &QIODevice::readyRead, this,
            [report] { report([](ITimeSocketEvents& owner) { owner.OnReceive(); }); });
    connect(m_pSocket, &QAbstractSocket::disconnected, this,
            [report] { report([](ITimeSocketEvents& owner) { owner.OnClose(); }); });
}

void CloseAndDeleteLater::operator()(CTimeSocket* socket) const {
    socket->Close();
    socket->deleteLater();
}
