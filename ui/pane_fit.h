#pragma once

// What pane 0 shows of a text that may not fit its width.
#include <QString>

class QFontMetrics;

// The whole text when it fits. A result "Timebase Clock: <time>. <fact>" that does not
// fit shows its fact first, "<fact>. Timebase Clock: <time>", so that the offset stays
// readable; whatever still does not fit is elided at the end.
QString FitPaneText(const QString& text, const QFontMetrics& metrics, int width);
