// main() for test programs that need widgets: a QApplication on the sandbox's X display.
#include <QApplication>
#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

namespace {
// The OpenGL driver is unloaded when the display closes, before LeakSanitizer looks; its
// blocks would then be reported against whatever module now lies at their addresses.
// Pinned, the driver keeps its blocks reachable, and its name in any stack.
int PinGraphicsDriver(dl_phdr_info* info, size_t, void*) {
    if (std::strstr(info->dlpi_name, "_dri.so")) {
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    const int result = RUN_ALL_TESTS();
    dl_iterate_phdr(PinGraphicsDriver, nullptr);
    return result;
}
