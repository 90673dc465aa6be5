#include "ui/pane_fit.h"

#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"

#include <QFontMetrics>

QString FitPaneText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    QString shown = text;
    // The prefix as the query wrote it, in the user's language.
    const QString prefix = QString::fromStdString(Translated(texts::kTimebaseClockPrefix));
    const QLatin1String suffix(texts::kClockSuffix);
    const qsizetype end = text.indexOf(suffix, prefix.size());
    if (text.startsWith(prefix) && end > 0 && end + suffix.size() < text.size()) {
        shown = text.mid(end + suffix.size()) + suffix + text.left(end);
    }
    return metrics.elidedText(shown, Qt::ElideRight, width);
}
