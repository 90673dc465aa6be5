#pragma once

class CTimeSocket;
class ITimeSyncView;

// Reads the reply waiting on the socket and acts on it: ignores it when it answers
// another request, refuses it as bogus, or shows the result or corrects the clock,
// then ends the query.
void EvaluateReply(ITimeSyncView& view, CTimeSocket& socket);
