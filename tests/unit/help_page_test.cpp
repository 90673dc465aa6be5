// The help page that ships with Horolux: where the program finds it, and that it
// covers what the usage notes say.
#include "tests/support/qt_print.h"
#include "ui/web_links.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(HelpPage, FoundBesideTheProgramFirstThenInShare) {
    QTemporaryDir root;
    const QString bin = root.filePath("bin");
    QDir().mkpath(bin);
    // Nowhere yet: the place beside the program, for the browser to report.
    EXPECT_EQ(HelpPageUrl(bin), QUrl::fromLocalFile(root.filePath("bin/help/index.html")));

    Touch(root.filePath("share/horolux/help/index.html"));
    EXPECT_EQ(HelpPageUrl(bin),
              QUrl::fromLocalFile(root.filePath("share/horolux/help/index.html")));

    Touch(root.filePath("bin/help/index.html"));
    EXPECT_EQ(HelpPageUrl(bin), QUrl::fromLocalFile(root.filePath("bin/help/index.html")));
}

TEST(HelpPage, TheBuildPutsItBesideTheProgram) {
    const QString binDir = QString::fromLocal8Bit(qgetenv("HOROLUX_BIN_DIR"));
    ASSERT_FALSE(binDir.isEmpty());
    const QUrl url = HelpPageUrl(binDir);
    EXPECT_TRUE(QFile::exists(url.toLocalFile())) << url.toLocalFile().toStdString();
}

TEST(HelpPage, CoversTheUsageNotes) {
    QFile page(QString::fromLocal8Bit(qgetenv("HOROLUX_SOURCE_DIR")) + "/res/help/index.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    for (const char* needed :
         {"<title>Horolux Help</title>", "Options &gt; Timebase", "Query Current Timebase",
          "Correct System Clock", "<b>Reset</b>", "PageUp", "<kbd>Home</kbd>", "Minimize to Tray",
          "Alternate Timebase", "Horolux.conf", "CAP_SYS_TIME"}) {
        EXPECT_TRUE(text.contains(QLatin1String(needed))) << needed;
    }
}

} // namespace
