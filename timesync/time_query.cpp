#include "timesync/time_query.h"

#include "timesync/ntp_time.h"
#include "timesync/nts_trust_anchor.h"
#include "timesync/progress_pacing.h"
#include "timesync/query_settings.h"
#include "timesync/result_texts.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/time_sync_view.h"

#include <algorithm>

namespace {

// Room for an NTS reply with a full jar's worth of cookies.
constexpr qint64 kMaxDatagramSize = 4096;
std::optional<QByteArray> RequestOf(const wire::Transport& transport, std::uint64_t nonce) {
    switch (transport.request) {
    case wire::Request::None:
        break;
    case wire::Request::EmptyDatagram:
        return QByteArray();
    case wire::Request::NtsPacket:
        break;
    case wire::Request::SntpPacket: {
        const wire::SntpPacket packet = wire::BuildSntpRequest(nonce);
        return QByteArray(reinterpret_cast<const char*>(packet.data()),
                          static_cast<qsizetype>(packet.size()));
    }
    }
    return std::nullopt;
}

} // namespace

CTimeQuery::CTimeQuery(ITimeSyncView& view) : m_view(view) {
    m_sampleTimer.setSingleShot(true);
    m_sampleTimer.setTimerType(Qt::PreciseTimer);
    m_sampleTimer.setInterval(burst::kSampleTimeoutMs);
    QObject::connect(&m_sampleTimer, &QTimer::timeout, this, [this] { OnSampleTimeout(); });
}

