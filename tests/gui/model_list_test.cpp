// The model's display lists in a real OpenGL context on the sandbox's X display: what they
// send, that they hold nothing but the triangles, and how the model looks when drawn.
#include "scene/model_data.h"
#include "scene/model_list.h"
#include "tests/support/model_view.h"

#include <GL/gl.h>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr std::array<int, 10> kTriangles{263, 64, 263, 64, 48, 522, 522, 80, 744, 731};
constexpr float kOffset[3] = {63.1791f, 173.5878f, 319.96f};

// Eye positions: early in the fly-in (the first few frames put the stern beyond the far
// plane, 500 units out), half way, home, and home moved with the arrow and page keys.
struct View {
    const char* name;
    QVector3D eye;
};
const View kViews[] = {
    {"flyin-early", {-450.0f, -2.5f, 0.0f}},
    {"flyin-mid", {-130.0f, -2.5f, 0.0f}},
    {"home", {-12.0f, -2.5f, 0.0f}},
    {"keys-up-right", {-40.0f, 25.0f, 40.0f}},
    {"keys-below-left", {-60.0f, -40.0f, -45.0f}},
    {"keys-behind", {120.0f, 30.0f, 60.0f}},
};

struct Polygon {
    std::vector<std::array<float, 3>> vertices;
};

// Runs `draw` in feedback mode through an orthographic box holding the whole model
// (one window unit per model unit), so nothing is clipped, and returns what came out.
template <typename Draw> std::vector<Polygon> Feedback(Draw draw) {
    std::vector<GLfloat> buffer(20000);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glViewport(0, 0, 2000, 2000);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1000.0, 1000.0, -1000.0, 1000.0, -1000.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Polygon> polygons;
    for (GLint i = 0; i < used;) {
        const GLfloat token = buffer[static_cast<size_t>(i++)];
        EXPECT_EQ(token, GL_POLYGON_TOKEN);
        if (token != GL_POLYGON_TOKEN) {
            break;
        }
        Polygon p;
        const int count = static_cast<int>(buffer[static_cast<size_t>(i++)]);
        for (int k = 0; k < count; ++k, i += 3) {
            p.vertices.push_back({buffer[static_cast<size_t>(i)],
                                  buffer[static_cast<size_t>(i + 1)],
                                  buffer[static_cast<size_t>(i + 2)] * 2000.0f});
        }
        polygons.push_back(p);
    }
    return polygons;
}

class ModelLists : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_view.Ready()) << "no OpenGL context";
        m_view.BuildLists();
    }
    ModelView m_view{640, 480};
};

TEST_F(ModelLists, EachListSendsItsTrianglesAsIndependentTriangles) {
    for (int part = 0; part < kModelPartCount; ++part) {
        SCOPED_TRACE(part);
        const std::vector<Polygon> polygons = Feedback([&] { glCallList(m_view.List(part)); });
        EXPECT_EQ(static_cast<int>(polygons.size()), kTriangles[static_cast<size_t>(part)]);
        for (const Polygon& p : polygons) {
            ASSERT_EQ(p.vertices.size(), 3u);
        }
    }
}

TEST_F(ModelLists, SecondEngineDrawsAsTheFirstMoved) {
    const std::array<std::array<int, 2>, 3> pairs{{{0, 2}, {1, 3}, {5, 6}}};
    for (const auto& [original, copy] : pairs) {
        SCOPED_TRACE(copy);
        const std::vector<Polygon> moved = Feedback([&] {
            glTranslatef(kOffset[0], kOffset[1], kOffset[2]);
            glCallList(m_view.List(original));
        });
        const std::vector<Polygon> drawn = Feedback([&] { glCallList(m_view.List(copy)); });
        ASSERT_EQ(moved.size(), drawn.size());
        for (size_t i = 0; i < moved.size(); ++i) {
            for (size_t k = 0; k < 3; ++k) {
                for (size_t axis = 0; axis < 3; ++axis) {
                    // The tables agree within 0.0002; float window coordinates add a little.
                    ASSERT_NEAR(drawn[i].vertices[k][axis], moved[i].vertices[k][axis], 2e-3)
                        << "triangle " << i;
                }
            }
        }
    }
}

TEST_F(ModelLists, ListsLeaveMaterialColourAndMatricesAlone) {
    const float ambient[] = {0.25f, 0.5f, 0.75f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    for (int part = 0; part < kModelPartCount; ++part) {
        glCallList(m_view.List(part));
    }
    float material[4];
    float colour[4];
    float matrix[16];
    GLint mode = 0;
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, material);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(material[2], 0.75f);
    EXPECT_EQ(colour[1], 0.2f);
    EXPECT_EQ(matrix[12], 1.0f);
    EXPECT_EQ(matrix[14], 3.0f);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

int Count(const QImage& image, bool (*match)(QRgb)) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += match(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return n;
}

bool Red(QRgb c) {
    return qRed(c) > 60 && qGreen(c) < 20 && qBlue(c) < 20;
}
bool Blue(QRgb c) {
    return qBlue(c) > 60 && qBlue(c) > qRed(c) + 40;
}
bool Grey(QRgb c) {
    return qRed(c) > 30 && std::abs(qRed(c) - qGreen(c)) < 4 && std::abs(qRed(c) - qBlue(c)) < 4;
}
bool Lit(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c) > 0;
}

TEST_F(ModelLists, WholeShipShowsItsRedBlueAndGreyParts) {
    const QImage image = m_view.Render(kViews[0].eye);
    EXPECT_GT(Count(image, Red), 20);
    EXPECT_GT(Count(image, Blue), 20);
    EXPECT_GT(Count(image, Grey), 500);
}

// Culling the faces seen from behind changes nothing when every surface that can be seen
// is the outside of a closed, outward-facing solid: a hole would show the inside, an
// inside-out face would vanish.
TEST_F(ModelLists, ShipIsClosedAndFacesOutwardFromEveryView) {
    const QString folder = qEnvironmentVariable("HOROLUX_SCREENSHOT_DIR");
    for (const View& v : kViews) {
        SCOPED_TRACE(v.name);
        const QImage all = m_view.Render(v.eye);
        const QImage culled = m_view.Render(v.eye, true);
        QImage open(all.size(), QImage::Format_RGB32);
        open.fill(Qt::black);
        int differing = 0;
        for (int y = 0; y < all.height(); ++y) {
            for (int x = 0; x < all.width(); ++x) {
                if (all.pixel(x, y) != culled.pixel(x, y)) {
                    ++differing;
                    open.setPixel(x, y, qRgb(255, 255, 255));
                }
            }
        }
        if (!folder.isEmpty()) {
            all.save(QDir(folder).filePath(QString("model-%1.png").arg(v.name)));
            open.save(QDir(folder).filePath(QString("model-%1-open.png").arg(v.name)));
        }
        const int shown = Count(all, Lit);
        EXPECT_GT(shown, 0);
        EXPECT_LE(differing, shown / 1000) << differing << " of " << shown << " pixels";
    }
}

} // namespace
