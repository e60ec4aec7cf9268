// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the stored thresholds value: any bytes. Exactly 36 bytes decode, to 18
// little-endian 16-bit values that encode back to the same bytes; any other length decodes to
// nothing, and the store's reader then keeps the built-in defaults.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "matrix/BandThresholds.h"
#include "support/FuzzCheck.h"

using wendrix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const auto decoded = wendrix::DecodeThresholds(bytes);
    Check(decoded.has_value() == (size == wendrix::kThresholdBytes),
          "only a value of exactly 36 bytes decodes");
    const wendrix::BandThresholds kept = decoded.value_or(wendrix::BandThresholds{});
    if (!decoded) {
        Check(kept.minimum == wendrix::DefaultThresholds(), "a refused value leaves the defaults");
        return 0;
    }
    for (std::size_t b = 0; b < kept.minimum.size(); ++b) {
        Check(kept.minimum[b] == (bytes[2 * b] | (bytes[2 * b + 1] << 8)),
              "a threshold is not its little-endian pair of bytes");
    }
    const auto encoded = wendrix::EncodeThresholds(kept);
    Check(std::equal(encoded.begin(), encoded.end(), bytes.begin(), bytes.end()),
          "decoding and encoding again changes the value");
    return 0;
}
