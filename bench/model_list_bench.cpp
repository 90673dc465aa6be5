// Prints what the backdrop model costs: the size of its compiled-in tables, the time to
// compile the ten display lists (the scene's constructor does this once) and the time to
// draw them. Needs an X display; bench/model-bench runs it in the test sandbox.
#include "bench/model_view.h"
#include "scene/model_data.h"
#include "scene/model_list.h"

#include <GL/gl.h>
#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    size_t triangles = 0;
    for (int part = 0; part < kModelPartCount; ++part) {
        triangles += ModelPartTriangles(part).size();
    }
    std::printf("tables: %zu triangles, %zu bytes of constant data (%zu per triangle)\n", triangles,
                triangles * sizeof(ModelTriangle), sizeof(ModelTriangle));

    ModelView view(640, 480);
    if (!view.Ready()) {
        std::fprintf(stderr, "model_list_bench: no OpenGL context\n");
        return 1;
    }
    std::printf("OpenGL: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    constexpr int kRounds = 50;
    std::vector<double> build;
    for (int round = 0; round < kRounds; ++round) {
        const GLuint first = glGenLists(kModelPartCount);
        const Clock::time_point start = Clock::now();
        for (int part = 0; part < kModelPartCount; ++part) {
            BuildModelList(first + static_cast<GLuint>(part), part);
        }
        glFinish();
        build.push_back(Milliseconds(Clock::now() - start));
        glDeleteLists(first, kModelPartCount);
    }
    std::printf(
        "compiling the ten lists: first %.2f ms, median %.2f ms, best %.2f ms (%d rounds)\n",
        build.front(), Median(build), *std::min_element(build.begin(), build.end()), kRounds);

    view.BuildLists();
    std::vector<double> draw;
    for (int round = 0; round < kRounds; ++round) {
        const Clock::time_point start = Clock::now();
        view.Render({-130.0f, -2.5f, 0.0f});
        draw.push_back(Milliseconds(Clock::now() - start));
    }
    std::printf("drawing the model into 640x480 and reading it back: median %.2f ms\n",
                Median(draw));
    return 0;
}
