#pragma once

// The settings a query reads when it starts: loaded at start-up (or from a console run's
// options) and written through by the option commands. GUI thread only.
#include "timesync/query_setting_keys.h"
#include "timesync/wire_format.h"

#include <QString>
#include <cstdint>
#include <string>

extern QString g_strTimeBase;
extern QString g_strSocketType;
extern QString g_strProtocol;
// The NTS CA file (setting NtsCaFile, or a console run's --ca-file); empty: the system's store.
extern QString g_strNtsCaFile;
// CA certificates (PEM) already read and checked, trusted instead of g_strNtsCaFile when not
// empty: the root helper's --ca-file, never opened by path again.
extern std::string g_strNtsCaPem;
// A Timebase port other than the protocol's own, for one console run (--port); 0 keeps
// the protocol's port. The window never sets it.
extern std::uint16_t g_nTimebasePort;
// SNTP requests per query (setting Samples, or a console run's --samples).
extern int g_nSamples;

// A stored Samples value as the window offers it: 1, 4 or 8, anything else the default.
int SamplesChoice(int stored);

// The host the next query asks ("[::1]:123" gives "::1"), and its protocol, transport and
// port.
QString ChosenHost();
wire::Transport ChosenTransport();
// The same for a given Timebase text instead of the TimeBase setting.
QString HostOf(const QString& timebase);
wire::Transport TransportOf(const QString& timebase);
