#include "timesync/query_settings.h"

QString g_strTimeBase;
QString g_strSocketType;
QString g_strProtocol;
std::uint16_t g_nTimebasePort = 0;

wire::Transport ChosenTransport() {
    wire::Transport transport =
        wire::TransportFor(g_strProtocol.toStdString(), g_strSocketType.toStdString());
    if (g_nTimebasePort != 0) {
        transport.port = g_nTimebasePort;
    }
    return transport;
}
