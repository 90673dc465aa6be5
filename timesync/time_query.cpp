#include "timesync/time_query.h"

#include "timesync/ntp_time.h"
#include "timesync/progress_pacing.h"
#include "timesync/query_settings.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/time_sync_view.h"

namespace {

// Room for an SNTP reply with extension fields; only the first 48 bytes are read.
constexpr qint64 kMaxDatagramSize = 1024;

std::optional<QByteArray> RequestOf(const wire::Transport& transport, std::uint64_t nonce) {
    switch (transport.request) {
    case wire::Request::None:
        break;
    case wire::Request::EmptyDatagram:
        return QByteArray();
    case wire::Request::SntpPacket: {
        const wire::SntpPacket packet = wire::BuildSntpRequest(nonce);
        return QByteArray(reinterpret_cast<const char*>(packet.data()),
                          static_cast<qsizetype>(packet.size()));
    }
    }
    return std::nullopt;
}

} // namespace

CTimeQuery::CTimeQuery(ITimeSyncView& view) : m_view(view) {}

CTimeQuery::~CTimeQuery() {
    m_pWatchdog.reset();
    DropSocket();
}

void CTimeQuery::OnQueryTimebase() {
    Start();
}

void CTimeQuery::OnCorrectClock() {
    m_view.EnableCorrectButton(false);
    m_bCorrectClock = true;
    Start();
}

void CTimeQuery::OnTrayCorrectClock() {
    // The tray's item stays enabled during a query; a second socket would leave the
    // first one open and answered by nobody.
    if (IsPending()) {
        m_bCorrectClock = true;
        return;
    }
    OnCorrectClock();
}

void CTimeQuery::OnReset() {
    EndBeforeReply(QString::fromLatin1(texts::kResetByUser), QueryOutcome::Result::Reset);
}

void CTimeQuery::Abandon(const QString& reason) {
    EndBeforeReply(reason, QueryOutcome::Result::Reset);
}

void CTimeQuery::Tick() {
    m_hEvents[kEventTimerTick].Set();
}

void CTimeQuery::Start() {
    m_view.TakeFocus();
    m_view.EnableQueryButton(false);
    m_view.EnableCorrectButton(false);

    // One socket at a time: a query never leaves another one open behind it.
    DropSocket();
    m_transport = ChosenTransport();
    m_nNonce = Hooks().newRequestNonce();
    m_pSocket.reset(new CTimeSocket(*this, m_transport, this));
    m_streamBytes.clear();
    if (!m_pSocket->Create()) {
        EndBeforeReply(QString::fromLatin1(texts::kSocketCreationFailed),
                       QueryOutcome::Result::SocketFailed);
        return;
    }
    m_view.ShowStatusText(QString::fromLatin1(texts::kSocketCreated));
    m_view.ShowStatusText(QString::fromLatin1(texts::kConnecting));
    m_pSocket->Connect(ChosenHost());
    m_hEvents[kEventQueryPending].Set();
    if (!m_pWatchdog) {
        WatchdogLinks links{m_hEvents[kEventQueryPending], m_hEvents[kEventTimerTick],
                            [this](std::function<void()> task) {
                                // Queued on this object: dropped if it is gone first.
                                QMetaObject::invokeMethod(this, std::move(task),
                                                          Qt::QueuedConnection);
                            },
                            [this] { OnWatchdogStep(); }, [this] { OnWatchdogClear(); }};
        m_pWatchdog = std::make_unique<CWatchdogThread>(std::move(links), timing);
    }
    if (const std::optional<QByteArray> request = RequestOf(m_transport, m_nNonce)) {
        m_pSocket->SendWhenConnected(*request);
    }
}

void CTimeQuery::End(const QString& reason, const QueryOutcome& outcome) {
    DropSocket();
    // The mark belongs to this query and its restarts: whatever ended it, the next query
    // corrects only when asked to.
    m_bCorrectClock = false;
    if (!reason.isEmpty()) {
        m_view.ShowStatusText(reason);
    }
    m_view.EnableQueryButton(true);
    m_view.EnableCorrectButton(true);
    m_hEvents[kEventQueryPending].Reset();
    m_view.QueryEnded(outcome);
}

void CTimeQuery::EndBeforeReply(const QString& reason, QueryOutcome::Result result) {
    QueryOutcome outcome;
    outcome.protocol = m_transport.protocol;
    outcome.result = result;
    End(reason, outcome);
}

