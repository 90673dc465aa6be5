// Which font the clock text is drawn with: the file in the working directory first.
#include "scene/font_locator.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kDejaVuMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// Runs the test in a fresh working directory and goes back afterwards.
class FontLocator : public testing::Test {
  protected:
    void SetUp() override {
        m_previous = fs::current_path();
        m_dir =
            fs::temp_directory_path() /
            ("horolux-font-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        fs::current_path(m_dir);
    }
    void TearDown() override {
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
    }
    fs::path m_previous;
    fs::path m_dir;
};

TEST_F(FontLocator, FileInTheWorkingDirectoryComesFirst) {
    fs::copy_file(kDejaVuMono, "Federation.ttf");
    const auto candidates = ClockFontCandidates();
    ASSERT_GE(candidates.size(), 2u);
    EXPECT_EQ(candidates[0].path, "Federation.ttf");
    auto font = OpenClockFont();
    ASSERT_NE(font, nullptr);
    // The monospaced file, not the fallback: a colon as wide as a digit.
    EXPECT_EQ(font->Advance(':'), font->Advance('0'));
}

TEST_F(FontLocator, WithoutTheFileFontconfigChooses) {
    const auto candidates = ClockFontCandidates();
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_NE(candidates[0].path, "Federation.ttf");
    EXPECT_NE(OpenClockFont(), nullptr);
}

TEST_F(FontLocator, UnreadableFileFallsBackToFontconfig) {
    std::ofstream("Federation.ttf") << "not a font";
    ASSERT_EQ(ClockFontCandidates().size(), 2u);
    auto font = OpenClockFont();
    ASSERT_NE(font, nullptr);
    EXPECT_GT(font->Advance('0'), 0);
    // A directory of that name is no font file either.
    fs::remove("Federation.ttf");
    fs::create_directory("Federation.ttf");
    EXPECT_EQ(ClockFontCandidates().size(), 1u);
}

} // namespace
