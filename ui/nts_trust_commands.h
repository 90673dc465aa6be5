#pragma once

// Options > Protocol: which certificates NTS servers are checked against, a CA file the
// user picks (setting NtsCaFile) or the system's store. The next query uses the choice.
#include <QObject>
#include <QString>

class CStatusBar;
class QWidget;

class CNtsTrustCommands : public QObject {
    Q_OBJECT
  public:
    CNtsTrustCommands(QWidget& frame, CStatusBar& statusBar);

    // Runs the handler of ID_PROTOCOL_NTSCAFILE or ID_PROTOCOL_SYSTEMCA; false for others.
    bool Dispatch(int id);

  private:
    void OnChooseCaFile();
    void OnUseSystemCertificates();
    void Use(const QString& caFile, const QString& confirmation);

    QWidget& m_frame;
    CStatusBar& m_statusBar;
};