void CTimeQuery::DropSocket() {
    m_pSocket.reset();
}

void CTimeQuery::OnWatchdogStep() {
    const pacing::ProgressStep step = pacing::StepProgress(
        m_nProgress, pacing::kProgressMinimum, pacing::kProgressMaximum, pacing::kProgressStep);
    m_nProgress = step.position;
    m_view.ShowProgress(m_nProgress);
    if (step.timedOut) {
        // A silent Timebase is asked again; the status text stays, and a correcting query
        // stays a correcting one.
        Start();
    }
}

void CTimeQuery::OnWatchdogClear() {
    m_nProgress = pacing::kProgressMinimum;
    m_view.ShowProgress(m_nProgress);
}

void CTimeQuery::OnRequestSent() {
    if (m_transport.request != wire::Request::SntpPacket) {
        return;
    }
    // T1 is when the request left: a thread put aside between the send and the reading
    // must not make it late.
    const double reading = Hooks().localClockNtp();
    const std::int64_t kernelNs = Hooks().kernelClockNs();
    const std::optional<std::int64_t> sent = m_pSocket->TakeSendStampNs();
    m_instants.dSendTime = ntp::ReadingAt(reading, sent ? kernelNs - *sent : 0);
}

void CTimeQuery::OnConnect(bool connected) {
    if (connected) {
        m_view.ShowStatusText(QString::fromLatin1(texts::kConnected));
    } else {
        EndBeforeReply(QString::fromLatin1(texts::kConnectFailed),
                       QueryOutcome::Result::ConnectFailed);
    }
}

void CTimeQuery::OnReceive() {
    const double localNtp = Hooks().localClockNtp();
    const std::int64_t kernelNs = Hooks().kernelClockNs();
    if (m_transport.socket == wire::SocketKind::Stream) {
        // The four bytes may come in pieces: wait for all of them or for the close.
        m_streamBytes +=
            m_pSocket->Receive(qint64{wire::kTimeReplySize} - m_streamBytes.size()).bytes;
        if (m_streamBytes.size() == qint64{wire::kTimeReplySize}) {
            Evaluate(m_streamBytes, std::nullopt, localNtp, kernelNs);
        }
        return;
    }
    const CTimeSocket::Received received = m_pSocket->Receive(kMaxDatagramSize);
    if (received.valid) {
        Evaluate(received.bytes, received.arrivalNs, localNtp, kernelNs);
    }
}

void CTimeQuery::Evaluate(const QByteArray& bytes, std::optional<std::int64_t> arrivalNs,
                          double localNtp, std::int64_t kernelNs) {
    ReceivedReply reply;
    reply.localNtp = localNtp;
    reply.kernelNs = kernelNs;
    reply.bytes = {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                   static_cast<std::size_t>(bytes.size())};
    reply.arrivalNs = arrivalNs;
    reply.address = m_pSocket->PeerAddress().toStdString();
    const std::optional<ReplyEvaluation> evaluation =
        EvaluateReply(m_transport.protocol, reply, m_nNonce, m_bCorrectClock, m_instants, Hooks());
    if (!evaluation) {
        return;
    }
    const QueryOutcome::Result result = evaluation->outcome.result;
    const bool answered =
        result == QueryOutcome::Result::Answered || result == QueryOutcome::Result::Corrected;
    const QString text = QString::fromStdString(evaluation->text);
    if (answered) {
        // The result first, then the warning and the unattended close after it.
        m_view.ShowStatusText(text);
        if (evaluation->deltaWarning) {
            m_view.PostDeltaWarning();
        }
        if (m_bExitWhenDone) {
            m_view.PostClose();
        }
        End(QString(), evaluation->outcome);
        return;
    }
    End(text, evaluation->outcome);
}

void CTimeQuery::OnClose() {
    // Part of a Time reply at the close is all there will be: it is judged as it stands.
    if (m_transport.socket == wire::SocketKind::Stream) {
        m_streamBytes +=
            m_pSocket->Receive(qint64{wire::kTimeReplySize} - m_streamBytes.size()).bytes;
        if (!m_streamBytes.isEmpty()) {
            Evaluate(m_streamBytes, std::nullopt, Hooks().localClockNtp(), Hooks().kernelClockNs());
            return;
        }
    }
    // Without a reply the query stays pending until the time-out asks again.
    DropSocket();
}
