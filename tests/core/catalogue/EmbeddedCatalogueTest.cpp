// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/CallCorpus.h"
#include "catalogue/CallResolver.h"
#include "catalogue/ResolveCall.h"

namespace wendrix {
namespace {

const EntityCatalogue& Embedded()
{
    static const EntityCatalogue catalogue = BuildEntityCatalogue();
    return catalogue;
}

std::uint16_t Number(std::string_view mainPrefix)
{
    return Embedded().FindEntityByPrefix(mainPrefix);
}

TEST(EmbeddedCatalogue, HoldsEveryEntityWithinTheCapacities)
{
    const auto& catalogue = Embedded();
    EXPECT_EQ(catalogue.EntityCount(), 339);
    EXPECT_LE(catalogue.PrefixIndex().size(),
              static_cast<std::size_t>(EntityCatalogue::kMaxPrefixEntries));
    EXPECT_LE(catalogue.SpecialCallList().size(),
              static_cast<std::size_t>(EntityCatalogue::kMaxSpecialCalls));
    EXPECT_EQ(catalogue.Overflow().Entities + catalogue.Overflow().PrefixEntries +
                  catalogue.Overflow().SpecialCalls +
                  catalogue.Overflow().SpecialCallsWithUnknownEntity,
              0);
    EXPECT_EQ(catalogue.Entity(1).MainPrefix, "1A0");
    EXPECT_EQ(catalogue.Entity(339).MainPrefix, "ZS8");
    EXPECT_EQ(catalogue.EntityByDxcc(230), Number("DL"));
    EXPECT_EQ(catalogue.EntityByDxcc(999), 0);
    // Main prefixes are unique, and every entity with a DXCC number is found through it.
    for (std::uint16_t e = 1; e <= catalogue.EntityCount(); ++e) {
        EXPECT_EQ(catalogue.FindEntityByPrefix(catalogue.Entity(e).MainPrefix), e);
        EXPECT_EQ(catalogue.EntityByDxcc(catalogue.Entity(e).DxccNumber), e);
        EXPECT_LE(catalogue.Entity(e).Name.size(), EntityCatalogue::kNameLength);
    }
}

TEST(EmbeddedCatalogue, RecordsOfTheTellingRows)
{
    const auto& catalogue = Embedded();
    const EntityRecord& agalega = catalogue.Entity(Number("3B6"));
    EXPECT_EQ(agalega.Name, "Agalega + St. Brandon Isl.");
    const EntityRecord& montenegro = catalogue.Entity(Number("4O"));
    EXPECT_EQ(montenegro.ValidFrom, 20060628u);
    EXPECT_EQ(montenegro.ValidTo, kOpenEnd);
    EXPECT_EQ(montenegro.Predecessor, "YU");
    const EntityRecord& antarctica = catalogue.Entity(Number("CE9"));
    EXPECT_EQ(antarctica.Latitude, -9000);
    EXPECT_EQ(antarctica.Longitude, 0);
    const EntityRecord& monaco = catalogue.Entity(Number("3A"));
    EXPECT_EQ(monaco.Latitude, 4373);
    EXPECT_EQ(monaco.Longitude, 740);
    EXPECT_EQ(monaco.DxccNumber, 260);
    const EntityRecord& china = catalogue.Entity(Number("BY"));
    EXPECT_TRUE(china.CqZones.test(23) && china.CqZones.test(24));
    EXPECT_TRUE(china.ItuZones.test(42) && china.ItuZones.test(43) && china.ItuZones.test(44));

    int withValidity = 0;
    int withPredecessor = 0;
    for (const auto& record : catalogue.Entities()) {
        withValidity += (record.ValidFrom != kOpenStart || record.ValidTo != kOpenEnd) ? 1 : 0;
        withPredecessor += record.Predecessor.empty() ? 0 : 1;
    }
    EXPECT_EQ(withValidity, 53);
    EXPECT_EQ(withPredecessor, 6);
}

TEST(EmbeddedCatalogue, SharedBlocksAndBlocksWithoutPrefixes)
{
    const auto& catalogue = Embedded();
    const auto prefixes = catalogue.PrefixIndex();
    const auto find = [&](std::string_view token) {
        return std::find_if(prefixes.begin(), prefixes.end(),
                            [&](const PrefixRange& p) { return p.Describe() == token; });
    };
    for (const auto* token : {"VK0", "AX0", "VI0"}) {
        const auto entry = find(token);
        ASSERT_NE(entry, prefixes.end()) << token;
        EXPECT_EQ(entry->FirstEntity, Number("VK0/H")) << token;
        EXPECT_EQ(entry->BlockSize, 2) << token;
    }
    const auto fo = find("FO");
    ASSERT_NE(fo, prefixes.end());
    EXPECT_EQ(fo->FirstEntity, Number("FO"));
    EXPECT_EQ(fo->BlockSize, 4);
    const auto range = find("3B6-3B7");
    ASSERT_NE(range, prefixes.end());
    EXPECT_EQ(std::string(range->Low.data(), 4), "3B6 ");
    EXPECT_EQ(std::string(range->High.data(), 4), "3B7Z");
    const auto kg4 = find("KG4");
    ASSERT_NE(kg4, prefixes.end());
    EXPECT_EQ(std::string(kg4->High.data(), 4), "KG4Z");

    for (const auto* prefixLess :
         {"3D2/C", "3D2/R", "4U_IT", "4U_UN", "FK/C", "FR/G", "FR/J", "FR/T", "FT.W", "FT.X",
          "FT.Z", "KH8/S", "SV/A", "VP6/D", "VP8/G", "VP8/H", "VP8/O", "VP8/S"}) {
        const auto entity = Number(prefixLess);
        ASSERT_NE(entity, 0) << prefixLess;
        for (const auto& p : prefixes) {
            // Only the first entity of a block is named by its entries; these stand alone.
            EXPECT_NE(p.FirstEntity, entity) << prefixLess << " has prefix " << p.Describe();
        }
    }
    // No prefix entry covers 2A or DT: those calls count only through dated special calls.
    for (const auto* call : {"2A", "DT"}) {
        for (const auto& p : prefixes) {
            EXPECT_FALSE(p.Matches(call)) << call << " matches " << p.Describe();
        }
    }
    // After the nesting pass the specific entries stand before the ranges around them.
    const auto bv9p = find("BV9P");
    const auto buBx = find("BU-BX");
    ASSERT_NE(bv9p, prefixes.end());
    ASSERT_NE(buBx, prefixes.end());
    EXPECT_LT(bv9p, buBx);
}

TEST(EmbeddedCatalogue, SpecialCallsWithDates)
{
    const auto& specials = Embedded().SpecialCallList();
    const auto has = [&](std::string_view pattern, std::string_view entity, DateKey from,
                         DateKey to) {
        return std::any_of(specials.begin(), specials.end(), [&](const SpecialCall& s) {
            return s.Pattern == pattern && Embedded().MainPrefixOf(s.Entity) == entity &&
                   s.ValidFrom == from && s.ValidTo == to;
        });
    };
    EXPECT_TRUE(has("2A*", "GM", 19980719, 19990731));
    EXPECT_TRUE(has("2A*", "GM", 20090810, 20091130));
    EXPECT_TRUE(has("4K1*", "CE9", kOpenStart, 19951231));
    EXPECT_TRUE(has("CQ2*", "CT3", 20090601, kOpenEnd));
    EXPECT_TRUE(has("DT*", "HL", 19901003, kOpenEnd));
    EXPECT_TRUE(has("3D2?\?/C", "3D2/C", kOpenStart, kOpenEnd));
    EXPECT_TRUE(has("3D2?\?/R", "3D2/R", kOpenStart, kOpenEnd));
    EXPECT_TRUE(has("4U?IT?", "4U_IT", kOpenStart, kOpenEnd));
    EXPECT_TRUE(has("KG4??", "KG4", kOpenStart, kOpenEnd));
    EXPECT_TRUE(has("KG4???*", "W", kOpenStart, kOpenEnd));
    for (const auto& s : specials) {
        EXPECT_LE(s.Pattern.size(), 13u) << s.Pattern;
    }
}

struct TableRow
{
    const char* call;
    DateKey date;
    int status;
    const char* mainPrefix;
    int candidates;  // 0: not checked
};

void PrintTo(const TableRow& row, std::ostream* out)
{
    *out << row.call << " " << row.date;
}

class EmbeddedResolution : public testing::TestWithParam<TableRow>
{
};

TEST_P(EmbeddedResolution, MatchesTheKnownAnswer)
{
    const TableRow& row = GetParam();
    const auto result = ResolveCall(Embedded(), row.call, row.date);
    EXPECT_EQ(static_cast<int>(result.Status), row.status);
    EXPECT_EQ(result.MainPrefix, row.mainPrefix);
    if (row.candidates != 0) {
        EXPECT_EQ(result.CandidateCount, row.candidates);
    }
    const CallResolver resolver(Embedded());
    const auto fast = resolver.Resolve(row.call, row.date);
    EXPECT_EQ(fast.Status, result.Status);
    EXPECT_EQ(fast.MainPrefix, result.MainPrefix);
}

INSTANTIATE_TEST_SUITE_P(
    KnownCalls, EmbeddedResolution,
    testing::Values(
        TableRow{"DL1ABC", 20200101, 0, "DL", 1}, TableRow{"DL1ABC/8", 20200101, 2, "DL", 1},
        TableRow{"S51ABC/3", 20200101, 2, "S5", 1}, TableRow{"K1ABC/4", 20200101, 2, "W", 1},
        TableRow{"A61ABC/4", 20200101, 2, "W", 1}, TableRow{"KH6ABC/4", 20200101, 2, "W", 1},
        TableRow{"DL/K1ABC", 20200101, 2, "DL", 1}, TableRow{"F/DL1ABC", 20200101, 2, "F", 1},
        TableRow{"VP2E/K1ABC/QRP", 20200101, 2, "VP2E", 1},
        TableRow{"K1ABC/P", 20200101, 0, "W", 1}, TableRow{"K1ABC/", 20200101, 0, "W", 1},
        TableRow{"/K1ABC", 20200101, 0, "W", 1}, TableRow{"K1ABC/MM", 20200101, 4, "W", 1},
        TableRow{"K1ABC/P/MM", 20200101, 4, "W", 1}, TableRow{"MM", 20200101, 1, "", 1},
        TableRow{"3D", 20200101, 1, "", 1}, TableRow{"FO5ABC", 20200101, 3, "FO", 4},
        TableRow{"FO5ABC", 19900101, 3, "FO", 3}, TableRow{"E51ABC", 20200101, 3, "E5/N", 2},
        TableRow{"3D2AB/C", 20200101, 2, "3D2/C", 1}, TableRow{"3D2AB/R", 20200101, 2, "3D2/R", 1},
        TableRow{"4U1ITU", 20200101, 0, "4U_IT", 1}, TableRow{"KG4AB", 20200101, 0, "KG4", 1},
        TableRow{"KG4ABC", 20200101, 0, "W", 1}, TableRow{"2A0ABC", 19990101, 0, "GM", 1},
        TableRow{"2A0ABC", 20000101, 5, "", 1}, TableRow{"CQ2AB", 20100101, 0, "CT3", 1},
        TableRow{"CQ2AB", 20080101, 0, "CT", 1}, TableRow{"DT1AB", 19910101, 0, "HL", 1},
        TableRow{"DT1AB", 19900101, 5, "", 1}, TableRow{"3D2ABC", 20200101, 0, "3D2", 1},
        TableRow{"4O1AB", 20050101, 0, "YU", 1}, TableRow{"4O1AB", 20070101, 0, "4O", 1},
        TableRow{"9A2AB", 19900101, 0, "YU", 1}, TableRow{"9A2AB", 19920101, 0, "9A", 1},
        TableRow{"E7/DL1ABC", 19900101, 2, "YU", 1}, TableRow{"PJ2AB", 20050101, 5, "", 1},
        TableRow{"PJ2AB", 20110101, 0, "PJ2", 1}, TableRow{"UA9FAB", 20200101, 0, "UA3", 1},
        TableRow{"UA9ABC", 20200101, 0, "UA9", 1}, TableRow{"BV9PAB", 20200101, 0, "BV9", 1},
        TableRow{"BV2AB", 20200101, 0, "BV", 1}));

// The indexed resolver is only worth having if it answers exactly like the reference scan: check
// that on the whole benchmark corpus.
TEST(EmbeddedCatalogue, IndexedResolverAgreesWithTheReferenceOnTheBenchmarkCorpus)
{
    const CallResolver resolver(Embedded());
    const auto corpus = bench::MakeCallCorpus(Embedded(), 200000, 42);
    std::size_t differences = 0;
    for (const auto& c : corpus) {
        const auto expected = ResolveCall(Embedded(), c.Call, c.Date);
        const auto got = resolver.Resolve(c.Call, c.Date);
        if (got.Status != expected.Status || got.MainPrefix != expected.MainPrefix ||
            got.CandidateCount != expected.CandidateCount) {
            ADD_FAILURE() << c.Call << " " << c.Date << ": " << got.MainPrefix << " vs "
                          << expected.MainPrefix;
            if (++differences > 10) {
                break;
            }
        }
    }
    EXPECT_EQ(differences, 0u);
}

}  // namespace
}  // namespace wendrix
