#include "timesync/time_socket.h"

#include "platform/arrival_time.h"
#include "timesync/name_lookup.h"
#include "timesync/ntp_time.h"
#include "timesync/time_sync_hooks.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QUdpSocket>

namespace {

constexpr int kMaxDatagramsPerWakeUp = 16;

// Room for an NTS reply with a full jar's worth of cookies.
constexpr qint64 kMaxDatagramSize = 4096;

struct ClockPair {
    std::int64_t localNtpNs;
    std::int64_t kernelNs;
};

// The program's clock and the kernel's, read as one moment. The kernel's is a system call
// that a tracer or a busy machine can stretch, so it is read between two readings of ours
// and paired with their middle: the pair is then off by at most half their distance.
ClockPair ReadClockPair() {
    const std::int64_t before = Hooks().localClockNtpNs();
    const std::int64_t kernelNs = Hooks().kernelClockNs();
    const std::int64_t after = Hooks().localClockNtpNs();
    return {before + (after - before) / 2, kernelNs};
}

} // namespace

CTimeSocket::CTimeSocket(ITimeSocketEvents& owner, QObject* receiver,
                         const wire::Transport& transport)
    : m_owner(owner), m_receiver(receiver), m_transport(transport) {
    if (transport.socket == wire::SocketKind::Stream) {
        m_socket = new QTcpSocket(this);
    } else {
        m_socket = new QUdpSocket(this);
    }
    // A time client talks to its Timebase directly, whatever proxy the desktop names.
    m_socket->setProxy(QNetworkProxy::NoProxy);
    WireNotifications();
}

CTimeSocket::~CTimeSocket() {
    *m_open = false;
    disconnect(m_socket, nullptr, this, nullptr);
    m_socket->abort();
}

template <typename Report> void CTimeSocket::Post(Report report) {
    // Queued on the owner's object and carrying values only: a report never touches the
    // socket, which the owner may delete in it.
    QMetaObject::invokeMethod(
        m_receiver,
        [open = m_open, owner = &m_owner, report = std::move(report)] {
            if (*open) {
                report(*owner);
            }
        },
        Qt::QueuedConnection);
}

QString CTimeSocket::PeerAddress() const {
    const QHostAddress peer = m_socket->peerAddress();
    bool isIpv4 = false;
    // The dual-stack socket may name an IPv4 peer in its IPv6 form.
    const quint32 ipv4 = peer.toIPv4Address(&isIpv4);
    return isIpv4 ? QHostAddress(ipv4).toString() : peer.toString();
}

quint16 CTimeSocket::LocalPort() const {
    return m_socket->localPort();
}

bool CTimeSocket::Create() {
    // The dual-stack any-address: one socket reaches IPv4 and IPv6 Timebases, whichever
    // the name resolves to later.
    if (!m_socket->bind(QHostAddress::Any, 0)) {
        return false;
    }
    if (m_transport.socket == wire::SocketKind::Datagram) {
        platform::EnableArrivalStamps(m_socket->socketDescriptor());
        platform::EnableSendStamps(m_socket->socketDescriptor());
    }
    return true;
}

void CTimeSocket::Connect(const QString& host) {
    if (!QHostAddress(host).isNull()) {
        m_socket->connectToHost(host, m_transport.port);
        return;
    }
    auto* lookup = new CNameLookup(host, this);
    connect(lookup, &CNameLookup::Resolved, this, [this](const QList<QHostAddress>& addresses) {
        m_candidates = addresses;
        ConnectToNextCandidate();
    });
    connect(lookup, &CNameLookup::Failed, this, [this](CNameLookup::Failure failure) {
        const bool notFound = failure == CNameLookup::Failure::NotFound;
        Post([notFound](ITimeSocketEvents& owner) { owner.OnNameNotResolved(notFound); });
    });
}

void CTimeSocket::ConnectToNextCandidate() {
    if (!m_candidates.isEmpty()) {
        m_socket->connectToHost(m_candidates.takeFirst(), m_transport.port);
    }
}

void CTimeSocket::SendWhenConnected(const QByteArray& request) {
    m_request = request;
    if (m_connected) {
        Send();
    }
}

void CTimeSocket::Send() {
    const QByteArray request = *m_request;
    m_request.reset();
    m_socket->write(request);
    // T1 is when the request left: a thread put aside between the send and the reading
    // must not make it late.
    const ClockPair now = ReadClockPair();
    const std::optional<std::int64_t> sent =
        platform::TakeSendStampNs(m_socket->socketDescriptor());
    m_sentNtpNs = ntp::ReadingAt(now.localNtpNs, sent ? now.kernelNs - *sent : 0);
    Post([sentNtpNs = m_sentNtpNs](ITimeSocketEvents& owner) { owner.OnSent(sentNtpNs); });
}

