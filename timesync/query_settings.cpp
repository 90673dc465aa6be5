#include "timesync/query_settings.h"

#include "timesync/host_text.h"

QString g_strTimeBase;
QString g_strSocketType;
QString g_strProtocol;
QString g_strNtsCaFile;
std::string g_strNtsCaPem;
std::uint16_t g_nTimebasePort = 0;
int g_nSamples = kDefaultSamples;

int SamplesChoice(int stored) {
    for (const int choice : kSampleChoices) {
        if (stored == choice) {
            return stored;
        }
    }
    return kDefaultSamples;
}

QString ChosenHost() {
    return HostOf(g_strTimeBase);
}

wire::Transport ChosenTransport() {
    return TransportOf(g_strTimeBase);
}

QString HostOf(const QString& timebase) {
    return QString::fromStdString(SplitHostAndPort(timebase.toStdString()).host);
}

wire::Transport TransportOf(const QString& timebase) {
    wire::Transport transport =
        wire::TransportFor(g_strProtocol.toStdString(), g_strSocketType.toStdString());
    // The run's --port first, then a port written with the host.
    if (const std::uint16_t port = SplitHostAndPort(timebase.toStdString()).port) {
        transport.port = port;
    }
    if (g_nTimebasePort != 0) {
        transport.port = g_nTimebasePort;
    }
    return transport;
}
