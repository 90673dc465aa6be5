#include "scene/font_locator.h"

#include "scene/scene_values.h"

#include <filesystem>
#include <fontconfig/fontconfig.h>
#include <optional>
#include <system_error>

namespace {

std::optional<glyph::FontFile> MatchFamily(const char* family) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) {
        return std::nullopt;
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) {
        return std::nullopt;
    }
    std::optional<glyph::FontFile> found;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        found = glyph::FontFile{reinterpret_cast<const char*>(file), index};
    }
    FcPatternDestroy(match);
    return found;
}

} // namespace

std::vector<glyph::FontFile> ClockFontCandidates() {
    std::vector<glyph::FontFile> candidates;
    std::error_code error;
    if (std::filesystem::is_regular_file(kClockFontFile, error)) {
        candidates.push_back({kClockFontFile, 0});
    }
    if (auto match = MatchFamily(kClockFontFamily)) {
        candidates.push_back(*match);
    }
    return candidates;
}

std::unique_ptr<glyph::CGlyphFont> OpenClockFont() {
    for (const glyph::FontFile& file : ClockFontCandidates()) {
        if (auto font = glyph::CGlyphFont::Open(file)) {
            return font;
        }
    }
    return nullptr;
}
