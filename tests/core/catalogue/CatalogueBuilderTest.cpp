// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/EntityCatalogue.h"

namespace wendrix {
namespace {

// Builds a catalogue from lines given in the test; the strings must outlive the call only.
EntityCatalogue Build(const std::vector<std::string>& lines)
{
    std::vector<std::string_view> views(lines.begin(), lines.end());
    return BuildEntityCatalogue(views);
}

std::string Low(const PrefixRange& range)
{
    return {range.Low.data(), range.Low.size()};
}

std::string High(const PrefixRange& range)
{
    return {range.High.data(), range.High.size()};
}

TEST(CatalogueGrammar, TokensFieldsAndNamesOfPlainBlocks)
{
    const auto catalogue = Build({
        "=== header ===",
        "3A                 : 3A     EU  14              27\t\t4373 740\t260",
        "Monaco",
        "",
        "3B6-3B7  KG4       : 3B6    af  39              53\t\t-1045 5667\t4",
        "\t  Agalega & St. Brandon Isl. & more text beyond thirty",
    });
    ASSERT_EQ(catalogue.EntityCount(), 2);
    const EntityRecord& monaco = catalogue.Entity(1);
    EXPECT_EQ(monaco.MainPrefix, "3A");
    EXPECT_EQ(monaco.Name, "Monaco");
    EXPECT_EQ(monaco.Continent, ContinentCode::EU);
    EXPECT_TRUE(monaco.CqZones.test(14));
    EXPECT_EQ(monaco.CqZones.count(), 1u);
    EXPECT_TRUE(monaco.ItuZones.test(27));
    EXPECT_EQ(monaco.Latitude, 4373);
    EXPECT_EQ(monaco.Longitude, 740);
    EXPECT_EQ(monaco.DxccNumber, 260);
    EXPECT_EQ(monaco.ValidFrom, kOpenStart);
    EXPECT_EQ(monaco.ValidTo, kOpenEnd);

    const EntityRecord& agalega = catalogue.Entity(2);
    EXPECT_EQ(agalega.Continent, ContinentCode::AF) << "continent text is case-insensitive";
    EXPECT_EQ(agalega.Name, "Agalega + St. Brandon Isl. & m")
        << "leading blanks skipped, cut to 30, only the first & replaced";

    ASSERT_EQ(catalogue.PrefixIndex().size(), 3u);
    const PrefixRange& range = catalogue.PrefixIndex()[1];
    EXPECT_EQ(Low(range), "3B6 ");
    EXPECT_EQ(High(range), "3B7Z");
    EXPECT_EQ(range.FirstEntity, 2);
    EXPECT_EQ(range.BlockSize, 1);
    const PrefixRange& single = catalogue.PrefixIndex()[2];
    EXPECT_EQ(Low(single), "KG4 ");
    EXPECT_EQ(High(single), "KG4Z");
    EXPECT_EQ(catalogue.EntityByDxcc(260), 1);
    EXPECT_EQ(catalogue.EntityByDxcc(4), 2);
    EXPECT_EQ(catalogue.EntityByDxcc(999), 0);
}

TEST(CatalogueGrammar, SharedBlocksGiveEveryTokenTheWholeBlock)
{
    // Tokens over several lines, a sub-entity right after a name line, tabs as blanks.
    const auto catalogue = Build({
        "VK0  AX0",
        "VI0\t\t   : VK0/H  OC  39              68\t\t-5300 7350\t111",
        "Heard I.",
        "\t\t   : VK0/M  OC  30              60\t\t-5450 15890\t153",
        "Macquarie I.",
        "",
        "",
        "\t\t",
        "FO        : FO     OC  32  63  -1750 -14950  175",
        "French Polynesia",
        "ignored line without a colon",
        "   XX9     : FO/A   OC  32  63  -2330 -14950  508  19980331-",
        "Austral I.",
    });
    ASSERT_EQ(catalogue.EntityCount(), 4);
    const auto prefixes = catalogue.PrefixIndex();
    ASSERT_EQ(prefixes.size(), 4u) << "tokens before a later data line of a block are ignored";
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(prefixes[static_cast<std::size_t>(i)].FirstEntity, 1);
        EXPECT_EQ(prefixes[static_cast<std::size_t>(i)].BlockSize, 2);
    }
    EXPECT_EQ(prefixes[3].FirstEntity, 3);
    EXPECT_EQ(prefixes[3].BlockSize, 2)
        << "the runs of blank lines and the tab-only line are one separator";
    EXPECT_EQ(catalogue.Entity(4).ValidFrom, 19980331u);
}

TEST(CatalogueGrammar, BlockWithoutPrefixesOpensNoEntry)
{
    const auto catalogue = Build({
        "3A   : 3A  EU 14 27 4373 740 260",
        "Monaco",
        "",
        "                   : 4U_IT  EU  14              28\t\t4620 615\t117",
        "\t\t     ITU HQ",
        "",
        "=S",
        "4U?IT?          4U_IT",
    });
    ASSERT_EQ(catalogue.EntityCount(), 2);
    EXPECT_EQ(catalogue.Entity(2).Name, "ITU HQ");
    EXPECT_EQ(catalogue.Entity(2).BasePrefixLength, 5);
    ASSERT_EQ(catalogue.PrefixIndex().size(), 1u);
    EXPECT_EQ(catalogue.PrefixIndex()[0].FirstEntity, 1);
    ASSERT_EQ(catalogue.SpecialCallList().size(), 1u);
    EXPECT_EQ(catalogue.SpecialCallList()[0].Entity, 2);
}

TEST(CatalogueGrammar, SectionLinesAndCase)
{
    const auto catalogue = Build({
        "=anything but S changes nothing",
        "dl   : dl  eu 14 28 5100 1000 230",
        "Fed. Rep. of Germany",
        "=X",
        "",
        "=s lower-case s starts the special calls too",
        "dl0abc   dl",
        "",
        "df0*     -     20200101-20201231",
    });
    ASSERT_EQ(catalogue.EntityCount(), 1);
    EXPECT_EQ(catalogue.Entity(1).MainPrefix, "DL");
    EXPECT_EQ(catalogue.Entity(1).Name, "Fed. Rep. of Germany") << "name lines keep their case";
    EXPECT_EQ(Low(catalogue.PrefixIndex()[0]), "DL  ");
    ASSERT_EQ(catalogue.SpecialCallList().size(), 2u)
        << "blank lines among special calls are skipped";
    EXPECT_EQ(catalogue.SpecialCallList()[0].Pattern, "DL0ABC");
    EXPECT_EQ(catalogue.SpecialCallList()[0].Entity, 1);
    EXPECT_EQ(catalogue.SpecialCallList()[1].Entity, 0) << "\"-\" declares no valid entity";
    EXPECT_EQ(catalogue.SpecialCallList()[1].ValidFrom, 20200101u);
    EXPECT_EQ(catalogue.SpecialCallList()[1].ValidTo, 20201231u);
}

struct ValidityCase
{
    const char* field;
    DateKey from;
    DateKey to;
};

class CatalogueValidity : public testing::TestWithParam<ValidityCase>
{
};

TEST_P(CatalogueValidity, IsReadFromEitherSideOfTheDash)
{
    const std::string data = std::string("X   : X EU 1 1 0 0 1 ") + GetParam().field;
    const auto catalogue = Build({data, "Name"});
    ASSERT_EQ(catalogue.EntityCount(), 1);
    EXPECT_EQ(catalogue.Entity(1).ValidFrom, GetParam().from);
    EXPECT_EQ(catalogue.Entity(1).ValidTo, GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Fields, CatalogueValidity,
                         testing::Values(ValidityCase{"20060628-", 20060628, kOpenEnd},
                                         ValidityCase{"-19951231", kOpenStart, 19951231},
                                         ValidityCase{"19980719-19990731", 19980719, 19990731},
                                         ValidityCase{"19000101-", kOpenStart, kOpenEnd},
                                         ValidityCase{"19000102-", 19000102, kOpenEnd},
                                         ValidityCase{"99999999-", 21001231, kOpenEnd},
                                         ValidityCase{"abc-20201231", kOpenStart, 20201231},
                                         ValidityCase{"20060628", kOpenStart, kOpenEnd},
                                         ValidityCase{"-2020123199", kOpenStart, 20201231}));

TEST(CatalogueFields, MalformedNumbersTakeDefaults)
{
    const auto catalogue = Build({
        "X  : X  XX 14/x/15 28/99 north - 1234",
        "Too many",
        "",
        "Y  : Y  EU 3 4 -9000 0 abc 20200101- YU",
        "Predecessor",
        "",
        "Z  : Z  EU 3 4 40000 - 12",
        "Wrapped latitude",
        "",
        "V  : V  EU 3 4 1 2 3 20200101- TOOLONG",
        "Long predecessor",
    });
    ASSERT_EQ(catalogue.EntityCount(), 4);
    const EntityRecord& x = catalogue.Entity(1);
    EXPECT_EQ(x.Continent, ContinentCode::Unknown);
    EXPECT_TRUE(x.CqZones.test(14));
    EXPECT_FALSE(x.CqZones.test(15)) << "zones stop at the first bad part";
    EXPECT_TRUE(x.ItuZones.test(28));
    EXPECT_EQ(x.ItuZones.count(), 1u);
    EXPECT_EQ(x.Latitude, 20000);
    EXPECT_EQ(x.Longitude, 0) << "\"-\" leaves no coordinate";
    EXPECT_EQ(x.DxccNumber, 999) << "clamped to 999";
    EXPECT_EQ(catalogue.Entity(2).Latitude, -9000);
    EXPECT_EQ(catalogue.Entity(2).Longitude, 0);
    EXPECT_EQ(catalogue.Entity(2).DxccNumber, 0);
    EXPECT_EQ(catalogue.Entity(2).Predecessor, "YU");
    EXPECT_EQ(catalogue.Entity(3).Latitude, static_cast<std::int16_t>(40000 - 65536));
    EXPECT_EQ(catalogue.Entity(4).Predecessor, "");
}

TEST(CatalogueFields, ZoneListsAndContinents)
{
    std::bitset<48> cq;
    EXPECT_TRUE(ParseZones("12/13/29/30/32/38/39", 40, cq));
    EXPECT_EQ(cq.count(), 7u);
    EXPECT_TRUE(ParseZones("", 40, cq));
    EXPECT_EQ(cq.count(), 0u);
    EXPECT_FALSE(ParseZones("3/41/5", 40, cq));
    EXPECT_TRUE(cq.test(3));
    EXPECT_EQ(cq.count(), 1u);
    std::bitset<96> itu;
    EXPECT_TRUE(ParseZones("90", 90, itu));
    EXPECT_FALSE(ParseZones("0", 90, itu));
    EXPECT_EQ(ParseContinent("oc"), ContinentCode::OC);
    EXPECT_EQ(ParseContinent("SA"), ContinentCode::SA);
    EXPECT_EQ(ParseContinent("AN"), ContinentCode::Unknown);
}

TEST(CatalogueFields, BasePrefixLengthStopsAtSlashOrDot)
{
    const std::vector<std::pair<std::string, int>> cases{
        {"3D2/C", 3}, {"3Y/B", 2}, {"FT.W", 2},  {"PJ5/6", 3}, {"4U_IT", 5},
        {"R1FJ", 4},  {"W", 1},    {"KH8/S", 3}, {"A/", 2},    {"", 0}};
    for (const auto& [prefix, length] : cases) {
        EXPECT_EQ(BasePrefixLength(prefix), length) << prefix;
    }
}

TEST(CatalogueNesting, SpecificEntryInsideABroaderRangeMovesAhead)
{
    const auto catalogue = Build({
        "BU-BX   : BV  AS 24 44 0 0 386",
        "Taiwan",
        "",
        "UA8-UA9  : UA9  AS 17 30 0 0 15",
        "Asiatic Russia",
        "",
        "BV9P    : BV9 AS 24 44 0 0 505",
        "Pratas I.",
        "",
        "UA9     : UX  AS 17 30 0 0 16",
        "Partly overlapping, same high bound",
        "",
        "UA9F    : UA3 EU 16 29 0 0 54",
        "European Russia",
    });
    const auto prefixes = catalogue.PrefixIndex();
    ASSERT_EQ(prefixes.size(), 5u);
    std::vector<std::string> order;
    for (const auto& p : prefixes) {
        order.push_back(p.Describe());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"BV9P", "UA9F", "BU-BX", "UA9", "UA8-UA9"}));
    EXPECT_GT(catalogue.NestingExchanges(), 0);
    // The moved entries keep their own entity.
    EXPECT_EQ(catalogue.MainPrefixOf(prefixes[0].FirstEntity), "BV9");
    EXPECT_EQ(catalogue.MainPrefixOf(prefixes[1].FirstEntity), "UA3");
}

