#include "cli/helper_ca_file.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool InFolders(const char* real, std::span<const std::string_view> folders) {
    const std::string_view path(real);
    for (const std::string_view folder : folders) {
        if (path.size() > folder.size() && path.starts_with(folder)) {
            return true;
        }
    }
    return false;
}

// Where an open descriptor's file lives, as the kernel names it.
bool OpenedInFolders(int fd, std::span<const std::string_view> folders) {
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    char real[PATH_MAX];
    const ssize_t length = readlink(link.c_str(), real, sizeof real - 1);
    if (length <= 0) {
        return false;
    }
    real[length] = '\0';
    return InFolders(real, folders);
}

} // namespace

int OpenCaFile(const std::string& path, std::span<const std::string_view> folders) {
    // Judged by name first as well, so that root never even opens a device or a file
    // elsewhere on a caller's behalf; the descriptor's own check below is the one that holds.
    char real[PATH_MAX];
    if (realpath(path.c_str(), real) == nullptr || !InFolders(real, folders)) {
        return -1;
    }
    // Links are followed: the system's CA folders are full of them, and what counts is the
    // file that was opened.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink == 0 ||
        status.st_size <= 0 || status.st_size >= nts::kMaxCaFileBytes ||
        !OpenedInFolders(fd, folders)) {
        close(fd);
        return -1;
    }
    return fd;
}
