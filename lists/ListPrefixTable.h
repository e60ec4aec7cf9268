// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

// Some entities appear in survey list files under another prefix than their MainPrefix (older
// club usage: "K" for "W", "UA" for "UA3" and so on).
namespace wendrix {

struct ListPrefixPair
{
    std::string_view MainPrefix;
    std::string_view ListPrefix;
};

inline constexpr std::array<ListPrefixPair, 25> kListPrefixTable{{
    {"1A0", "1A"},     {"3C1", "3C"},     {"4U_IT", "4U1I"}, {"4U_UN", "4U1U"}, {"BV9", "BV9P"},
    {"CO", "CM"},      {"FR/G", "FT/G"},  {"FR/J", "FT/J"},  {"FR/T", "FT/T"},  {"FT.W", "FT/W"},
    {"FT.X", "FT/X"},  {"FT.Z", "FT/Z"},  {"H44", "H4"},     {"HK0", "HK0/A"},  {"HK0M", "HK0/M"},
    {"JD1/M", "JD/M"}, {"JD1/O", "JD/O"}, {"PJ5/6", "PJ5"},  {"UA3", "UA"},     {"UJ", "UK"},
    {"VK0/H", "VK0H"}, {"VK0/M", "VK0M"}, {"VP8/F", "VP8"},  {"W", "K"},        {"ZB2", "ZB"},
}};

// The prefix a list file uses for a MainPrefix (the first pair whose left side matches wins);
// a prefix not in the table stands for itself.
[[nodiscard]] constexpr std::string_view ListPrefixOf(std::string_view mainPrefix)
{
    for (const auto& pair : kListPrefixTable) {
        if (pair.MainPrefix == mainPrefix) {
            return pair.ListPrefix;
        }
    }
    return mainPrefix;
}

// The MainPrefix a list-file prefix stands for (the first pair whose right side matches wins).
[[nodiscard]] constexpr std::string_view MainPrefixOfListPrefix(std::string_view listPrefix)
{
    for (const auto& pair : kListPrefixTable) {
        if (pair.ListPrefix == listPrefix) {
            return pair.MainPrefix;
        }
    }
    return listPrefix;
}

}  // namespace wendrix
