// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/ClubReport.h"

#include <filesystem>
#include <optional>
#include <utility>
#include <memory>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "common/Text.h"
#include "core/lists/ListTestSupport.h"
#include "evaluation/ResultFile.h"
#include "lists/SaveList.h"
#include "support/TempDir.h"

namespace wendrix {
namespace {

using test::EntityOf;

constexpr int k20m = 4;
constexpr int k40m = 2;

using Cells = std::vector<std::tuple<int, int, int>>;  // entity, band, mode

class ClubReport : public ::testing::Test
{
protected:
    std::unique_ptr<ConfirmationMatrix> matrix = std::make_unique<ConfirmationMatrix>();
    std::unique_ptr<Evaluation> evaluation = std::make_unique<Evaluation>();
    test::TempDir directory;
    BandThresholds thresholds = [] {
        BandThresholds zero;
        zero.minimum.fill(0);
        return zero;
    }();
    EvaluationRunResult run;

    [[nodiscard]] virtual const EntityCatalogue& Catalogue() const = 0;

    void WriteList(std::string_view name, std::string_view firstLine, const Cells& cells)
    {
        ConfirmationMatrix list;
        for (const auto& [entity, band, mode] : cells) {
            (void)list.SetCell(entity, BandIndex{band}, ModeIndex{mode}, CellOperation::Set);
        }
        directory.Write(name, FormatList(firstLine, Catalogue(), list));
    }

    [[nodiscard]] std::string Report(const PreviousResultLoad* previous = nullptr,
                                     bool anonymous = false)
    {
        run = RunEvaluation(directory.Path(), Catalogue(), thresholds, *matrix, *evaluation);
        return Page(previous, anonymous);
    }

