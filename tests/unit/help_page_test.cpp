// Where the program finds its help page, and that the build puts the page there.
#include "tests/support/qt_print.h"
#include "ui/web_links.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(HelpPage, FoundBesideTheProgramFirstThenInShare) {
    QTemporaryDir root;
    const QString bin = root.filePath("bin");
    const QString beside = root.filePath("bin/help/index.html");
    // Nowhere yet: the place beside the program, for the browser to report.
    EXPECT_EQ(HelpPageUrl(bin), QUrl::fromLocalFile(beside));
    for (const QString& page : {root.filePath("share/horolux/help/index.html"), beside}) {
        QDir().mkpath(QFileInfo(page).path());
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(HelpPageUrl(bin), QUrl::fromLocalFile(page));
    }
    QFile built(HelpPageUrl(qEnvironmentVariable("HOROLUX_BIN_DIR")).toLocalFile());
    ASSERT_TRUE(built.open(QIODevice::ReadOnly)) << built.fileName().toStdString();
    EXPECT_TRUE(built.readAll().contains("<title>Horolux Help</title>"));
}
