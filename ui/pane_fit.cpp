#include "ui/pane_fit.h"

#include "timesync/status_texts.h"

#include <QFontMetrics>

QString FitPaneText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    QString shown = text;
    const QLatin1String prefix(texts::kTimebaseClockPrefix);
    const QLatin1String suffix(texts::kClockSuffix);
    const qsizetype end = text.indexOf(suffix, prefix.size());
    if (text.startsWith(prefix) && end > 0 && end + suffix.size() < text.size()) {
        shown = text.mid(end + suffix.size()) + suffix + text.left(end);
    }
    return metrics.elidedText(shown, Qt::ElideRight, width);
}
