#include "platform/settings_file_check.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace settings {

FileProblem CheckFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) { // a symlink counts as what it points to
        return errno == ENOENT ? FileProblem::None : FileProblem::NotRegular;
    }
    if (!S_ISREG(info.st_mode)) {
        return FileProblem::NotRegular;
    }
    // The file may have been swapped since: what is opened is checked again.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return FileProblem::NotRegular;
    }
    FileProblem problem = FileProblem::None;
    std::vector<char> bytes(kMaxFileBytes + 1);
    ssize_t total = 0;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = FileProblem::NotRegular;
    } else {
        for (ssize_t got = 0; total < static_cast<ssize_t>(bytes.size()); total += got) {
            got = read(fd, bytes.data() + total, bytes.size() - static_cast<std::size_t>(total));
            if (got <= 0) {
                break;
            }
        }
        if (total > static_cast<ssize_t>(kMaxFileBytes)) {
            problem = FileProblem::TooLarge;
        } else if (std::find(bytes.begin(), bytes.begin() + total, '\0') != bytes.begin() + total) {
            problem = FileProblem::HoldsNul;
        }
    }
    close(fd);
    return problem;
}

} // namespace settings
