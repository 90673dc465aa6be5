#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string Reason(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view content) {
    if (path.empty() || path.back() == '/') {
        return "not a file name";
    }
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // A leading dot and a suffix after the name: collectors that read *.prom skip it.
    std::string temporary = folder + "." + name + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return Reason("cannot create a file in its folder");
    }
    std::string error;
    if (!WriteAll(fd, content)) {
        error = Reason("cannot write");
    } else if (::fchmod(fd, 0644) != 0) {
        error = Reason("cannot set its permissions");
    } else if (::fsync(fd) != 0) {
        error = Reason("cannot flush it to disk");
    }
    if (::close(fd) != 0 && error.empty()) {
        error = Reason("cannot write");
    }
    if (error.empty() && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = Reason("cannot replace it");
    }
    if (!error.empty()) {
        ::unlink(temporary.c_str());
    }
    return error;
}

} // namespace platform
