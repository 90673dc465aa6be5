// Start-up against the real settings file: defaults, kept values, indicators.
#include "app/program_globals.h"
#include "app/time_sync_app.h"
#include "tests/support/settings_sandbox.h"
#include "ui/main_frame.h"

#include <QLabel>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct StartedApp {
    CTimeSyncApp app;
    bool started = false;
    explicit StartedApp(const QString& arguments = {}) {
        g_bAutoCorrect = 0;
        g_bExitWhenDone = 0;
        started = app.InitInstance(arguments);
    }
    ~StartedApp() {
        if (app.MainWindow()) {
            app.MainWindow()->close(); // deletes itself
        }
    }
    QString Indicator(const char* name) const {
        return app.MainWindow()->findChild<QLabel*>(QLatin1String(name))->text();
    }
};

} // namespace

TEST(Startup, FirstStartWritesTheFiveDefaults) {
    SettingsSandbox settings;
    StartedApp started;
    ASSERT_TRUE(started.started);
    EXPECT_EQ(settings.Keys().size(), 5);
    EXPECT_EQ(settings.Value("TimeBase"), "tick.usno.navy.mil");
    EXPECT_EQ(settings.Value("SocketType"), "UDP");
    EXPECT_EQ(settings.Value("Protocol"), "SNTP");
    EXPECT_EQ(settings.Value("TextOnly"), "0");
    EXPECT_EQ(settings.Value("MinimizeToTray"), "1");
    EXPECT_EQ(g_strTimeBase, "tick.usno.navy.mil");
    EXPECT_EQ(g_bTextOnly, 0);
    EXPECT_EQ(g_bMinimizeToTray, 1);
}

TEST(Startup, KeepsStoredKeysAndAddsTheMissingOnes) {
    SettingsSandbox settings;
    settings.Write("[Options]\nTimeBase=time.example.org\nTextOnly=1\n");
    StartedApp started;
    EXPECT_EQ(settings.Keys().size(), 5);
    EXPECT_EQ(settings.Value("TimeBase"), "time.example.org");
    EXPECT_EQ(settings.Value("TextOnly"), "1");
    EXPECT_EQ(settings.Value("SocketType"), "UDP");
    EXPECT_EQ(settings.Value("MinimizeToTray"), "1");
    EXPECT_EQ(g_strTimeBase, "time.example.org");
    EXPECT_EQ(g_bTextOnly, 1);
}

TEST(Startup, IndicatorsFollowTheStoredPairExactly) {
    struct Case {
        QByteArray protocol, socketType;
        QString tcp, udp, sntp;
    };
    const Case cases[] = {
        {"SNTP", "UDP", "", "", "SNTP"}, {"Time", "TCP", "TCP", "", ""},
        {"Time", "UDP", "", "UDP", ""},  {"SNTP", "TCP", "", "", ""},
        {"sntp", "UDP", "", "", ""},     {"time", "tcp", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.protocol + "/" + c.socketType).constData());
        SettingsSandbox settings;
        settings.Write("[Options]\nProtocol=" + c.protocol + "\nSocketType=" + c.socketType + "\n");
        StartedApp started;
        // Loaded unchanged, never "corrected".
        EXPECT_EQ(g_strProtocol, QString::fromLatin1(c.protocol));
        EXPECT_EQ(settings.Value("Protocol"), QString::fromLatin1(c.protocol));
        EXPECT_EQ(started.Indicator("indicatorTCP"), c.tcp);
        EXPECT_EQ(started.Indicator("indicatorUDP"), c.udp);
        EXPECT_EQ(started.Indicator("indicatorSNTP"), c.sntp);
    }
}

TEST(Startup, AnyArgumentTextMeansUnattendedCorrection) {
    for (const QString& arguments :
         {QString(), QStringLiteral("x"), QStringLiteral("--now please")}) {
        SettingsSandbox settings;
        StartedApp started(arguments);
        EXPECT_EQ(g_bAutoCorrect, arguments.isEmpty() ? 0 : 1) << arguments.toStdString();
        EXPECT_EQ(g_bCorrectClock, 0);
    }
}

TEST(Startup, NoSocketMeansOneMessageAndNoSettings) {
    SettingsSandbox settings;
    CTimeSyncApp app;
    QStringList shown;
    app.canCreateSocket = [] { return false; };
    app.showError = [&shown](const QString& text) { shown << text; };
    EXPECT_FALSE(app.InitInstance(QString()));
    EXPECT_EQ(shown, QStringList{"Socket Initialization Failed!"});
    EXPECT_EQ(app.MainWindow(), nullptr);
    EXPECT_FALSE(settings.Exists());
}