TEST(CatalogueCapacity, EntitiesBeyondTheTableAreLeftOut)
{
    std::vector<std::string> lines;
    for (int e = 1; e <= EntityCatalogue::kMaxEntities + 1; ++e) {
        lines.push_back("E" + std::to_string(e) + " : E" + std::to_string(e) + " EU 1 1 0 0 " +
                        std::to_string(e % 999 + 1));
        lines.push_back("Entity " + std::to_string(e));
        lines.push_back("");
    }
    const auto catalogue = Build(lines);
    EXPECT_EQ(catalogue.EntityCount(), EntityCatalogue::kMaxEntities);
    EXPECT_EQ(catalogue.Entity(400).Name, "Entity 400");
    EXPECT_EQ(catalogue.Overflow().Entities, 1);
    EXPECT_EQ(catalogue.PrefixIndex().size(), 401u - 1u)
        << "the dropped entity's token stays out too";
}

TEST(CatalogueCapacity, SpecialCallsFillTheTableAndTheRestIsLeftOut)
{
    const auto build = [](int specialCount) {
        std::vector<std::string> lines{"E1 : E1 EU 1 1 0 0 1", "Entity 1", "=S"};
        for (int s = 1; s <= specialCount; ++s) {
            lines.push_back("S" + std::to_string(s) + " E1");
        }
        return Build(lines);
    };
    const auto limit = static_cast<std::size_t>(EntityCatalogue::kMaxSpecialCalls);
    const std::string lastKept = "S" + std::to_string(EntityCatalogue::kMaxSpecialCalls);

    const auto full = build(EntityCatalogue::kMaxSpecialCalls);
    ASSERT_EQ(full.SpecialCallList().size(), limit);
    EXPECT_EQ(full.SpecialCallList().back().Pattern, lastKept);
    EXPECT_EQ(full.Overflow().SpecialCalls, 0);

    const auto beyond = build(EntityCatalogue::kMaxSpecialCalls + 1);
    ASSERT_EQ(beyond.SpecialCallList().size(), limit);
    EXPECT_EQ(beyond.SpecialCallList().back().Pattern, lastKept) << "the list's first lines stay";
    EXPECT_EQ(beyond.Overflow().SpecialCalls, 1);
}

