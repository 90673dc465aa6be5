#pragma once

// One owner for the time query: its configuration, socket, nonce, the correcting mark, the
// progress position and the timers that pace it. The commands, the socket's reports and
// the timers all arrive here, on the query's thread, and only here is decided what they
// mean; the view just shows it.
#include "timesync/nts_session.h"
#include "timesync/progress_pacing.h"
#include "timesync/query_config.h"
#include "timesync/query_outcome.h"
#include "timesync/reply_evaluation.h"
#include "timesync/time_socket.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class ITimeSyncView;

class CTimeQuery : public QObject, private ITimeSocketEvents {
    Q_OBJECT
  public:
    explicit CTimeQuery(ITimeSyncView& view);
    // Closes a running query's socket without a word to the view.
    ~CTimeQuery() override;

    // The pause between two progress steps (tests shorten it).
    int stepPeriodMs = pacing::kStepPeriodMs;

    // Starts a query with this configuration; a correcting one keeps its mark until the
    // query ends, through its restarts.
    void Start(const QueryConfig& config);
    // As Start; during a running query it only marks that query as correcting.
    void OnTrayCorrectClock(const QueryConfig& config);
    // Ends the running query at the user's request.
    void OnReset();
    // Ends the running query with another reason (a console run's time-out).
    void Abandon(const QString& reason);
    // The window's periodic tick: with no query pending, the progress clears.
    void Tick();
    // Closes the window once a query has answered (the unattended start).
    void SetExitWhenDone() { m_exitWhenDone = true; }

    bool IsPending() const { return m_pending; }
    bool IsCorrecting() const { return m_correcting; }
    // The configuration of the running or the last query.
    const QueryConfig& Config() const { return m_config; }
    // The running query's socket, or nullptr.
    const CTimeSocket* Socket() const { return m_socket.get(); }

  private:
    // (Re)starts the exchange: a fresh socket and nonce, keys first for NTS.
    void Begin();
    // Makes the socket and sends the request (for NTS once keys and a cookie are at hand).
    void OpenSocket();
    void StartKeyExchange();
    void OnKeyExchangeDone(const nts::KeResult& result);
    // Ends the query for good; an empty reason leaves the status text as it is.
    void End(const QString& reason, QueryOutcome outcome);
    // An end before any reply was decided.
    void EndBeforeReply(const QString& reason, QueryOutcome::Result result);
    void DropSocket();
    void OnStep();
    // One request of a burst: what ties a reply to it (its nonce, for NTS its Unique
    // Identifier), when it left, and once answered the decision on its reply.
    struct BurstEntry {
        burst::Sample sample;
        std::optional<ReplyDecision> decision;
        std::uint64_t nonce = 0;
        nts::UniqueId uniqueId{};
        std::optional<std::int64_t> sentNtpNs;
    };
    // Sends the next request of the burst; false when none could go (an empty jar).
    bool SendRequest();
    // The request a reply answers: sent and without a good sample yet.
    struct Match {
        std::size_t index = 0;
        ReplyDecision decision;
    };
    std::optional<Match> MatchReply(ReceivedReply reply);
    void OnSampleReply(Match match);
    void OnSampleTimeout();
    // Ends the burst with its best sample, or with its last refused reply.
    void FinishBurst();
    // Shows a decided reply (setting the clock first for a correcting query) and ends.
    void Finish(ReplyDecision decision);
    bool HasAnsweredSample() const;
    // A request sent and not answered yet.
    bool HasOutstandingRequest() const;
    // The burst's samples so far, in the order sent.
    std::vector<burst::Sample> Samples() const;

    // ITimeSocketEvents
    void OnSent(std::int64_t sentNtpNs) override;
    void OnConnect(bool connected) override;
    void OnNameNotResolved(bool notFound) override;
    void OnReply(const SocketReply& reply) override;
    void OnClose() override;

    // The pane's words for the latest name failure, while retrying or as the end.
    QString NameText(bool ended) const;
    // Whether the next NTS attempt gives up the jar for a new key exchange.
    bool WantsNewKeys() const;

    ITimeSyncView& m_view;
    QueryConfig m_config;
    wire::Transport m_transport{};
    std::unique_ptr<CTimeSocket> m_socket;
    CNtsSession m_nts;
    // The requests this query sends, and what came of those sent so far.
    int m_wanted = 1;
    std::vector<BurstEntry> m_burst;
    QTimer m_sampleTimer;
    QTimer m_stepTimer;
    bool m_pending = false;
    bool m_correcting = false;
    bool m_exitWhenDone = false;
    // NTS: requests sent since the last authentic reply or key exchange, whether a NAK came
    // in that time, and the last unauthentic reply of this query, which names its end
    // when nothing authentic came.
    int m_unansweredRequests = 0;
    bool m_nakSeen = false;
    std::optional<QueryOutcome> m_unauthentic;
    bool m_unauthenticThisAttempt = false;
    // The Timebase's name gave no address in the latest attempt: whether the name servers
    // said it does not exist. The reason a run ends with when its time-out comes.
    std::optional<bool> m_nameNotFound;
    int m_progress = pacing::kProgressMinimum;
};
