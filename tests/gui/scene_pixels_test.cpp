// What the 3D view shows, read back from its framebuffer: where the text stands, its
// colour and order, the model pass, and the text following the system clock.
#include "scene/font_locator.h"
#include "scene/glyph_font.h"
#include "tests/support/scene_fixture.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <optional>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Pixel box, inclusive.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool Empty() const { return right < left; }
    void Add(int x, int y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
};

Box LitBox(const QImage& image) {
    Box box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsLit(image.pixel(x, y))) {
                box.Add(x, y);
            }
        }
    }
    return box;
}

Box DifferenceBox(const QImage& a, const QImage& b) {
    Box box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                box.Add(x, y);
            }
        }
    }
    return box;
}

class ScenePixels : public SceneFixture {
  protected:
    void SetUp() override {
        SceneFixture::SetUp();
        m_font = OpenClockFont();
        ASSERT_NE(m_font, nullptr);
        g_bTextOnly = 1;
        GoHome();
    }

    // World units to pixels at the text's front face, twelve units from the home eye.
    double PixelsPerUnit() const {
        return (ViewHeight() / 2.0) / (12.0 * std::tan(9.0 * kPi / 180.0));
    }
    int ViewHeight() const { return Client()->height(); }
    // The view's centre in image coordinates; the view reaches 20 pixels above the image.
    double CentreColumn() const { return m_scene->width() / 2.0; }
    double CentreRow() const { return ViewHeight() / 2.0 - 20.0; }

    // Text x (ems, from the start of the string) to image column; the text runs along
    // world +z starting at z = -2.5, which is the viewer's right from home.
    double Column(double textX) const { return CentreColumn() + (textX - 2.5) * PixelsPerUnit(); }
    // Text y (ems above the baseline) to image row; the baseline passes through the centre.
    double Row(double textY) const { return CentreRow() - textY * PixelsPerUnit(); }

    double Advance(char c) const {
        return double(m_font->Advance(static_cast<unsigned char>(c))) / m_font->UnitsPerEm();
    }
    // Start of the n-th character, in ems.
    double Pen(const char* text, int n) const {
        double x = 0.0;
        for (int i = 0; i < n; ++i) {
            x += Advance(text[i]);
        }
        return x;
    }
    // The ink of a text, in ems, from the font's outlines.
    void InkBox(const char* text, double& left, double& right, double& top, double& bottom) const {
        left = 1e9;
        right = -1e9;
        top = -1e9;
        bottom = 1e9;
        double pen = 0.0;
        for (const char* c = text; *c; ++c) {
            for (const auto& contour :
                 m_font->Outline(static_cast<unsigned char>(*c), 1e-4).contours) {
                for (const auto& p : contour) {
                    left = std::min(left, pen + p.x);
                    right = std::max(right, pen + p.x);
                    top = std::max(top, p.y);
                    bottom = std::min(bottom, p.y);
                }
            }
            pen += Advance(*c);
        }
    }

    std::unique_ptr<glyph::CGlyphFont> m_font;
};

TEST_F(ScenePixels, HomeShowsTheTimeInTheMiddleInLitGrey) {
    const QImage image = Frame();
    const Box lit = LitBox(image);
    ASSERT_FALSE(lit.Empty());
    double left, right, top, bottom;
    InkBox("12:47:12", left, right, top, bottom);
    // Where the string's outline lands through the text pass, view and projection.
    EXPECT_NEAR(lit.left, Column(left), 2.0);
    EXPECT_NEAR(lit.right + 1, Column(right), 2.0);
    EXPECT_NEAR(lit.top, Row(top), 2.0);
    EXPECT_NEAR(lit.bottom + 1, Row(bottom), 2.0);
    // Roughly centred across the view.
    EXPECT_LT(std::abs((lit.left + lit.right) / 2.0 - CentreColumn()), image.width() / 8.0);

    int brightest = 0;
    for (int y = lit.top; y <= lit.bottom; ++y) {
        for (int x = lit.left; x <= lit.right; ++x) {
            const QRgb p = image.pixel(x, y);
            if (IsLit(p)) {
                EXPECT_LE(std::abs(qRed(p) - qGreen(p)), 2);
                EXPECT_LE(std::abs(qGreen(p) - qBlue(p)), 2);
                brightest = std::max(brightest, qGreen(p));
            }
        }
    }
    // Lit from the light beside the camera, well above the ambient share alone.
    EXPECT_GT(brightest, 150);
}