void CTimeSocket::ReadDatagrams() {
    auto* udp = static_cast<QUdpSocket*>(m_socket);
    // Before the connect the datagrams stay queued; the connect drops them.
    if (!m_connected) {
        return;
    }
    // A few at a time: a flood of junk from the Timebase's own address must not keep the
    // event loop, and with it the query's time-out, from running.
    for (int read = 0; read < kMaxDatagramsPerWakeUp; ++read) {
        SocketReply reply;
        const ClockPair now = ReadClockPair();
        reply.localNtpNs = now.localNtpNs;
        reply.kernelNs = now.kernelNs;
        reply.sentNtpNs = m_sentNtpNs;
        // A send stamp left in the error queue also wakes the socket: it goes here.
        platform::TakeSendStampNs(udp->socketDescriptor());
        reply.arrivalNs = platform::PeekArrivalNs(udp->socketDescriptor());
        // Read even when nothing waits: Qt notifies the next datagram only after a read.
        const QNetworkDatagram datagram = udp->receiveDatagram(kMaxDatagramSize);
        // The socket listens on its port from the start, also while the name resolves:
        // whoever else sends there is not the Timebase.
        if (datagram.isValid() &&
            datagram.senderAddress().isEqual(udp->peerAddress(),
                                             QHostAddress::TolerantConversion) &&
            datagram.senderPort() == udp->peerPort()) {
            reply.bytes = datagram.data();
            reply.sender = PeerAddress();
            Post([reply](ITimeSocketEvents& owner) { owner.OnReply(reply); });
        }
        if (!udp->hasPendingDatagrams()) {
            return;
        }
    }
    // More is waiting: the notifier wakes us again after the loop has had its turn.
}

void CTimeSocket::ReadStream(bool closed) {
    if (m_streamDelivered) {
        return;
    }
    // The four bytes may come in pieces: all of them, or what there is at the close.
    m_stream += m_socket->read(qint64{wire::kTimeReplySize} - m_stream.size());
    if (m_stream.size() < qint64{wire::kTimeReplySize} && !(closed && !m_stream.isEmpty())) {
        if (closed) {
            Post([](ITimeSocketEvents& owner) { owner.OnClose(); });
        }
        return;
    }
    m_streamDelivered = true;
    SocketReply reply;
    const ClockPair now = ReadClockPair();
    reply.localNtpNs = now.localNtpNs;
    reply.kernelNs = now.kernelNs;
    reply.bytes = m_stream;
    reply.sender = PeerAddress();
    Post([reply](ITimeSocketEvents& owner) { owner.OnReply(reply); });
}

// What arrived before the connect came from anyone; the kernel filters only from now on.
void CTimeSocket::DropQueuedDatagrams() {
    if (auto* udp = qobject_cast<QUdpSocket*>(m_socket)) {
        while (udp->hasPendingDatagrams()) {
            udp->receiveDatagram();
        }
    }
}

void CTimeSocket::WireNotifications() {
    connect(m_socket, &QAbstractSocket::connected, this, [this] {
        m_connected = true;
        DropQueuedDatagrams();
        if (m_request) {
            Send();
        }
        Post([](ITimeSocketEvents& owner) { owner.OnConnect(true); });
    });
    connect(m_socket, &QAbstractSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) {
                // Only the connection attempt reports its errors. Later ones show as the
                // peer closing (disconnected) or as an answer that never comes.
                if (m_connected || error == QAbstractSocket::HostNotFoundError) {
                    return;
                }
                // A name with several addresses: the next one is tried, as a browser would.
                if (!m_candidates.isEmpty()) {
                    QMetaObject::invokeMethod(
                        this, [this] { ConnectToNextCandidate(); }, Qt::QueuedConnection);
                    return;
                }
                Post([](ITimeSocketEvents& owner) { owner.OnConnect(false); });
            });
    connect(m_socket, &QIODevice::readyRead, this, [this] {
        if (m_transport.socket == wire::SocketKind::Stream) {
            ReadStream(false);
        } else {
            ReadDatagrams();
        }
    });
    connect(m_socket, &QAbstractSocket::disconnected, this, [this] {
        if (m_transport.socket == wire::SocketKind::Stream) {
            ReadStream(true);
        }
    });
}
