#include "platform/display_probe.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace platform;

TEST(DisplayProbe, LocalX11DisplayNumbers) {
    struct Case {
        const char* name;
        std::optional<int> number;
    };
    const Case cases[] = {
        {":0", 0},
        {":1.0", 1},
        {"unix:12", 12},
        {":99.3", 99},
        {"localhost:10.0", std::nullopt}, // a forwarded display is on the network
        {"remote.example:0", std::nullopt},
        {"", std::nullopt},
        {":", std::nullopt},
        {":x", std::nullopt},
        {":-1", std::nullopt},
        {":1x", std::nullopt},
        {"0", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LocalX11DisplayNumber(c.name), c.number) << c.name;
    }
}

TEST(DisplayProbe, AnEmptyDisplayNameIsNoDisplay) {
    EXPECT_FALSE(X11DisplayReachable(""));
    EXPECT_FALSE(WaylandDisplayReachable("", "/run/user/0"));
    // Where the display number is not local, the GUI library decides.
    EXPECT_TRUE(X11DisplayReachable("remote.example:0"));
}

TEST(DisplayProbe, AWaylandSocketCountsOnlyWhileSomethingListens) {
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const std::string dir = runtime.path().toStdString();
    EXPECT_FALSE(WaylandDisplayReachable("wayland-7", dir));

    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = dir + "/wayland-7";
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // Bound but not listening: a stale socket file of a compositor that is gone.
    EXPECT_FALSE(WaylandDisplayReachable("wayland-7", dir));
    ASSERT_EQ(::listen(listener, 1), 0);
    EXPECT_TRUE(WaylandDisplayReachable("wayland-7", dir));
    EXPECT_TRUE(WaylandDisplayReachable(path, ""));
    EXPECT_FALSE(WaylandDisplayReachable("wayland-7", ""));
    ::close(listener);
    EXPECT_FALSE(WaylandDisplayReachable("wayland-7", dir));
}