CTimeQuery::~CTimeQuery() {
    m_pWatchdog.reset();
    m_nts.CancelKeyExchange();
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

QString CTimeQuery::Host() const {
    return timebase.isEmpty() ? ChosenHost() : HostOf(timebase);
}

wire::Transport CTimeQuery::Transport() const {
    return timebase.isEmpty() ? ChosenTransport() : TransportOf(timebase);
}

void CTimeQuery::Start() {
    m_view.TakeFocus();
    m_view.EnableQueryButton(false);
    m_view.EnableCorrectButton(false);

    // One socket at a time: a query never leaves another one open behind it.
    DropSocket();
    m_nts.CancelKeyExchange();
    m_transport = Transport();
    m_nNonce = Hooks().newRequestNonce();
    // Bursts are SNTP's: an NTS request spends a cookie, a Time reply has no delay to compare.
    m_nWanted = m_transport.protocol == wire::Protocol::Sntp
                    ? std::clamp(g_nSamples, burst::kMinSamples, burst::kMaxSamples)
                    : 1;
    m_burst.clear();
    m_sampleTimer.stop();
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
    if (m_transport.protocol == wire::Protocol::Nts &&
        !m_nts.Load(
            Host().toStdString(), m_transport.port,
            g_strNtsCaPem.empty()
                ? nts::TrustAnchorOfFile(g_strNtsCaFile.toStdString())
                : nts::TrustAnchorOf({reinterpret_cast<const std::uint8_t*>(g_strNtsCaPem.data()),
                                      g_strNtsCaPem.size()}))) {
        StartKeyExchange();
        return;
    }
    OpenSocket();
}

void CTimeQuery::OpenSocket() {
    wire::Transport transport = m_transport;
    QString host = Host();
    std::optional<QByteArray> request = RequestOf(m_transport, m_nNonce);
    if (m_transport.protocol == wire::Protocol::Nts) {
        const std::vector<std::uint8_t> packet = m_nts.TakeRequest(m_nNonce);
        request = QByteArray(reinterpret_cast<const char*>(packet.data()),
                             static_cast<qsizetype>(packet.size()));
        transport.port = m_nts.NtpPort();
        host = QString::fromStdString(m_nts.NtpServer());
    }
    m_pSocket.reset(new CTimeSocket(*this, transport, this));
    m_streamBytes.clear();
    m_burst.clear();
    if (!m_pSocket->Create()) {
        EndBeforeReply(QString::fromLatin1(texts::kSocketCreationFailed),
                       QueryOutcome::Result::SocketFailed);
        return;
    }
    m_view.ShowStatusText(QString::fromLatin1(texts::kSocketCreated));
    m_view.ShowStatusText(QString::fromLatin1(texts::kConnecting));
    m_pSocket->Connect(host);
    if (request) {
        m_pSocket->SendWhenConnected(*request);
    }
}

void CTimeQuery::StartKeyExchange() {
    m_nts.StartKeyExchange(g_strNtsCaFile.toStdString(), g_strNtsCaPem,
                           [this](unsigned number, nts::KeResult result) {
                               // Runs only while the exchange, and so this query, exists.
                               QMetaObject::invokeMethod(
                                   this,
                                   [this, number, result = std::move(result)] {
                                       if (m_nts.IsCurrent(number)) {
                                           OnKeyExchangeDone(result);
                                       }
                                   },
                                   Qt::QueuedConnection);
                           });
}

void CTimeQuery::OnKeyExchangeDone(const nts::KeResult& result) {
    if (const std::optional<std::string> reason = m_nts.Accept(result)) {
        EndBeforeReply(QString::fromStdString(results::KeyExchangeFailedText(reason->c_str())),
                       QueryOutcome::Result::AuthenticationFailed);
        return;
    }
    OpenSocket();
}

void CTimeQuery::End(const QString& reason, const QueryOutcome& outcome) {
    m_sampleTimer.stop();
    DropSocket();
    m_nts.CancelKeyExchange();
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
    // A key exchange runs to its own deadline, which comes before the worker's.
    if (step.timedOut && !m_nts.IsExchangingKeys()) {
        if (HasAnsweredSample()) {
            FinishBurst();
            return;
        }
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
    if (m_transport.request != wire::Request::SntpPacket &&
        m_transport.request != wire::Request::NtsPacket) {
        return;
    }
    // T1 is when the request left: a thread put aside between the send and the reading
    // must not make it late.
    const double reading = Hooks().localClockNtp();
    const std::int64_t kernelNs = Hooks().kernelClockNs();
    const std::optional<std::int64_t> sent = m_pSocket->TakeSendStampNs();
    m_instants = QueryInstants{};
    m_instants.dSendTime = ntp::ReadingAt(reading, sent ? kernelNs - *sent : 0);
    BurstEntry entry;
    entry.nonce = m_nNonce;
    m_burst.push_back(std::move(entry));
    if (m_nWanted > 1) {
        m_sampleTimer.start();
    }
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
    if (m_transport.protocol == wire::Protocol::Nts) {
        const CNtsSession::Reply check = m_nts.Check(reply.bytes);
        if (check == CNtsSession::Reply::Drop) {
            return;
        }
        if (check == CNtsSession::Reply::Renew) {
            DropSocket();
            StartKeyExchange();
            return;
        }
        reply.authentic = check == CNtsSession::Reply::Authentic;
    }
    // A burst decides as a plain query first: only its best sample may set the clock.
    const bool burstOfMany = m_nWanted > 1;
    std::optional<ReplyEvaluation> evaluation =
        EvaluateReply(m_transport.protocol, reply, m_nNonce, m_bCorrectClock && !burstOfMany,
                      m_instants, Hooks());
    if (!evaluation) {
        return;
    }
    if (m_transport.protocol == wire::Protocol::Nts) {
        evaluation->outcome.ntsKeMs = m_nts.KeyExchangeMs();
    }
    if (m_transport.protocol == wire::Protocol::Time || m_burst.empty()) {
        Finish(std::move(*evaluation));
        return;
    }
    BurstEntry& entry = m_burst.back();
    const QueryOutcome& outcome = evaluation->outcome;
    const bool good = outcome.offset && outcome.delay;
    entry.sample.state = good ? burst::Sample::State::Good : burst::Sample::State::Bogus;
    entry.sample.offset = outcome.offset.value_or(0.0);
    entry.sample.delay = outcome.delay.value_or(0.0);
    entry.instants = m_instants;
    entry.bytes.assign(reply.bytes.begin(), reply.bytes.end());
    entry.reply = reply;
    entry.reply.bytes = entry.bytes;
    const bool kissOfDeath = outcome.result == QueryOutcome::Result::Bogus && outcome.stratum == 0;
    entry.evaluation = std::move(evaluation);
    if (!burstOfMany) {
        entry.sample.used = good;
        Finish(*entry.evaluation);
        return;
    }
    m_sampleTimer.stop();
    if (burst::WantsAnother(Samples(), m_nWanted, kissOfDeath)) {
        SendNextSample();
    } else {
        FinishBurst();
    }
}

void CTimeQuery::SendNextSample() {
    m_nNonce = Hooks().newRequestNonce();
    if (const std::optional<QByteArray> request = RequestOf(m_transport, m_nNonce)) {
        m_pSocket->SendWhenConnected(*request);
    }
}

void CTimeQuery::OnSampleTimeout() {
    if (!m_pSocket) {
        return;
    }
    if (burst::WantsAnother(Samples(), m_nWanted, false)) {
        SendNextSample();
    } else if (HasAnsweredSample()) {
        FinishBurst();
    }
    // Otherwise the last request may still be answered until the worker's time-out.
}

std::vector<burst::Sample> CTimeQuery::Samples() const {
    std::vector<burst::Sample> samples;
    for (const BurstEntry& each : m_burst) {
        samples.push_back(each.sample);
    }
    return samples;
}

bool CTimeQuery::HasAnsweredSample() const {
    return std::any_of(m_burst.begin(), m_burst.end(),
                       [](const BurstEntry& entry) { return entry.evaluation.has_value(); });
}

void CTimeQuery::FinishBurst() {
    m_sampleTimer.stop();
    if (const std::optional<std::size_t> chosen = burst::ChooseSample(Samples())) {
        BurstEntry& best = m_burst[*chosen];
        best.sample.used = true;
        m_instants = best.instants;
        if (std::optional<ReplyEvaluation> evaluation = Redecide(best, m_bCorrectClock)) {
            Finish(std::move(*evaluation));
            return;
        }
    }
    // No good sample: the query ends as a single exchange would have, with the last refusal.
    for (auto entry = m_burst.rbegin(); entry != m_burst.rend(); ++entry) {
        if (entry->evaluation) {
            Finish(*entry->evaluation);
            return;
        }
    }
}

std::optional<ReplyEvaluation> CTimeQuery::Redecide(BurstEntry& entry, bool correcting) {
    if (!entry.evaluation) {
        return std::nullopt;
    }
    if (!correcting) {
        return entry.evaluation;
    }
    QueryInstants instants = entry.instants;
    ReceivedReply reply = entry.reply;
    reply.bytes = entry.bytes;
    std::optional<ReplyEvaluation> evaluation =
        EvaluateReply(m_transport.protocol, reply, entry.nonce, true, instants, Hooks());
    if (evaluation) {
        evaluation->outcome.ntsKeMs = entry.evaluation->outcome.ntsKeMs;
    }
    return evaluation;
}

std::optional<ReplyEvaluation> CTimeQuery::CorrectFromChosenSample() {
    for (BurstEntry& entry : m_burst) {
        if (entry.sample.used) {
            std::optional<ReplyEvaluation> evaluation = Redecide(entry, true);
            if (evaluation) {
                evaluation->outcome.samples = Samples();
            }
            return evaluation;
        }
    }
    return std::nullopt;
}

void CTimeQuery::Finish(ReplyEvaluation evaluation) {
    evaluation.outcome.samples = Samples();
    const QueryOutcome::Result result = evaluation.outcome.result;
    const bool answered =
        result == QueryOutcome::Result::Answered || result == QueryOutcome::Result::Corrected;
    const QString text = QString::fromStdString(evaluation.text);
    if (answered) {
        // The result first, then the warning and the unattended close after it.
        m_view.ShowStatusText(text);
        if (evaluation.deltaWarning) {
            m_view.PostDeltaWarning();
        }
        if (m_bExitWhenDone) {
            m_view.PostClose();
        }
        End(QString(), evaluation.outcome);
        return;
    }
    End(text, evaluation.outcome);
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
