#pragma once

#include <QObject>

class QMenu;
class QWidget;

// Opens the client-area popup on a right press on the 3D view, centred horizontally
// on the point. Presses on the buttons (which pass the right button on to their
// parent) and on the status bar open nothing.
class CClientPopup : public QObject {
    Q_OBJECT
  public:
    CClientPopup(QWidget& client, QWidget& view, QMenu& popup);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool IsOnView(QObject* watched, const QPoint& position) const;

    QWidget& m_client;
    QWidget& m_view;
    QMenu& m_popup;
};
