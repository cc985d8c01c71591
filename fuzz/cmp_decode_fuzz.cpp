// SPDX-License-Identifier: GPL-3.0-or-later
// The .cmp decoder on arbitrary files: the table-driven decoder must agree with the tree
// walk in result and bytes, and what decodes must encode and decode back to itself.
// The round trip through the encoder is made for small payloads only: it is three times
// the work of the decoding it checks, and the large ones add nothing the small ones miss.

#include "base/reporter.h"
#include "pictures/byte_stream.h"
#include "pictures/cmp_codec.h"

#include <cstdlib>

namespace {

constexpr std::size_t kMaxRoundTripBytes = 4096;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> file(data, data + size);
    base::RecordingReporter fast_messages, ref_messages;
    pictures::ByteStream fast_in(file), fast_out, ref_in(file), ref_out;
    const int fast = pictures::DecodeCmpStream(fast_in, fast_out, fast_messages);
    const int ref = pictures::DecodeCmpStreamReference(ref_in, ref_out, ref_messages);
    if (fast != ref || fast_out.bytes() != ref_out.bytes() ||
        fast_messages.messages().size() != ref_messages.messages().size()) {
        std::abort();
    }
    if (fast == 0 && fast_out.bytes().size() <= kMaxRoundTripBytes) {
        pictures::ByteStream payload(fast_out.bytes()), again, back;
        if (pictures::EncodeCmpStream(payload, again, fast_messages) != 0) std::abort();
        if (pictures::DecodeCmpStream(again, back, fast_messages) != 0 || back.bytes() != fast_out.bytes())
            std::abort();
    }
    return 0;
}
