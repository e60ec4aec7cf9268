// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/PrefixLookup.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace wendrix {
namespace {

std::vector<std::uint16_t> Found(const PrefixLookup& lookup, std::string_view prefix)
{
    const auto entities = lookup.Find(prefix);
    return {entities.begin(), entities.end()};
}

TEST(PrefixLookup, FindsExactlyTheAddedPrefixesWithTheirEntities)
{
    PrefixLookup lookup;
    const std::vector<std::uint16_t> twins{7, 8};
    const std::vector<std::uint16_t> one{3};
    lookup.Add("QQ", twins);
    lookup.Add("W", one);
    lookup.Add("ABCDEFGH", one);  // longer than a packed key
    lookup.Add("W", twins);       // the first entities stay
    EXPECT_EQ(Found(lookup, "QQ"), twins);
    EXPECT_EQ(Found(lookup, "W"), one);
    EXPECT_EQ(Found(lookup, "ABCDEFGH"), one);
    for (const char* absent : {"", "Q", "QQQ", "w", "ABCDEFG", "ABCDEFGHI"}) {
        EXPECT_TRUE(lookup.Find(absent).empty()) << absent;
    }
    // Bytes are compared with their length: a trailing NUL makes another prefix.
    EXPECT_TRUE(lookup.Find(std::string_view("W\0", 2)).empty());
}

TEST(PrefixLookup, KeepsEveryPrefixWhileGrowing)
{
    PrefixLookup lookup;
    std::vector<std::uint16_t> entity(1);
    for (int i = 0; i < 1000; ++i) {
        entity[0] = static_cast<std::uint16_t>(i);
        lookup.Add("P" + std::to_string(i), entity);
    }
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(Found(lookup, "P" + std::to_string(i)),
                  std::vector<std::uint16_t>{static_cast<std::uint16_t>(i)});
    }
    EXPECT_TRUE(lookup.Find("P1000").empty());
}

}  // namespace
}  // namespace wendrix
