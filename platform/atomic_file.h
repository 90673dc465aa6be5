#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at path with content so that a reader sees the old file or the whole
// new one, never a part: the content goes to a hidden temporary file in the same folder,
// which is flushed to disk and then renamed over path. The file is readable by all
// (0644), as a metrics collector running as another user needs. Returns an empty text on
// success, otherwise the reason; nothing is left behind on failure.
std::string WriteFileAtomically(const std::string& path, std::string_view content);

} // namespace platform
