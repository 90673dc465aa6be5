#include "cli/console_view.h"

void CConsoleView::QueryEnded(const QueryOutcome& outcome) {
    m_outcome = outcome;
    if (onQueryEnded) {
        onQueryEnded();
    }
}
