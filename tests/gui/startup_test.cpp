// Start-up against the real settings file: defaults, kept values, indicators.
#include "tests/support/frame_fixture.h"

namespace {

TEST(Startup, FirstStartWritesTheFiveDefaults) {
    StartedFrame started;
    const SettingsSandbox& settings = started.Settings();
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
    StartedFrame started("[Options]\nTimeBase=time.example.org\nTextOnly=1\n");
    const SettingsSandbox& settings = started.Settings();
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
        StartedFrame started("[Options]\nProtocol=" + c.protocol + "\nSocketType=" + c.socketType +
                             "\n");
        const SettingsSandbox& settings = started.Settings();
        // Loaded unchanged, never "corrected".
        EXPECT_EQ(g_strProtocol, QString::fromLatin1(c.protocol));
        EXPECT_EQ(settings.Value("Protocol"), QString::fromLatin1(c.protocol));
        EXPECT_EQ(started.Child<QLabel>("indicatorTCP")->text(), c.tcp);
        EXPECT_EQ(started.Child<QLabel>("indicatorUDP")->text(), c.udp);
        EXPECT_EQ(started.Child<QLabel>("indicatorSNTP")->text(), c.sntp);
    }
}

TEST(Startup, AnyArgumentTextMeansUnattendedCorrection) {
    for (const QString& arguments :
         {QString(), QStringLiteral("x"), QStringLiteral("--now please")}) {
        SettingsSandbox settings;
        CTimeSyncApp app;
        g_bAutoCorrect = 0;
        ASSERT_TRUE(app.InitInstance(arguments));
        EXPECT_EQ(g_bAutoCorrect, arguments.isEmpty() ? 0 : 1) << arguments.toStdString();
        EXPECT_EQ(g_bCorrectClock, 0);
        // Closed before its first tick, so the correction never starts.
        app.MainWindow()->close();
    }
    g_bAutoCorrect = 0;
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

} // namespace
