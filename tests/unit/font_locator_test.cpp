// Which font the clock text is drawn with: the file in the working directory first.
#include "scene/font_locator.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(FontLocator, FileInTheWorkingDirectoryFirstThenFontconfig) {
    char folder[] = "/tmp/horolux-font-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    struct Back {
        fs::path to = fs::current_path();
        ~Back() { fs::current_path(to); }
    } back;
    fs::current_path(folder);
    EXPECT_EQ(ClockFontCandidates().size(), 1u); // fontconfig's choice alone
    EXPECT_NE(OpenClockFont(), nullptr);
    fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "Federation.ttf");
    ASSERT_EQ(ClockFontCandidates().size(), 2u);
    EXPECT_EQ(ClockFontCandidates()[0].path, "Federation.ttf");
    const auto mono = OpenClockFont();
    ASSERT_NE(mono, nullptr);
    EXPECT_EQ(mono->Advance(':'), mono->Advance('0')); // the monospaced file's colon
    // A file that is no font falls back to fontconfig's; a folder is no font file at all.
    std::ofstream("Federation.ttf") << "not a font";
    EXPECT_EQ(ClockFontCandidates().size(), 2u);
    EXPECT_NE(OpenClockFont(), nullptr);
    fs::remove("Federation.ttf");
    fs::create_directory("Federation.ttf");
    EXPECT_EQ(ClockFontCandidates().size(), 1u);
    fs::remove_all(folder);
}
