// Prints what the 3D view costs: the whole program's fly-in frame rate, its CPU share
// when idle after the fly-in and its resident memory, at the window's first size and full
// screen; then CPU time per frame (text only and graphics) and per resize at both sizes.
// Meant for Xvfb with Mesa's software renderer.
#include "app/time_sync_app.h"
#include "scene/fly_in_path.h"
#include "scene/gl_scene.h"
#include "ui/main_frame.h"
#include "ui/window_settings.h"

#include <GL/gl.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>
#include <vector>

namespace {

// CPU time of the whole process, the renderer's worker threads included.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double WallSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Runs the event loop until the view has been composed into the window, or 2 s passed.
void WaitForPresent(CGLScene& scene) {
    QEventLoop loop;
    QObject::connect(&scene, &QOpenGLWidget::frameSwapped, &loop, &QEventLoop::quit);
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Cost {
    double cpuMs = 0.0;
    double wallMs = 0.0;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The window's layout at a given size: the view below the Query button's strip and
// above a status bar.
QRect SceneRect(QSize window) {
    constexpr int kStatusBar = 22;
    return QRect(0, 20, window.width(), window.height() - kStatusBar - 20);
}

void MeasureSize(QSize windowSize) {
    QWidget host;
    host.setWindowTitle(QStringLiteral("scene bench"));
    host.resize(windowSize);
    auto* scene = new CGLScene(&host);
    scene->Resize(SceneRect(windowSize));
    host.show();
    while (!scene->IsBuilt()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    scene->SetEye(-12.0f, -2.5f, 0.0f);

    static bool once = false;
    if (!once) {
        scene->makeCurrent();
        std::printf("renderer: %s, OpenGL %s\n",
                    reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                    reinterpret_cast<const char*>(glGetString(GL_VERSION)));
        once = true;
    }

    // One resize: fit, 256 glyph lists, viewport, projection (and Qt's new framebuffer).
    std::vector<double> resizeCpu, resizeWall;
    for (int i = 0; i < 21; ++i) {
        QRect rect = SceneRect(windowSize);
        rect.setWidth(rect.width() - (i % 2)); // a real change every time
        const double cpu = CpuSeconds(), wall = WallSeconds();
        scene->Resize(rect);
        resizeCpu.push_back((CpuSeconds() - cpu) * 1e3);
        resizeWall.push_back((WallSeconds() - wall) * 1e3);
        QCoreApplication::processEvents();
    }
    std::printf("resize %4dx%-4d  cpu %6.2f ms  wall %6.2f ms  (median of %zu; font height %d)\n",
                windowSize.width(), windowSize.height(), Median(resizeCpu), Median(resizeWall),
                resizeCpu.size(), scene->FontHeight());

    for (bool textOnly : {true, false}) {
        for (int i = 0; i < 10; ++i) {
            scene->MarkStale();
            scene->RenderFrame(textOnly);
            WaitForPresent(*scene);
        }
        constexpr int kFrames = 100;
        double drawCpu = 0.0;
        const double cpu = CpuSeconds(), wall = WallSeconds();
        for (int i = 0; i < kFrames; ++i) {
            const double before = CpuSeconds();
            scene->MarkStale(); // the same picture each time, drawn anyway
            scene->RenderFrame(textOnly);
            drawCpu += CpuSeconds() - before;
            WaitForPresent(*scene);
        }
        std::printf("frame  %4dx%-4d  %-9s  cpu %6.2f ms  wall %6.2f ms  (drawing alone %.2f ms "
                    "cpu; %d frames, each drawn and composed)\n",
                    windowSize.width(), windowSize.height(), textOnly ? "text only" : "graphics",
                    (CpuSeconds() - cpu) * 1e3 / kFrames, (WallSeconds() - wall) * 1e3 / kFrames,
                    drawCpu * 1e3 / kFrames, kFrames);
    }
}

// The resident set and its peak, from /proc, in MiB.
std::pair<double, double> ResidentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    double rss = 0.0, peak = 0.0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            const QList<QByteArray> words = line.simplified().split(' ');
            if (words.size() >= 2 && words[0] == "VmRSS:") {
                rss = words[1].toDouble() / 1024.0;
            } else if (words.size() >= 2 && words[0] == "VmHWM:") {
                peak = words[1].toDouble() / 1024.0;
            }
        }
    }
    return {rss, peak};
}

void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The whole program from its start: the fly-in's frame rate, then its CPU share over the
// given seconds once the eye is home and nothing happens.
void MeasureIdle(QSize windowSize, int seconds) {
    g_bTextOnly = 0;
    g_nFlyInStep = 0;
    CTimeSyncApp app;
    if (!app.InitInstance(QString())) {
        std::printf("idle: the program did not start\n");
        return;
    }
    CMainFrame* frame = app.MainWindow();
    frame->resize(windowSize);
    CGLScene* scene = frame->Scene();
    const long flyInFrames = scene->FramesDrawn();
    const double flyInWall = WallSeconds();
    QElapsedTimer limit;
    limit.start();
    while (g_nFlyInStep < kFlyInSteps && limit.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    const double flyInSeconds = WallSeconds() - flyInWall;
    const long flown = scene->FramesDrawn() - flyInFrames;
    RunEventsFor(1000); // settle
    const long frames = scene->FramesDrawn();
    const double cpu = CpuSeconds(), wall = WallSeconds();
    RunEventsFor(seconds * 1000);
    const double cpuShare = (CpuSeconds() - cpu) / (WallSeconds() - wall);
    const auto [rss, peak] = ResidentMiB();
    std::printf("fly-in %4dx%-4d  %ld frames in %.2f s, %.2f per second\n", frame->width(),
                frame->height(), flown, flyInSeconds, flown / flyInSeconds);
    std::printf("idle   %4dx%-4d  graphics   cpu %.2f %% of one core over %d s after the fly-in "
                "(%ld frames, %.2f per second); resident %.1f MiB, peak %.1f MiB\n",
                frame->width(), frame->height(), cpuShare * 100.0, seconds,
                scene->FramesDrawn() - frames, (scene->FramesDrawn() - frames) / double(seconds),
                rss, peak);
    frame->close();
    RunEventsFor(200);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int idleSeconds = 30;
    if (argc > 1) {
        idleSeconds = std::max(1, std::atoi(argv[1]));
    }
    // The idle program first, so that its resident memory is its own.
    MeasureIdle(QSize(500, 300), idleSeconds);
    MeasureIdle(QSize(1280, 1024), idleSeconds);
    MeasureSize(QSize(500, 300));
    MeasureSize(QSize(1280, 1024));
    return 0;
}
