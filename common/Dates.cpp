// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Dates.h"

#include <chrono>

#include "common/Text.h"

namespace wendrix {

DateKey TodayUtc()
{
    const auto now = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    const std::chrono::year_month_day ymd{now};
    return MakeDateKey(static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                       static_cast<int>(unsigned(ymd.day())));
}

std::optional<DateKey> ParseDateKey(std::string_view text)
{
    if (text.size() != 8) {
        return std::nullopt;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    const auto year = ReadIntInRange(text.substr(0, 4), 0, 9999);
    const auto month = ReadIntInRange(text.substr(4, 2), 1, 12);
    const auto day = ReadIntInRange(text.substr(6, 2), 1, 31);
    if (!year || !month || !day) {
        return std::nullopt;
    }
    return MakeDateKey(static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day));
}

std::string FormatDateKey(DateKey date)
{
    const auto year = date / 10000;
    const auto month = date / 100 % 100;
    const auto day = date % 100;
    return std::to_string(year) + "-" + PadLeftZeros(std::to_string(month), 2) + "-" +
           PadLeftZeros(std::to_string(day), 2);
}

}  // namespace wendrix
