#include "ui/status_bar.h"

#include "ui/control_ids.h"
#include "ui/indicator_rules.h"
#include "ui/pane_fit.h"
#include "ui/progress_accessible.h"
#include "ui/query_settings.h"
#include "ui/window_texts.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QLabel>
#include <QProgressBar>
#include <QToolTip>

namespace {
constexpr int kAnnounceSettleMs = 1000;

// An unlit indicator keeps its width and shows no text.
void Light(QLabel* pane, bool lit) {
    const QString text = lit ? pane->property("indicatorText").toString() : QString();
    if (pane->text() != text) {
        pane->setText(text);
        pane->setAccessibleDescription(lit ? CStatusBar::tr("in use")
                                           : CStatusBar::tr("not in use"));
    }
}

// The protocol as its menu item names it.
QString ProtocolName(const QString& protocol, const QString& socketType) {
    if (protocol == QLatin1String(kProtocolTime)) {
        return CStatusBar::tr("Time (%1)").arg(socketType);
    }
    return protocol;
}

int PaneWidth(const QWidget* pane, const char* text) {
    constexpr int kPaneBorder = 8;
    return pane->fontMetrics().horizontalAdvance(QString::fromLatin1(text)) + kPaneBorder;
}
} // namespace

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName("statusBar");
    // Before anything makes Qt create the progress bar's accessible interface.
    QAccessible::installFactory(ProgressAccessible);
    setSizeGripEnabled(false);

    m_pIcon = new QLabel(this);
    m_pIcon->setObjectName("paneIcon");
    m_pIcon->hide();
    addWidget(m_pIcon);

    m_pMessage = new QLabel(this);
    m_pMessage->setObjectName("pane0");
    m_pMessage->setAccessibleDescription(tr("Status of the time query"));
    // Named from the start: an unnamed label would announce every change of its text.
    m_pMessage->setAccessibleName(tr("Status"));
    m_announceTimer.setSingleShot(true);
    m_announceTimer.setInterval(kAnnounceSettleMs);
    connect(&m_announceTimer, &QTimer::timeout, this, &CStatusBar::AnnouncePaneText);
    m_pMessage->setMinimumWidth(kMinimumPaneZeroWidth);
    m_pMessage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addWidget(m_pMessage, 1);
    m_pMessage->installEventFilter(this);

    m_pPrompt = new QLabel(this);
    m_pPrompt->setObjectName("panePrompt");
    m_pPrompt->setMinimumWidth(kMinimumPaneZeroWidth);
    m_pPrompt->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addWidget(m_pPrompt, 1);
    m_pPrompt->hide();

    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName("progress");
    m_pProgress->setRange(kProgressMinimum, kProgressMaximum);
    m_pProgress->setValue(kProgressMinimum);
    m_pProgress->setTextVisible(false);
    m_pProgress->setAccessibleName(tr("Query progress"));
    m_pProgress->setFixedWidth(PaneWidth(m_pProgress, kIndicatorProgressText));
    addPermanentWidget(m_pProgress);

    m_pTcp = AddIndicator(kIndicatorTcpText, "indicatorTCP");
    m_pUdp = AddIndicator(kIndicatorUdpText, "indicatorUDP");
    m_pSntp = AddIndicator(kIndicatorSntpText, "indicatorSNTP");
    m_pNts = AddIndicator(kIndicatorNtsText, "indicatorNTS");
    UpdateIndicators();
}

QLabel* CStatusBar::AddIndicator(const char* text, const char* objectName) {
    auto* pane = new QLabel(this);
    pane->setObjectName(objectName);
    pane->setProperty("indicatorText", QString::fromLatin1(text));
    // Named also while unlit, when it shows no text.
    pane->setAccessibleName(tr("%1 indicator").arg(QString::fromLatin1(text)));
    pane->setAccessibleDescription(tr("not in use"));
    pane->setAlignment(Qt::AlignCenter);
    pane->setFixedWidth(PaneWidth(pane, text));
    addPermanentWidget(pane);
    return pane;
}

void CStatusBar::ShowPaneText(const QString& text, Announce when) {
    m_strPaneText = text;
    m_resultNotes.clear();
    m_pIcon->hide();
    m_pIcon->setProperty("result", QString());
    if (when == Announce::Now) {
        AnnouncePaneText();
    } else {
        m_announceTimer.start();
    }
    ElidePaneText();
    UpdateIndicators();
    repaint();
}

void CStatusBar::ShowResult(ResultIcon icon, const QStringList& notes) {
    m_resultNotes = notes;
    m_pIcon->setProperty("result", QString::fromLatin1(ResultIconKey(icon)));
    const int side = m_pMessage->fontMetrics().height();
    m_pIcon->setPixmap(ResultIconImage(icon).pixmap(QSize(side, side)));
    m_pIcon->setVisible(icon != ResultIcon::None && m_pPrompt->isHidden());
}

void CStatusBar::AnnouncePaneText() {
    m_announceTimer.stop();
    // Each name change is an event, also for the same name: only a new one is set.
    const QString name = m_strPaneText.isEmpty() ? tr("Status") : m_strPaneText;
    if (m_pMessage->accessibleName() != name) {
        m_pMessage->setAccessibleName(name);
    }
}

QString CStatusBar::PaneText() const {
    return m_strPaneText;
}

QString CStatusBar::PaneToolTip() const {
    QStringList lines{m_strPaneText, tr("Timebase: %1").arg(g_strTimeBase),
                      tr("Protocol: %1").arg(ProtocolName(g_strProtocol, g_strSocketType))};
    lines << m_resultNotes;
    if (!m_strQueryNote.isEmpty()) {
        lines << m_strQueryNote;
    }
    if (!m_strSystemTime.isEmpty()) {
        lines << m_strSystemTime;
    }
    return lines.join(QLatin1Char('\n'));
}

void CStatusBar::ElidePaneText() {
    const QString shown =
        FitPaneText(m_strPaneText, m_pMessage->fontMetrics(), m_pMessage->contentsRect().width());
    if (m_pMessage->text() != shown) {
        m_pMessage->setText(shown);
    }
}

bool CStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pMessage && event->type() == QEvent::Resize) {
        ElidePaneText();
    } else if (watched == m_pMessage && event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), PaneToolTip(), m_pMessage);
        return true;
    }
    return QStatusBar::eventFilter(watched, event);
}

void CStatusBar::ShowPrompt(const QString& prompt) {
    m_pPrompt->setText(prompt);
    if (m_pPrompt->isHidden()) {
        m_pIcon->hide();
        m_pMessage->hide();
        m_pPrompt->show();
    }
    repaint();
}

void CStatusBar::EndPrompt() {
    if (m_pPrompt->isHidden()) {
        return;
    }
    m_pPrompt->hide();
    m_pPrompt->clear();
    m_pMessage->show();
    m_pIcon->setVisible(!m_pIcon->property("result").toString().isEmpty());
    repaint();
}

void CStatusBar::UpdateIndicators() {
    Light(m_pTcp, IsTcpIndicatorLit(g_strProtocol, g_strSocketType));
    Light(m_pUdp, IsUdpIndicatorLit(g_strProtocol, g_strSocketType));
    Light(m_pSntp, IsSntpIndicatorLit(g_strProtocol, g_strSocketType));
    Light(m_pNts, IsNtsIndicatorLit(g_strProtocol));
}
