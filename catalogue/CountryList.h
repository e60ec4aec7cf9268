// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace wendrix {

// The country list compiled into the program, one element per line, in list order. The array is
// generated at build time from data/CountryList.txt.
[[nodiscard]] std::span<const std::string_view> EmbeddedCountryList();

}  // namespace wendrix
