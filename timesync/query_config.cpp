#include "timesync/query_config.h"

#include "timesync/host_text.h"

int SamplesChoice(int stored) {
    for (const int choice : kSampleChoices) {
        if (stored == choice) {
            return stored;
        }
    }
    return kDefaultSamples;
}

QString QueryConfig::Host() const {
    return QString::fromStdString(SplitHostAndPort(timebase.toStdString()).host);
}

wire::Transport QueryConfig::Transport() const {
    wire::Transport transport =
        wire::TransportFor(protocol.toStdString(), socketType.toStdString());
    // The run's --port first, then a port written with the host.
    if (const std::uint16_t written = SplitHostAndPort(timebase.toStdString()).port) {
        transport.port = written;
    }
    if (port != 0) {
        transport.port = port;
    }
    return transport;
}
