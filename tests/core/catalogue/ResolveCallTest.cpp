// SPDX-License-Identifier: GPL-3.0-or-later
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/CallResolver.h"
#include "catalogue/ResolveCall.h"
#include "support/TempDir.h"

namespace wendrix {
namespace {

// A small hand-written country list (tests/data/catalogue/SmallCountryList.txt) that holds the
// constructs resolution depends on: shared blocks, validities, predecessors, nested prefixes and
// special calls with wildcards, dates and "-".
class SmallList
{
public:
    SmallList()
    {
        std::ifstream in(test::TestDataPath("catalogue/SmallCountryList.txt"));
        std::string line;
        while (std::getline(in, line)) {
            m_lines.push_back(line);
        }
        std::vector<std::string_view> views(m_lines.begin(), m_lines.end());
        m_catalogue = BuildEntityCatalogue(views);
    }
    [[nodiscard]] const EntityCatalogue& Catalogue() const { return m_catalogue; }

private:
    std::vector<std::string> m_lines;
    EntityCatalogue m_catalogue;
};

const EntityCatalogue& SmallCatalogue()
{
    static const SmallList list;
    return list.Catalogue();
}

TEST(MatchCallPattern, WildcardsAndLengths)
{
    struct Case
    {
        std::string_view call;
        std::string_view pattern;
        bool matches;
    };
    const Case cases[] = {
        {"3D2AB/C", "3D2?\?/C", true},
        {"3D2A/C", "3D2?\?/C", false},
        {"3D2A//C", "3D2?\?/C", false},
        {"KG4AB", "KG4??", true},
        {"KG4ABC", "KG4??", false},
        {"KG4ABC", "KG4???*", true},
        {"KG4AB", "KG4???*", false},
        {"2A0ABC", "2A*", true},
        {"2A", "2A*", true},
        {"2", "2A*", false},
        {"4U1ITU", "4U?IT?", true},
        {"DL*X", "DL*X", true},
        {"DLAX", "DL*X", false},
        {"", "*", true},
        {"ANY", "*", true},
        {"DL1ABC", "dl1abc", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchCallPattern(c.call, c.pattern), c.matches) << c.call << " ~ " << c.pattern;
    }
    EXPECT_EQ(SignificantLength("KG4???*"), 3u);
    EXPECT_EQ(SignificantLength("3D2?\?/C"), 7u);
    EXPECT_EQ(SignificantLength("*"), 0u);
    EXPECT_EQ(SignificantLength("DL1ABC"), 6u);
}

struct ResolveCase
{
    const char* call;
    DateKey date;
    ResolutionStatus status;
    const char* mainPrefix;
    int candidates;
};

void PrintTo(const ResolveCase& c, std::ostream* out)
{
    *out << c.call << " " << c.date;
}

class ResolveOnSmallList : public testing::TestWithParam<ResolveCase>
{
};

TEST_P(ResolveOnSmallList, GivesStatusEntityAndCandidates)
{
    const ResolveCase& c = GetParam();
    const ResolutionResult result = ResolveCall(SmallCatalogue(), c.call, c.date);
    EXPECT_EQ(result.Status, c.status);
    EXPECT_EQ(result.MainPrefix, c.mainPrefix);
    EXPECT_EQ(result.CandidateCount, c.candidates);
    EXPECT_EQ(result.Entity, SmallCatalogue().FindEntityByPrefix(c.mainPrefix));
}

using S = ResolutionStatus;
INSTANTIATE_TEST_SUITE_P(Rules, ResolveOnSmallList,
                         testing::Values(
                             // plain calls, call-area digits, portable forms and mobile suffixes
                             ResolveCase{"DL1ABC", 20200101, S::Resolved, "DL", 1},
                             ResolveCase{"DL1ABC/8", 20200101, S::ResolvedTwoPart, "DL", 1},
                             ResolveCase{"S51ABC/3", 20200101, S::ResolvedTwoPart, "S5", 1},
                             ResolveCase{"K1ABC/4", 20200101, S::ResolvedTwoPart, "W", 1},
                             ResolveCase{"KH6ABC/4", 20200101, S::ResolvedTwoPart, "W", 1},
                             ResolveCase{"DL/K1ABC", 20200101, S::ResolvedTwoPart, "DL", 1},
                             ResolveCase{"K1ABC/DL", 20200101, S::ResolvedTwoPart, "DL", 1},
                             ResolveCase{"K1ABC/P", 20200101, S::Resolved, "W", 1},
                             ResolveCase{"K1ABC/QRP", 20200101, S::Resolved, "W", 1},
                             ResolveCase{"K1ABC/", 20200101, S::Resolved, "W", 1},
                             ResolveCase{"/K1ABC", 20200101, S::Resolved, "W", 1},
                             ResolveCase{"K1ABC//P", 20200101, S::Resolved, "W", 1},
                             ResolveCase{"K1ABC/MM", 20200101, S::Mobile, "W", 1},
                             ResolveCase{"K1ABC/P/MM", 20200101, S::Mobile, "W", 1},
                             ResolveCase{"K1ABC/AM", 20200101, S::Mobile, "W", 1},
                             ResolveCase{"MM", 20200101, S::NotResolved, "", 1},
                             ResolveCase{"/", 20200101, S::NotResolved, "", 1},
                             ResolveCase{"", 20200101, S::NotResolved, "", 1},
                             // too short, nothing matching
                             ResolveCase{"3D", 20200101, S::NotResolved, "", 1},
                             ResolveCase{"3D2ABC", 20200101, S::Resolved, "3D2", 1},
                             ResolveCase{"QQ1ABC", 20200101, S::NoEntity, "", 1},
                             // shared blocks and trimming by validity
                             ResolveCase{"FO5ABC", 20200101, S::Ambiguous, "FO", 4},
                             ResolveCase{"FO5ABC", 19900101, S::Ambiguous, "FO", 3},
                             ResolveCase{"E51ABC", 20200101, S::Ambiguous, "E5/N", 2},
                             ResolveCase{"3Y0X", 20200101, S::Ambiguous, "3Y/B", 2},
                             ResolveCase{"FO5ABC/MM", 20200101, S::Mobile, "FO", 4},
                             // validity and predecessors
                             ResolveCase{"4O1AB", 20060627, S::Resolved, "YU", 1},
                             ResolveCase{"4O1AB", 20060628, S::Resolved, "4O", 1},
                             ResolveCase{"S51AB", 19910625, S::Resolved, "YU", 1},
                             ResolveCase{"PJ2AB", 20050101, S::NoEntity, "", 1},
                             ResolveCase{"PJ2AB", 20110101, S::Resolved, "PJ2", 1},
                             ResolveCase{"BV9PAB", 19931231, S::Resolved, "BV", 1},
                             // nesting, special calls with wildcards, dates and "-"
                             ResolveCase{"UA9FAB", 20200101, S::Resolved, "UA3", 1},
                             ResolveCase{"UA9ABC", 20200101, S::Resolved, "UA9", 1},
                             ResolveCase{"BV9PAB", 20200101, S::Resolved, "BV9", 1},
                             ResolveCase{"BV2AB", 20200101, S::Resolved, "BV", 1},
                             ResolveCase{"4U1ITU", 20200101, S::Resolved, "4U_IT", 1},
                             ResolveCase{"KG4AB", 20200101, S::Resolved, "KG4", 1},
                             ResolveCase{"KG4ABC", 20200101, S::Resolved, "W", 1},
                             ResolveCase{"KG4AB/P", 20200101, S::Resolved, "KG4", 1},
                             ResolveCase{"4K1AB", 19951231, S::Resolved, "CE9", 1},
                             ResolveCase{"4K1AB", 19960101, S::NoEntity, "", 1},
                             ResolveCase{"DL0XX", 20200101, S::NoEntity, "", 1},
                             ResolveCase{"DL0XX", 20191231, S::Resolved, "DL", 1},
                             ResolveCase{"DL0XX", 20210101, S::Resolved, "DL", 1}));

TEST(ResolveCall, ExplainsWhichEntryDecided)
{
    ResolutionTrace trace;
    const auto result = ResolveCall(SmallCatalogue(), "4O1AB/P", 20050101, &trace);
    EXPECT_EQ(result.MainPrefix, "YU");
    EXPECT_EQ(trace.Parts, (std::vector<std::string>{"4O1AB", "P"}));
    EXPECT_TRUE(trace.PortableDropped);
    ASSERT_EQ(trace.Candidates.size(), 1u);
    EXPECT_TRUE(trace.Candidates[0].ViaPredecessor);
    EXPECT_EQ(SmallCatalogue().MainPrefixOf(trace.Candidates[0].PrefixEntity), "4O");

    ResolutionTrace special;
    (void)ResolveCall(SmallCatalogue(), "DL0XX", 20200505, &special);
    ASSERT_GE(special.DeclaredInvalidBy, 0);
    EXPECT_EQ(SmallCatalogue()
                  .SpecialCallList()[static_cast<std::size_t>(special.DeclaredInvalidBy)]
                  .Pattern,
              "DL0XX");
}

// The explanation shows the parts as written but the texts that were resolved, with the digit
// put in and the USA's call area as a second candidate; both resolvers explain alike.
TEST(ResolveCall, ExplainsPartsAsWrittenAndCandidatesAsResolved)
{
    const CallResolver resolver(SmallCatalogue());
    const auto explain = [&](bool indexed, std::string_view call, DateKey date) {
        ResolutionTrace trace;
        (void)(indexed ? resolver.Resolve(call, date, &trace)
                       : ResolveCall(SmallCatalogue(), call, date, &trace));
        return trace;
    };
    for (const bool indexed : {false, true}) {
        SCOPED_TRACE(indexed ? "CallResolver" : "ResolveCall");
        const auto area = explain(indexed, "DL1ABC/8", 20200101);
        EXPECT_EQ(area.Parts, (std::vector<std::string>{"DL1ABC", "8"}));
        EXPECT_TRUE(area.CallAreaDigit);
        ASSERT_EQ(area.Candidates.size(), 1u);
        EXPECT_EQ(area.Candidates[0].Text, "DL8ABC");

        const auto usa = explain(indexed, "KH6ABC/4", 20200101);
        ASSERT_EQ(usa.Candidates.size(), 2u);
        EXPECT_EQ(usa.Candidates[1].Text, "W4");
        EXPECT_EQ(usa.Candidates[0].Rest, 3);
        EXPECT_EQ(usa.Candidates[1].Rest, 1);
        EXPECT_EQ(usa.Chosen, 1);

        const auto block = explain(indexed, "FO5ABC", 19900101);
        ASSERT_EQ(block.Candidates.size(), 1u);
        EXPECT_EQ(SmallCatalogue()
                      .PrefixIndex()[static_cast<std::size_t>(block.Candidates[0].PrefixEntry)]
                      .Describe(),
                  "FO");
        EXPECT_EQ(block.Candidates[0].BlockSizeFound, 4);
        EXPECT_EQ(block.Candidates[0].BlockSizeAfterTrim, 3) << "FO/M was not valid yet";
    }
}

// Calls built from every prefix entry and special call of a catalogue, in the shapes the
// resolver must handle: plain, portable, mobile, call-area digits and prefixes of other areas.
std::vector<std::string> CorpusFor(const EntityCatalogue& catalogue)
{
    std::vector<std::string> calls;
    for (const auto& range : catalogue.PrefixIndex()) {
        for (const auto& stem : {range.LowText(), std::string(range.High.data(), 4)}) {
            for (const std::string tail : {"", "1", "AB", "1ABC", "9Z", "0AA"}) {
                const std::string call = stem + tail;
                calls.push_back(call);
                calls.push_back(call + "/P");
                calls.push_back(call + "/7");
                calls.push_back(call + "/MM");
                calls.push_back("DL/" + call);
                calls.push_back(call + "/KH6");
            }
        }
    }
    for (const auto& special : catalogue.SpecialCallList()) {
        std::string call = special.Pattern;
        for (char& c : call) {
            if (c == '?') {
                c = 'X';
            }
        }
        if (!call.empty() && call.back() == '*') {
            call.back() = 'Q';
        }
        calls.push_back(call);
        calls.push_back(call + "/P");
        calls.push_back(call.substr(0, call.size() / 2));
    }
    return calls;
}

TEST(CallResolver, AgreesWithTheReferenceOnEveryCorpusCall)
{
    const EntityCatalogue& catalogue = SmallCatalogue();
    const CallResolver resolver(catalogue);
    for (const auto& call : CorpusFor(catalogue)) {
        for (const DateKey date : {19500101u, 19951231u, 20060628u, 20200101u}) {
            const auto expected = ResolveCall(catalogue, call, date);
            const auto got = resolver.Resolve(call, date);
            ASSERT_EQ(got.Status, expected.Status) << call << " " << date;
            ASSERT_EQ(got.MainPrefix, expected.MainPrefix) << call << " " << date;
            ASSERT_EQ(got.CandidateCount, expected.CandidateCount) << call << " " << date;
        }
    }
}

}  // namespace
}  // namespace wendrix
