#pragma once

// Whether the settings file may be handed to the settings reader at all. The reader opens
// and reads whatever is there: a FIFO blocks it in open(), a device or a huge file reads
// on and on, and a NUL byte silently cuts a value short.
#include <cstddef>
#include <string>

namespace settings {

inline constexpr std::size_t kMaxFileBytes = 64 * 1024;

enum class FileProblem { None, NotRegular, TooLarge, HoldsNul };

// Never blocks: special files are refused by their type before any open. A missing file
// has no problem (the first write creates it).
FileProblem CheckFile(const std::string& path);

} // namespace settings
