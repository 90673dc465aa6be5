#pragma once

// Resolves a Timebase's name on a thread that nobody waits for. Qt's own lookups run in a
// pool that the program joins on its way out, so a silent name server would hold a query
// that gave up, or a closing program, until the resolver itself gave up.
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class CNameLookup : public QObject {
    Q_OBJECT
  public:
    // Starts at once. Destroying the lookup drops its answer, whenever that comes.
    CNameLookup(const QString& name, QObject* parent);
    ~CNameLookup() override;

    // Why a name gave no address: the name servers said it does not exist (or has no
    // address), or they could not be asked or did not answer.
    enum class Failure { NotFound, LookupFailed };

  Q_SIGNALS:
    // The addresses in the system's order of preference, at least one.
    void Resolved(const QList<QHostAddress>& addresses);
    void Failed(CNameLookup::Failure failure);

  private:
    struct Link;
    std::shared_ptr<Link> m_link;
};
