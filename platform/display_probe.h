#pragma once

// Whether a graphical display can be reached, asked before the GUI library is started:
// it ends the process when it cannot connect, and without a display Horolux runs as its
// console twin instead.
#include <optional>
#include <string_view>

namespace platform {

// The display number of an X11 display name on this machine (":0", ":1.0", "unix:2");
// nothing for a display on another host or a text that is not a display name.
std::optional<int> LocalX11DisplayNumber(std::string_view name);

// True when an X server listens at the local socket of the display name, or when the
// display is on another host (the GUI library then finds out for itself).
bool X11DisplayReachable(std::string_view name);

// True when a Wayland compositor listens at the socket of the display name, a path of
// its own or one relative to the runtime folder.
bool WaylandDisplayReachable(std::string_view name, std::string_view runtimeDir);

} // namespace platform
