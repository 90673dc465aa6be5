// What the root helper keeps of its caller's environment, and the CA file it is named.
#include "cli/helper_ca_file.h"
#include "cli/helper_environment.h"

#include <QTemporaryDir>
#include <QtGlobal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(HelperEnvironment, OnlyPlainLocaleAndTerminalNamesAreKept) {
    // Split at the bars: what the caller set, and what the helper keeps of it.
    const QString given =
        "GNUTLS_DEBUG_LEVEL=9|LD_DEBUG=all|LD_PRELOAD=/tmp/x.so|HOME=/tmp/x|"
        "PATH=/tmp/x|LANG=de_DE.UTF-8|LANG=fr_FR.UTF-8|LC_ALL=/some/path|"
        "LC_TIME=../../tmp/x|LC_CTYPE=sr_RS@latin|LANGUAGE=de:en_GB|LINGUAS=de ..|"
        "TERM=xterm-256color|COLORTERM=\x1b]0;x|LC_MESSAGES=|noequals";
    std::vector<std::string> entries;
    for (const QString& entry : given.split('|')) {
        entries.push_back(entry.toStdString());
    }
    const std::vector<std::string> kept = {"LANG=de_DE.UTF-8", "LC_CTYPE=sr_RS@latin",
                                           "LANGUAGE=de:en_GB", "TERM=xterm-256color"};
    EXPECT_EQ(KeptEnvironment({entries.begin(), entries.end()}), kept);
    std::vector<std::string_view> again(kept.begin(), kept.end());
    EXPECT_EQ(KeptEnvironment(again), kept); // the restarted helper is not restarted again
}

TEST(HelperCaFile, OpenedOnceInTheTrustedFolderOnly) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString(), trusted = root + "/trusted/";
    const std::string_view folders[] = {trusted};
    ASSERT_EQ(mkdir(trusted.c_str(), 0700), 0);
    std::ofstream(trusted + "a.pem") << "CA A";
    std::ofstream(root + "/b.pem") << "CA B";
    std::ofstream(trusted + "large.pem") << std::string(nts::kMaxCaFileBytes, 'x');
    std::ofstream(trusted + "empty.pem").flush();
    ASSERT_TRUE(mkfifo((trusted + "fifo").c_str(), 0600) == 0 &&
                symlink((trusted + "a.pem").c_str(), (root + "/link").c_str()) == 0);
    for (const std::string name : {"b.pem", "missing.pem", "trusted/large.pem", "trusted/empty.pem",
                                   "trusted/fifo", "trusted", "trusted/../b.pem"}) {
        EXPECT_LT(OpenCaFile(root + "/" + name, folders), 0) << name;
    }
    // A link into the folder counts as the file it led to when it was opened.
    const int fd = OpenCaFile(root + "/link", folders);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(unlink((root + "/link").c_str()) == 0 &&
                symlink((root + "/b.pem").c_str(), (root + "/link").c_str()) == 0);
    EXPECT_EQ(nts::ReadOpenedCaFile(fd), "CA A");
    close(fd);
    EXPECT_LT(OpenCaFile(root + "/link", folders), 0);
}
