#pragma once

#include "timesync/nts_trust_anchor.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The CA file the root helper is named. It is opened once; what was opened is judged (a
// regular file under 1 MiB in one of the trusted folders, found from the descriptor, not
// from the path again) and read, and only those bytes are trusted: a link swapped after the
// check, a FIFO or a device cannot change what root trusts or hold it up.

// Only root can write there.
inline constexpr std::string_view kSystemCaFolders[] = {
    "/etc/ssl/certs/", "/usr/share/ca-certificates/", "/usr/local/share/ca-certificates/"};

// The opened descriptor (the caller closes it), or -1 when the file is missing or refused;
// each folder ends with '/'.
int OpenCaFile(const std::string& path, std::span<const std::string_view> folders);
// What it holds is read with nts::ReadOpenedCaFile.
