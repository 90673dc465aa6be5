// Any bytes as what an NTS peer or the cookie file may hand us: a key-exchange response,
// the extension fields after an NTP header, a protected reply, the text of a cookie jar.
// A jar that reads as whole must read back the same after writing.
#include "timesync/ntp_extension_fields.h"
#include "timesync/nts_cookie_jar.h"
#include "timesync/nts_ke_records.h"
#include "timesync/nts_packet.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    switch (data[0] % 4) {
    case 0:
        nts::ParseKeResponse(bytes);
        break;
    case 1:
        wire::WalkExtensionFields(bytes, bytes.size() < 48 ? bytes.size() : 48);
        break;
    case 2:
        nts::CheckReply(bytes, nts::UniqueId{}, nts::Key{});
        break;
    default:
        if (const auto jar = nts::ParseJar(std::string(bytes.begin(), bytes.end()))) {
            const std::string text = nts::FormatJar(*jar);
            const auto again = nts::ParseJar(text);
            if (!again || nts::FormatJar(*again) != text) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