TEST_F(ScenePixels, TextReadsLeftToRight) {
    const QImage base = Frame();
    SetClock(2, 47, 12);
    const QImage firstChanged = Frame();
    SetClock(12, 47, 13);
    const QImage lastChanged = Frame();

    const Box first = DifferenceBox(base, firstChanged);
    const Box last = DifferenceBox(base, lastChanged);
    ASSERT_FALSE(first.Empty());
    ASSERT_FALSE(last.Empty());
    const char* text = "12:47:12";
    // Each change stays within its own character's cell.
    EXPECT_GE(first.left, Column(Pen(text, 0)) - 2);
    EXPECT_LE(first.right, Column(Pen(text, 1)) + 2);
    EXPECT_GE(last.left, Column(Pen(text, 7)) - 2);
    EXPECT_LE(last.right, Column(Pen(text, 8)) + 2);
    EXPECT_LT(first.right, last.left);
}

TEST_F(ScenePixels, GraphicsDifferFromTextOnlyOnlyWhereTheModelIs) {
    // A red square in part 0 standing behind the text, the other parts empty.
    const float corners[4][3] = {
        {1.0f, -3.0f, -1.5f}, {1.0f, -3.0f, 0.5f}, {1.0f, -2.0f, 0.5f}, {1.0f, -2.0f, -1.5f}};
    QMatrix4x4 model;
    model.rotate(30.0f, 1, 0, 0);
    model.rotate(20.0f, 0, 0, 1);
    model.scale(0.05f);
    const QMatrix4x4 toModel = model.inverted();
    m_scene->makeCurrent();
    for (int part = 0; part < kModelPartCount; ++part) {
        glNewList(m_scene->ModelLists()[part], GL_COMPILE);
        if (part == 0) {
            const QVector3D normal = toModel.mapVector(QVector3D(-1, 0, 0)).normalized();
            glBegin(GL_QUADS);
            glNormal3f(normal.x(), normal.y(), normal.z());
            for (const auto& c : corners) {
                const QVector3D v = toModel.map(QVector3D(c[0], c[1], c[2]));
                glVertex3f(v.x(), v.y(), v.z());
            }
            glEnd();
        }
        glEndList();
    }

    g_bTextOnly = 1;
    const QImage textOnly = Frame();
    g_bTextOnly = 0;
    const QImage graphics = Frame();

    // Where the square should appear.
    QMatrix4x4 view;
    view.lookAt(QVector3D(-12, -2.5f, 0), QVector3D(0, -2.5f, 0), QVector3D(0, 1, 0));
    QMatrix4x4 projection;
    projection.perspective(18.0f, float(m_scene->Aspect()), 1.0f, 500.0f);
    Box square;
    for (const auto& c : corners) {
        const QVector3D ndc = (projection * view).map(QVector3D(c[0], c[1], c[2]));
        square.Add(int((ndc.x() + 1) / 2 * m_scene->width()),
                   int(m_scene->height() - (ndc.y() + 1) / 2 * ViewHeight()));
    }

    int changed = 0, textInFront = 0;
    for (int y = 0; y < textOnly.height(); ++y) {
        for (int x = 0; x < textOnly.width(); ++x) {
            const QRgb t = textOnly.pixel(x, y);
            const QRgb g = graphics.pixel(x, y);
            const bool inside = x >= square.left - 2 && x <= square.right + 2 &&
                                y >= square.top - 2 && y <= square.bottom + 2;
            if (t != g) {
                ++changed;
                EXPECT_TRUE(inside) << x << "," << y;
                EXPECT_GT(qRed(g), qGreen(g) + 40) << x << "," << y;
            } else if (inside && IsLit(t)) {
                ++textInFront; // the nearer text hides the square
            }
        }
    }
    EXPECT_GT(changed, 1000);
    EXPECT_GT(textInFront, 100);
}

// Run as a child process under libfaketime: draws the time of the (shifted) system clock.
class SystemClockChild : public SceneFixture {
  protected:
    SystemClockChild() { m_bFixedClock = false; }
};

