#include "platform/display_probe.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace platform;

TEST(DisplayProbe, LocalX11NumbersAndListeningWaylandSockets) {
    const std::pair<const char*, int> local[] = {
        {":0", 0}, {":1.0", 1}, {"unix:12", 12}, {":99.3", 99}};
    for (const auto& [name, number] : local) {
        EXPECT_EQ(LocalX11DisplayNumber(name), number) << name;
    }
    // A forwarded display (localhost:10.0) is on the network.
    for (const char* name :
         {":", ":x", ":-1", ":1x", "", "0", "remote.example:0", "localhost:10.0"}) {
        EXPECT_EQ(LocalX11DisplayNumber(name), std::nullopt) << name;
    }
    EXPECT_FALSE(X11DisplayReachable(""));
    // Where the display is not local, the GUI library decides.
    EXPECT_TRUE(X11DisplayReachable("remote.example:0"));

    // A Wayland socket counts only while something listens on it.
    char folder[] = "/tmp/horolux-wayland-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/wayland-7";
    EXPECT_FALSE(WaylandDisplayReachable("", folder));
    EXPECT_FALSE(WaylandDisplayReachable("wayland-7", folder));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // Bound but not listening: a stale socket file of a compositor that is gone.
    EXPECT_FALSE(WaylandDisplayReachable("wayland-7", folder));
    ASSERT_EQ(::listen(listener, 1), 0);
    EXPECT_TRUE(WaylandDisplayReachable("wayland-7", folder));
    EXPECT_TRUE(WaylandDisplayReachable(path, ""));
    EXPECT_FALSE(WaylandDisplayReachable("wayland-7", ""));
    ::close(listener);
    EXPECT_FALSE(WaylandDisplayReachable("wayland-7", folder));
    std::filesystem::remove_all(folder);
}
