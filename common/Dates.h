// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Dates are plain integers year * 10000 + month * 100 + day, compared as numbers.
namespace wendrix {

using DateKey = std::uint32_t;

inline constexpr DateKey kOpenStart = 0;
inline constexpr DateKey kOpenEnd = 21000000;

[[nodiscard]] constexpr DateKey MakeDateKey(int year, int month, int day)
{
    return static_cast<DateKey>(year * 10000 + month * 100 + day);
}

// Today's date in UTC.
[[nodiscard]] DateKey TodayUtc();

// Reads exactly eight digits YYYYMMDD with a plausible month and day; anything else gives none.
[[nodiscard]] std::optional<DateKey> ParseDateKey(std::string_view text);

// "2015-03-07" for 20150307.
[[nodiscard]] std::string FormatDateKey(DateKey date);

}  // namespace wendrix
