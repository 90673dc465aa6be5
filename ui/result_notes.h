#pragma once

// The lines pane 0's tooltip adds for an answered query.
#include <QStringList>

struct QueryOutcome;

// The direction in words and the Timebase time in the user's locale, with a four-digit year
// and the time zone; nothing for a query that measured nothing.
QStringList ResultNotes(const QueryOutcome& outcome);
