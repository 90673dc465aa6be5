#include "timesync/query_settings.h"

#include "timesync/host_text.h"

QString g_strTimeBase;
QString g_strSocketType;
QString g_strProtocol;
QString g_strNtsCaFile;
std::uint16_t g_nTimebasePort = 0;

QString ChosenHost() {
    return QString::fromStdString(SplitHostAndPort(g_strTimeBase.toStdString()).host);
}

wire::Transport ChosenTransport() {
    wire::Transport transport =
        wire::TransportFor(g_strProtocol.toStdString(), g_strSocketType.toStdString());
    // The run's --port first, then a port written with the host.
    if (const std::uint16_t port = SplitHostAndPort(g_strTimeBase.toStdString()).port) {
        transport.port = port;
    }
    if (g_nTimebasePort != 0) {
        transport.port = g_nTimebasePort;
    }
    return transport;
}