TEST_F(SystemClockChild, DrawsTheSystemClock) {
    const QByteArray path = qgetenv("HOROLUX_SCENE_SHOT");
    if (path.isEmpty()) {
        GTEST_SKIP() << "only run by ScenePixels.TextFollowsTheSystemClock";
    }
    g_bTextOnly = 1;
    GoHome();
    ASSERT_TRUE(Frame().save(QString::fromLocal8Bit(path), "PNG"));
}

std::optional<QImage> ShotAt(const QString& fakeTime, const QString& path) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_PRELOAD", "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1");
    environment.insert("FAKETIME", fakeTime);                // frozen at this local time
    environment.insert("FAKETIME_DONT_FAKE_MONOTONIC", "1"); // Qt's timers keep running
    environment.insert("TZ", "UTC");
    environment.insert("HOROLUX_SCENE_SHOT", path);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=SystemClockChild.DrawsTheSystemClock"});
    if (!child.waitForFinished(60000) || child.exitCode() != 0) {
        child.kill();
        return std::nullopt;
    }
    QImage image(path);
    if (image.isNull()) {
        return std::nullopt;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST_F(ScenePixels, TextFollowsTheSystemClock) {
    QTemporaryDir dir;
    const auto ten = ShotAt("2021-03-04 10:47:12", dir.filePath("ten.png"));
    const auto twenty = ShotAt("2021-03-04 20:47:12", dir.filePath("twenty.png"));
    const auto tenAgain = ShotAt("2021-03-04 10:47:12", dir.filePath("ten-again.png"));
    ASSERT_TRUE(ten && twenty && tenAgain);
    EXPECT_GT(LitPixels(*ten), 1000);
    EXPECT_EQ(*ten, *tenAgain);
    // Only the first digit differs: "1" against "2".
    const Box changed = DifferenceBox(*ten, *twenty);
    ASSERT_FALSE(changed.Empty());
    EXPECT_LE(changed.right, Column(Advance('1')) + 2);
}

} // namespace

namespace {

struct MaterialCount {
    int red = 0, blue = 0, grey = 0;
};

// Counts pixels by the hue of the model's materials; grey counts only outside `skip`.
MaterialCount CountMaterials(const QImage& image, const QRect& skip = {}) {
    MaterialCount count;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            if (r > g + 40 && r > b + 40) {
                ++count.red;
            } else if (b > r + 40 && b > g + 40) {
                ++count.blue;
            } else if (IsLit(p) && std::abs(r - g) < 12 && std::abs(g - b) < 12 &&
                       !skip.contains(x, y)) {
                ++count.grey;
            }
        }
    }
    return count;
}

} // namespace

// The real model behind the text: its colours show in the graphics backdrop only.
TEST_F(SceneFixture, ModelShowsItsMaterialsOnlyInTheGraphicsBackdrop) {
    GoHome();
    g_bTextOnly = 1;
    const QImage textOnly = Frame();
    const MaterialCount plain = CountMaterials(textOnly);
    EXPECT_EQ(plain.red, 0);
    EXPECT_EQ(plain.blue, 0);

    g_bTextOnly = 0;
    const QImage graphics = Frame();
    // Grey beyond the text's own box belongs to the model.
    Box text = LitBox(textOnly);
    const QRect textRect(QPoint(text.left, text.top), QPoint(text.right, text.bottom));
    const MaterialCount home = CountMaterials(graphics, textRect.adjusted(-2, -2, 2, 2));
    EXPECT_GT(home.blue, 500);
    EXPECT_GT(home.grey, 500);
    // The text stays in front: every pixel of it in text-only is still lit grey.
    int textHidden = 0;
    for (int y = text.top; y <= text.bottom; ++y) {
        for (int x = text.left; x <= text.right; ++x) {
            if (IsLit(textOnly.pixel(x, y)) && textOnly.pixel(x, y) != graphics.pixel(x, y)) {
                ++textHidden;
            }
        }
    }
    EXPECT_EQ(textHidden, 0);

    // Far out on the fly-in path the whole ship is in view, red caps included.
    g_nFlyInStep = 10;
    m_frame->OnTimer();
    const MaterialCount far = CountMaterials(Frame());
    EXPECT_GT(far.red, 5);
    EXPECT_GT(far.blue, 5);
    EXPECT_GT(far.grey, 50);
}
