// Any answers of up to eight servers must keep the selection's rules.
#include "tests/fuzz/require.h"
#include "tests/support/agreement_rules.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Five bytes a server: its state, then offset, delay, root delay and root dispersion
    // in steps of a millisecond (offsets either side of zero, the rest never negative).
    std::vector<agreement::Source> sources;
    for (std::size_t at = 0; at + 5 <= size && sources.size() < 8; at += 5) {
        sources.push_back({static_cast<agreement::Source::State>(data[at] % 3),
                           (static_cast<int>(data[at + 1]) - 128) * 0.001, data[at + 2] * 0.001,
                           data[at + 3] * 0.0005, data[at + 4] * 0.0002});
    }
    Require(agreement_rules::BrokenRule(sources, agreement::Select(sources)) == nullptr);
    return 0;
}
