#pragma once

#include "timesync/wire_format.h"

#include <QString>

class ITimeSyncView;

// The protocol, transport and port the query uses: the program-wide settings, with the
// port of this run when one is given.
wire::Transport ChosenTransport();

// The commands that start and end a time query, all on the GUI thread.

// Starts a query of the chosen protocol with the chosen Timebase.
void OnQueryTimebase(ITimeSyncView& view);
// Marks the query as a correcting one, then starts it.
void OnCorrectClock(ITimeSyncView& view);
// As OnCorrectClock; during a running query it only marks that query as correcting.
void OnTrayCorrectClock(ITimeSyncView& view);
// Ends the running query at the user's request.
void OnReset(ITimeSyncView& view);

// Ends the running query: the socket goes, the buttons come back, the query is no longer
// pending. An empty reason leaves the status text as it is.
void ResetQuery(ITimeSyncView& view, const QString& reason);

// Closes and lets go of the running query's socket, if any, without touching the window
// (for the window's own close).
void DiscardQuerySocket();
