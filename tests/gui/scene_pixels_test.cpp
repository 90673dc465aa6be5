// What the 3D view shows, read back from its framebuffer: where the time stands and how
// it is lit, the model behind it, and the model as a closed, outward-facing solid.
#include "scene/font_locator.h"
#include "scene/glyph_font.h"
#include "tests/support/scene_fixture.h"

#include <GL/gl.h>
#include <cmath>
#include <numbers>

namespace {

// A pixel that is not (nearly) the black background.
bool IsLit(QRgb p) {
    return qRed(p) > 24 || qGreen(p) > 24 || qBlue(p) > 24;
}

// The lit pixels of a frame: how many, their box, how many of them no brighter
// than the ambient light alone leaves a face (about 121), their brightest grey; and how many
// pixels are coloured rather than grey.
struct Shades {
    int lit = 0, dark = 0, brightest = 0, coloured = 0;
    QRect box;
};
Shades ShadesOf(const QImage& image) {
    Shades s;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            s.coloured += std::abs(qRed(p) - qGreen(p)) > 2 || std::abs(qGreen(p) - qBlue(p)) > 2;
            if (IsLit(p)) {
                ++s.lit;
                s.box |= QRect(x, y, 1, 1);
                s.dark += qGreen(p) < 128;
                s.brightest = std::max(s.brightest, qGreen(p));
            }
        }
    }
    return s;
}

class ScenePixels : public SceneFixture {
  protected:
    void SetUp() override {
        SceneFixture::SetUp();
        SetClock(12, 47, 12);
        TextOnly(true);
        Key(Qt::Key_Home);
        // Hard edges, so that every pixel is either the background or a lit face.
        m_scene->makeCurrent();
        glDisable(GL_MULTISAMPLE);
    }
};

TEST_F(ScenePixels, TheTimeStandsWhereItsOutlinesLandAndEveryFaceOfItIsLit) {
    const auto font = OpenClockFont();
    ASSERT_NE(font, nullptr);
    // The ink of the string in ems, from its start on the baseline.
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9, pen = 0.0;
    for (const unsigned char code : std::string("12:47:12")) {
        for (const auto& contour : font->Outline(code, 1e-4).contours) {
            for (const auto& point : contour) {
                left = std::min(left, pen + point.x);
                right = std::max(right, pen + point.x);
                bottom = std::min(bottom, point.y);
                top = std::max(top, point.y);
            }
        }
        pen += double(font->Advance(code)) / font->UnitsPerEm();
    }
    for (const QSize size : {QSize(500, 300), QSize(900, 400)}) {
        m_started.Resize(size);
        const QImage image = Frame();
        const Shades shades = ShadesOf(image);
        // Twelve units from the eye, the 18-degree view spans the client's height (from 20 px
        // above the image); the text's frame starts 2.5 units left of the centre.
        const double height = Client()->height();
        const double scale = height / 2 / (12 * std::tan(9 * std::numbers::pi / 180));
        const double centreX = image.width() / 2.0, centreY = height / 2 - 20;
        const TextPlacement& at = m_scene->Placement();
        const auto u = [&](double x) { return centreX + (at.x + at.scale * x - 2.5) * scale; };
        const auto v = [&](double y) { return centreY - (at.y + at.scale * y) * scale; };
        EXPECT_NEAR(shades.box.left(), u(left), 2.0);
        EXPECT_NEAR(shades.box.right() + 1, u(right), 2.0);
        EXPECT_NEAR(shades.box.top(), v(top), 2.0);
        EXPECT_NEAR(shades.box.bottom() + 1, v(bottom), 2.0);
        EXPECT_EQ(shades.coloured, 0);
        // Lit by the light beside the camera, well above the ambient share alone.
        EXPECT_GT(shades.brightest, 150);
    }
    // Seen from aside, the side walls face outward and catch that light too.
    m_scene->SetEye(-10.0f, -2.5f, 14.0f);
    const Shades aside = ShadesOf(Frame());
    EXPECT_GT(aside.lit, 1000);
    EXPECT_LT(aside.dark, aside.lit / 20)
        << aside.dark << " of " << aside.lit << " lit pixels dark";
}

// Around the digits lies the blue plate, never the grey hull, however the window is shaped.
TEST_F(ScenePixels, TheTimeStaysOnThePlateAtEverySize) {
    for (const QSize size : {QSize(1260, 960), QSize(420, 900), QSize(1200, 300)}) {
        m_started.Resize(size);
        TextOnly(true);
        const QRect ring = ShadesOf(Frame()).box.adjusted(-3, -3, 3, 3);
        TextOnly(false);
        const QImage all = Frame();
        ASSERT_TRUE(all.rect().contains(ring)) << size.width();
        int greys = 0; // pixels of the ring that are not the plate's blue
        for (int x = ring.left(); x <= ring.right(); ++x) {
            const bool side = x == ring.left() || x == ring.right();
            for (int y = ring.top(); y <= ring.bottom(); y += side ? 1 : ring.height() - 1) {
                greys += qBlue(all.pixel(x, y)) < qRed(all.pixel(x, y)) + 60;
            }
        }
        EXPECT_EQ(greys, 0) << size.width();
    }
}

// Culling the faces seen from behind leaves the model as it was when every surface in view is
// the outside of a closed solid: a hole would show the inside, an inside-out face would vanish.
// Its corners run clockwise seen from outside; the text, wound the other way, is left out.
// From home the model stands behind the text, and only in Graphics.
TEST_F(ScenePixels, TheModelIsClosedFacesOutwardAndStandsBehindTheText) {
    const auto culled = [this](bool on) {
        m_scene->makeCurrent();
        on ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
        glFrontFace(on ? GL_CW : GL_CCW);
        m_scene->MarkStale();
        return Frame();
    };
    // Early in the fly-in, half way, home, and moved with the keys.
    for (const Eye3& eye : {Eye3{-450, -2.5f, 0}, Eye3{-130, -2.5f, 0}, kHome, Eye3{-40, 25, 40},
                            Eye3{-60, -40, -45}, Eye3{120, 30, 60}}) {
        m_scene->SetEye(eye[0], eye[1], eye[2]);
        TextOnly(true);
        const QImage text = Frame();
        TextOnly(false);
        const QImage outside = culled(true), all = culled(false);
        int shown = 0, differing = 0, textHidden = 0;
        for (int y = 0; y < all.height(); ++y) {
            for (int x = 0; x < all.width(); ++x) {
                textHidden += IsLit(text.pixel(x, y)) && text.pixel(x, y) != all.pixel(x, y);
                if ((text.pixel(x, y) & 0xffffff) == 0) {
                    shown += (all.pixel(x, y) & 0xffffff) != 0;
                    differing += all.pixel(x, y) != outside.pixel(x, y);
                }
            }
        }
        EXPECT_GT(shown, 0);
        EXPECT_LE(differing, shown / 1000) << differing << " of " << shown << " pixels differ";
        if (eye == kHome) {
            EXPECT_EQ(textHidden, 0);
            EXPECT_GT(ShadesOf(all).coloured, 1000);
        }
    }
}

} // namespace
