#include "ui/client_popup.h"

#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

CClientPopup::CClientPopup(QWidget& client, QWidget& view, QMenu& popup)
    : QObject(&client), m_client(client), m_view(view), m_popup(popup) {
    setObjectName("clientPopup");
    client.installEventFilter(this);
    view.installEventFilter(this);
}

bool CClientPopup::IsOnView(QObject* watched, const QPoint& position) const {
    if (watched == &m_view) {
        return true;
    }
    // A press that reaches the client itself either hit its bare background or was
    // passed on by a child that did not want it.
    const QWidget* hit = m_client.childAt(position);
    return hit == nullptr || hit == &m_view || m_view.isAncestorOf(hit);
}

bool CClientPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton && IsOnView(watched, press->position().toPoint())) {
            const QPoint point = press->globalPosition().toPoint();
            m_popup.popup(point - QPoint(m_popup.sizeHint().width() / 2, 0));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