TEST(CatalogueCapacity, PrefixEntriesStopAtTheLimit)
{
    // Only the first 255 characters of a line count, so the tokens run over many lines.
    std::vector<std::string> lines;
    for (int t = 0; t < EntityCatalogue::kMaxPrefixEntries + 5; ++t) {
        if (t % 20 == 0) {
            lines.emplace_back();
        }
        lines.back() += "P" + std::to_string(t) + " ";
    }
    lines.back() += ": P EU 1 1 0 0 1";
    lines.emplace_back("Many prefixes");
    const auto catalogue = Build(lines);
    EXPECT_EQ(catalogue.PrefixIndex().size(),
              static_cast<std::size_t>(EntityCatalogue::kMaxPrefixEntries));
    EXPECT_EQ(catalogue.Overflow().PrefixEntries, 5);
    EXPECT_EQ(catalogue.PrefixIndex().back().FirstEntity, 1);
}

TEST(CatalogueHardening, MalformedLinesNeverPointAtMissingEntities)
{
    const auto catalogue = Build({
        "DL: DL EU 14 28 0 0 230",
        "Glued token",
        "",
        "AB CD",
        "",
        "F  : F EU 14 27 0 0 227",
        "France",
        "=S",
        "F0ABC   NOSUCH",
        "F0ABD",
        "F0ABE   F",
    });
    ASSERT_EQ(catalogue.EntityCount(), 2);
    ASSERT_EQ(catalogue.PrefixIndex().size(), 1u)
        << "neither the glued token nor prefix lines without a data line make entries";
    EXPECT_EQ(catalogue.PrefixIndex()[0].FirstEntity, 2);
    EXPECT_EQ(catalogue.PrefixIndex()[0].BlockSize, 1) << "the block was closed by the =S line";
    ASSERT_EQ(catalogue.SpecialCallList().size(), 1u);
    EXPECT_EQ(catalogue.SpecialCallList()[0].Pattern, "F0ABE");
    EXPECT_EQ(catalogue.Overflow().SpecialCallsWithUnknownEntity, 2);
}

TEST(CatalogueLookup, FindEntityByPrefixComparesTrimmedTextExactly)
{
    const auto catalogue =
        Build({"W  : W NA 5 8 0 0 291", "USA", "", "K : KG4 NA 8 11 0 0 105", "Guantanamo"});
    EXPECT_EQ(catalogue.FindEntityByPrefix(" KG4 "), 2);
    EXPECT_EQ(catalogue.FindEntityByPrefix("kg4"), 0);
    EXPECT_EQ(catalogue.FindEntityByPrefix(""), 0);
    EXPECT_EQ(catalogue.MainPrefixOf(3), "");
}

}  // namespace
}  // namespace wendrix