    [[nodiscard]] std::string Page(const PreviousResultLoad* previous = nullptr,
                                   bool anonymous = false) const
    {
        return FormatClubReport({.Catalogue = Catalogue(),
                                 .Figures = *evaluation,
                                 .Run = run,
                                 .Thresholds = thresholds,
                                 .FolderName = "Club",
                                 .Date = "2026-12-09",
                                 .Previous = previous,
                                 .Anonymous = anonymous});
    }
};

class SmallClubReport : public ClubReport
{
protected:
    const EntityCatalogue catalogue = test::SmallListCatalogue();
    [[nodiscard]] const EntityCatalogue& Catalogue() const override { return catalogue; }
    [[nodiscard]] int E(std::string_view prefix) const { return EntityOf(catalogue, prefix); }
};

// The table with the given id, from its start tag to its end tag.
[[nodiscard]] std::string TableOf(const std::string& page, std::string_view id)
{
    const auto start = page.find("id=\"" + std::string(id) + "\"");
    if (start == std::string::npos) {
        return {};
    }
    return page.substr(start, page.find("</table>", start) - start);
}

// The texts of the n-th cell (0-based) of every data row of a table.
[[nodiscard]] std::vector<std::string> Column(const std::string& table, int n)
{
    std::vector<std::string> texts;
    static const std::regex row("<tr>(.*?)</tr>");
    static const std::regex cell("<td[^>]*>(.*?)</td>");
    for (auto r = std::sregex_iterator(table.begin(), table.end(), row);
         r != std::sregex_iterator(); ++r) {
        const std::string inside = (*r)[1];
        std::vector<std::string> cells;
        for (auto c = std::sregex_iterator(inside.begin(), inside.end(), cell);
             c != std::sregex_iterator(); ++c) {
            cells.push_back((*c)[1]);
        }
        if (static_cast<int>(cells.size()) > n) {
            texts.push_back(cells[static_cast<std::size_t>(n)]);
        }
    }
    return texts;
}

TEST_F(SmallClubReport, LeagueRanksByAllBandsMixedThenSlot26ThenCallAndOnlyCountedLists)
{
    thresholds.minimum[kAllBands] = 2;
    // Three entities: first place whatever its slots.
    WriteList("OE1AA.CFD", "OE1AA",
              {{E("W"), k20m, kModeCw}, {E("3A"), k20m, kModeCw}, {E("DL"), k20m, kModeCw}});
    // Two entities each; DL3CC has three slots, DL2BB and DL4DD two: DL3CC before them, and the
    // tie between DL2BB and DL4DD is broken by the call sign.
    WriteList("DL4DD.CFD", "DL4DD", {{E("W"), k20m, kModeCw}, {E("3A"), k20m, kModeCw}});
    WriteList("DL3CC.CFD", "DL3CC",
              {{E("W"), k20m, kModeCw}, {E("W"), k20m, kModeFone}, {E("3A"), k40m, kModeCw}});
    WriteList("DL2BB.CFD", "DL2BB", {{E("W"), k40m, kModeRtty}, {E("3A"), k40m, kModeRtty}});
    // One entity: below the all-bands threshold, so not in the league.
    WriteList("DL5EE.CFD", "DL5EE", {{E("W"), k20m, kModeCw}});

    const std::string league = TableOf(Report(), "league");
    EXPECT_EQ(Column(league, 1), (std::vector<std::string>{"OE1AA", "DL3CC", "DL2BB", "DL4DD"}));
    EXPECT_EQ(Column(league, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    // The Slot 26 figures that decided the order.
    EXPECT_EQ(Column(league, 9), (std::vector<std::string>{"3", "3", "2", "2"}));
}

TEST_F(SmallClubReport, AnonymousReportNamesNoStationAndNoFile)
{
    WriteList("DL1ABC.CFD", "DL1ABC", {{E("W"), k20m, kModeCw}});
    WriteList("OE3XYZ.CFD", "OE9QQQ", {{E("3A"), k20m, kModeCw}});
    const std::string named = Report();
    run.ReadErrors.push_back(directory.Path() / "K1ZZZ.CFD");
    const std::string page = Page(nullptr, true);
    // The same report with call signs has them, so their absence is the option's doing.
    ASSERT_NE(named.find("DL1ABC"), std::string::npos);
    ASSERT_NE(named.find("OE9QQQ"), std::string::npos);
    for (const std::string_view call : {"DL1ABC", "OE3XYZ", "OE9QQQ", "K1ZZZ"}) {
        EXPECT_EQ(page.find(call), std::string::npos) << call;
    }
    EXPECT_EQ(Column(TableOf(page, "league"), 0), (std::vector<std::string>{"1", "2"}));
    EXPECT_NE(page.find("1 Liste war nicht vollständig lesbar."), std::string::npos);
}

TEST_F(SmallClubReport, MarkupFromListsAndFileNamesIsEscapedAndInvalidBytesShownAsLatin1)
{
    const std::string crafted = "<script>alert(1)</script>&\"'\xff";
#ifdef _WIN32
    // Windows file names cannot hold < > or ".
    const std::string name = "Q&'";
    const std::string shownName = "Q&amp;&#39; ";
#else
    const std::string name = "Q<b>&'\"";
    const std::string shownName = "Q&lt;b&gt;&amp;&#39;&quot; ";
#endif
    WriteList(name + ".CFD", crafted, {{E("W"), k20m, kModeCw}});
    const std::string page = Report();
    run.ReadErrors.push_back(directory.Path() / "<img src=x>.CFD");
    const std::string withError = Page();

    for (const std::string& text : {page, withError}) {
        EXPECT_TRUE(IsValidUtf8(text));
        EXPECT_EQ(text.find("<script"), std::string::npos);
        EXPECT_EQ(text.find("<b>"), std::string::npos);
        EXPECT_EQ(text.find("<img"), std::string::npos);
    }
    // The first line is upper-cased as the reader takes it; 0xFF is shown as U+00FF.
    EXPECT_NE(page.find("&lt;SCRIPT&gt;ALERT(1)&lt;/SCRIPT&gt;&amp;&quot;&#39;\u00ff"),
              std::string::npos);
    EXPECT_EQ(Column(TableOf(page, "league"), 1).at(0).rfind(shownName, 0), 0u);
    EXPECT_NE(withError.find("Lesefehler in Datei "), std::string::npos);
    EXPECT_NE(withError.find("&lt;img src=x&gt;.CFD"), std::string::npos);
}

TEST_F(SmallClubReport, ComparesWithLastYearsResultAndSurvivesADamagedOne)
{
    // Last year: W confirmed by one list of two on 20 m CW, 3A by both.
    WriteList("DL1ABC.CFD", "DL1ABC", {{E("W"), k20m, kModeCw}, {E("3A"), k20m, kModeCw}});
    WriteList("OE3XYZ.CFD", "OE3XYZ", {{E("3A"), k20m, kModeCw}});
    (void)Report();
    std::optional<PreviousResult> parsed =
        ParsePreviousResult(FormatResultFile(catalogue, *evaluation));
    ASSERT_TRUE(parsed.has_value());
    const PreviousResultLoad previous = std::move(*parsed);

    // This year W is confirmed by both lists, 3A by one.
    WriteList("OE3XYZ.CFD", "OE3XYZ", {{E("W"), k20m, kModeCw}});
    const std::string page = Report(&previous);
    EXPECT_EQ(Column(TableOf(page, "rose"), 1), (std::vector<std::string>{"W"}));
    EXPECT_EQ(Column(TableOf(page, "rose"), 5), (std::vector<std::string>{"+500"}));
    EXPECT_EQ(Column(TableOf(page, "fell"), 1), (std::vector<std::string>{"3A"}));
    EXPECT_EQ(Column(TableOf(page, "fell"), 5), (std::vector<std::string>{"\u2212500"}));
    EXPECT_NE(page.find("zum Vorjahr: Mixed +500, CW +500, Fone 0, RTTY 0"), std::string::npos);

    // A damaged file: one line in the head, no comparison, the rest of the report as before.
    std::string damaged = FormatResultFile(catalogue, *evaluation);
    damaged[damaged.find("1000")] = 'X';
    EXPECT_FALSE(ParsePreviousResult(damaged).has_value());
    const std::filesystem::path damagedPath = directory.Write("last.txt", damaged);
    const PreviousResultLoad load = LoadPreviousResult(damagedPath);
    const std::string withDamaged = Page(&load);
    EXPECT_NE(withDamaged.find("id=\"previous-problem\""), std::string::npos);
    EXPECT_EQ(withDamaged.find("zum Vorjahr"), std::string::npos);
    EXPECT_EQ(TableOf(withDamaged, "rose"), "");
    EXPECT_EQ(TableOf(withDamaged, "league"), TableOf(Page(), "league"));
}

class FullClubReport : public ClubReport
{
protected:
    const EntityCatalogue catalogue = BuildEntityCatalogue();
    [[nodiscard]] const EntityCatalogue& Catalogue() const override { return catalogue; }
};

TEST_F(FullClubReport, MostAndFewestAreTwentyEachWithTiesInEntityOrder)
{
    // The first 25 entities of the table (one per main prefix as the report has them):
    // entities 0..4 confirmed by three lists, entities 5..24 by one.
    std::vector<int> entities;
    for (int e = 1; static_cast<int>(entities.size()) < 25; ++e) {
        if (e > 1 && catalogue.Entity(static_cast<std::uint16_t>(e)).MainPrefix ==
                         catalogue.Entity(static_cast<std::uint16_t>(e - 1)).MainPrefix) {
            continue;
        }
        entities.push_back(e);
    }
    Cells everyone;
    Cells first;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        (i < 5 ? everyone : first).emplace_back(entities[i], k20m, kModeCw);
    }
    Cells all = everyone;
    all.insert(all.end(), first.begin(), first.end());
    WriteList("DL1AA.CFD", "DL1AA", all);
    WriteList("DL2BB.CFD", "DL2BB", everyone);
    WriteList("DL3CC.CFD", "DL3CC", everyone);
    const std::string page = Report();

    std::vector<std::string> most;
    std::vector<std::string> fewest;
    for (std::size_t i = 0; i < 20; ++i) {
        most.push_back(
            EscapeHtml(catalogue.Entity(static_cast<std::uint16_t>(entities[i])).MainPrefix));
        fewest.push_back(
            EscapeHtml(catalogue.Entity(static_cast<std::uint16_t>(entities[i + 5])).MainPrefix));
    }
    EXPECT_EQ(Column(TableOf(page, "most"), 1), most);
    EXPECT_EQ(Column(TableOf(page, "fewest"), 1), fewest);
    EXPECT_EQ(Column(TableOf(page, "most"), 3).front(), "3");
    EXPECT_EQ(Column(TableOf(page, "fewest"), 3).back(), "1");
}

}  // namespace
}  // namespace wendrix
