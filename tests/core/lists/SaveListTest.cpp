// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/SaveList.h"

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ListTestSupport.h"
#include "lists/LoadList.h"
#include "support/TempDir.h"
#include "support/WriteFailure.h"

namespace wendrix {
namespace {

using test::EntityOf;
using test::SplitCrLf;

ConfirmationMatrix::CellRow RowWith(std::initializer_list<std::pair<int, int>> cells)
{
    ConfirmationMatrix::CellRow row{};
    for (const auto& [band, mode] : cells) {
        row[static_cast<std::size_t>(band)][static_cast<std::size_t>(mode)] = 1;
    }
    return row;
}

TEST(ListEntityLine, MonacoExampleReadsAsDocumentedAndWeighs202)
{
    const auto row = RowWith({{kAllBands, kModeMixed},
                              {kAllBands, kModeCw},
                              {kAllBands, kModeFone},
                              {2, kModeMixed},
                              {2, kModeFone},
                              {4, kModeMixed},
                              {4, kModeCw}});
    const ListEntityLine line = FormatEntityLine("3A", "Monaco", row);
    EXPECT_EQ(line.Text, "3A     Monaco  ......................  MCF-  ----  ----  M-F-  ----  "
                         "MC--  ----  ----  ----  ----  ----  ");
    EXPECT_EQ(line.Weight, 202u);
}

TEST(ListEntityLine, AllBandsMarksWeighLikeSixMetres)
{
    for (const int mode : {kModeMixed, kModeCw, kModeFone, kModeRtty}) {
        EXPECT_EQ(MarkWeight(kAllBands, mode), MarkWeight(9, mode)) << "mode " << mode;
    }
    // 160 m: M 8, C 5, F 6, R 7; 6 m: M 44, C 41, F 42, R 43.
    const auto lowest = FormatEntityLine("X", "Y", RowWith({{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
    EXPECT_EQ(lowest.Weight, 8u + 5u + 6u + 7u);
    const auto all = FormatEntityLine("X", "Y", RowWith({{17, 0}, {17, 1}, {17, 2}, {17, 3}}));
    EXPECT_EQ(all.Weight, 44u + 41u + 42u + 43u);
}

TEST(ListEntityLine, BandsAboveSixMetresAreNeitherWrittenNorWeighed)
{
    const auto line = FormatEntityLine("DL", "Germany", RowWith({{10, 0}, {16, 3}, {12, 1}}));
    EXPECT_EQ(line.Weight, 0u);
    EXPECT_EQ(line.Text.find_first_of("MCFR", 39), std::string::npos);
}

class EntityLineWidth : public ::testing::TestWithParam<int>
{
};

TEST_P(EntityLineWidth, EveryNameUpToThirtyCharactersGivesA105CharacterLine)
{
    const std::string name(static_cast<std::size_t>(GetParam()), 'n');
    const auto line = FormatEntityLine("VK9X", name, ConfirmationMatrix::CellRow{});
    ASSERT_EQ(line.Text.size(), kListEntityLineLength);
    // The marks start in column 40 whatever the name.
    EXPECT_EQ(line.Text.substr(39, 6), "----  ");
    EXPECT_EQ(line.Text.substr(7, static_cast<std::size_t>(GetParam())), name);
    const auto dots = static_cast<int>(std::count(line.Text.begin(), line.Text.end(), '.'));
    EXPECT_EQ(dots, std::max(0, 28 - GetParam()));
}

INSTANTIATE_TEST_SUITE_P(NameLengths, EntityLineWidth, ::testing::Values(1, 6, 26, 27, 28, 29, 30));

TEST(ListHeader, ColumnHeaderIs104CharactersWithRightAlignedLabels)
{
    EXPECT_EQ(ListHeaderLine(),
              "Entity                \\          MHz:   ALL   1.8   3.5     7    10 "
              "   14    18    21    24    28    50 ");
    EXPECT_EQ(ListHeaderLine().size(), kListHeaderLength);
}

class SaveListFile : public ::testing::Test
{
protected:
    EntityCatalogue catalogue = test::SmallListCatalogue();
    std::unique_ptr<ConfirmationMatrix> matrix = std::make_unique<ConfirmationMatrix>();
    test::TempDir directory;
};

TEST_F(SaveListFile, LayoutHasTitleBlockOneLinePerMainPrefixAndChecksumWithCrLf)
{
    matrix->WriteCell(EntityOf(catalogue, "W"), BandIndex{kAllBands}, ModeIndex{kModeRtty},
                      1);                                                                // 43
    matrix->WriteCell(EntityOf(catalogue, "W"), BandIndex{9}, ModeIndex{kModeRtty}, 1);  // 43
    matrix->WriteCell(EntityOf(catalogue, "3A"), BandIndex{0}, ModeIndex{kModeCw}, 1);   // 5
    const std::string text = FormatList("DL1ABC", catalogue, *matrix);

    ASSERT_TRUE(text.ends_with("\r\n"));
    const auto lines = SplitCrLf(text);
    EXPECT_EQ(text.find('\n'), lines[0].size() + 1) << "every line ends in CR LF";
    for (const auto& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    }
    // 9 records, two of them sharing "QQ" one after the other: 8 entity lines.
    ASSERT_EQ(lines.size(), 8u + 8u + 2u);
    EXPECT_EQ(lines[0], "DL1ABC");
    EXPECT_EQ(lines[1], std::string(62, '-'));
    EXPECT_EQ(lines[2], "Wendrix 1.37 - Overview Confirmed Entities");
    EXPECT_EQ(lines[3], "       (M=Mixed C=CW F=Fone R=Rest)");
    EXPECT_EQ(lines[4], std::string(62, '='));
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6].size(), 104u);
    EXPECT_EQ(lines[7], std::string(103, '-'));
    for (std::size_t i = 8; i < 16; ++i) {
        EXPECT_EQ(lines[i].size(), 105u) << lines[i];
    }
    EXPECT_EQ(lines[16], "");
    EXPECT_EQ(lines[17], "Checksum: 91");
}

TEST_F(SaveListFile, PrefixesAreWrittenThroughTheListPrefixTable)
{
    const auto lines = SplitCrLf(FormatList("DL1ABC", catalogue, *matrix));
    std::vector<std::string> prefixes;
    for (std::size_t i = 8; i < 16; ++i) {
        prefixes.push_back(lines[i].substr(0, 7));
    }
    EXPECT_EQ(prefixes, (std::vector<std::string>{"3A     ", "K      ", "UA     ", "Z8     ",
                                                  "E6     ", "FT/W   ", "DL     ", "QQ     "}));
}

TEST_F(SaveListFile, WrittenFileIsReadBackIntoTheSameRecordsIncludingTranslatedPrefixes)
{
    const int w = EntityOf(catalogue, "W");
    const int ua3 = EntityOf(catalogue, "UA3");
    const int crozet = EntityOf(catalogue, "FT.W");
    matrix->WriteCell(w, BandIndex{4}, ModeIndex{kModeCw}, 1);
    matrix->WriteCell(ua3, BandIndex{kAllBands}, ModeIndex{kModeFone}, 1);
    matrix->WriteCell(crozet, BandIndex{9}, ModeIndex{kModeMixed}, 1);
    const auto saved = SaveList(directory.Path(), "DL1ABC", catalogue, *matrix);
    ASSERT_TRUE(saved.Ok());
    EXPECT_EQ(saved.Get(), directory.Path() / "DL1ABC.CFD");

    ConfirmationMatrix back;
    const auto loaded =
        LoadList(directory.Path(), "DL1ABC.CFD", ListReadMode::Normal, catalogue, back);
    EXPECT_TRUE(loaded.Reading.Ok());
    EXPECT_TRUE(loaded.ReportLines.empty()) << loaded.ReportLines.front();
    EXPECT_TRUE(back.IsTicked(w, BandIndex{4}, ModeIndex{kModeCw}));
    EXPECT_TRUE(back.IsTicked(ua3, BandIndex{kAllBands}, ModeIndex{kModeFone}));
    EXPECT_TRUE(back.IsTicked(crozet, BandIndex{9}, ModeIndex{kModeMixed}));
    EXPECT_EQ(back.ColumnSums(), matrix->ColumnSums());
}

TEST_F(SaveListFile, SavingDoesNotClearTheModifiedState)
{
    matrix->SetModified(true);
    ASSERT_TRUE(SaveList(directory.Path(), "DL1ABC", catalogue, *matrix).Ok());
    EXPECT_TRUE(matrix->Modified());
}

// A failed save must leave the previous good list as it was. Running as root, a read-only
// folder does not stop a write, so the failures here are ones that hit root as well.
TEST_F(SaveListFile, FailedSaveIntoAMissingDirectoryCreatesNothing)
{
    const auto missing = directory.Path() / "no-such-folder";
    const auto saved = SaveList(missing, "DL1ABC", catalogue, *matrix);
    ASSERT_FALSE(saved.Ok());
    EXPECT_EQ(saved.Message(), WriteErrorText(missing / "DL1ABC.CFD"));
    EXPECT_FALSE(std::filesystem::exists(missing));
    // A call sign that would name a file in another folder is refused as well.
    std::filesystem::create_directory(directory.Path() / "DL1ABC");
    EXPECT_FALSE(SaveList(directory.Path(), "DL1ABC/P", catalogue, *matrix).Ok());
    EXPECT_TRUE(std::filesystem::is_empty(directory.Path() / "DL1ABC"));
}

TEST_F(SaveListFile, FailedSaveOverADirectoryLeavesItAndNoTemporaryFile)
{
    std::filesystem::create_directory(directory.Path() / "DL1ABC.CFD");
    const auto saved = SaveList(directory.Path(), "DL1ABC", catalogue, *matrix);
    EXPECT_FALSE(saved.Ok());
    EXPECT_TRUE(std::filesystem::is_directory(directory.Path() / "DL1ABC.CFD"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(directory.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(SaveListFile, WriteErrorHalfwayKeepsThePreviousListIntact)
{
    matrix->WriteCell(1, BandIndex{4}, ModeIndex{kModeCw}, 1);
    ASSERT_TRUE(SaveList(directory.Path(), "DL1ABC", catalogue, *matrix).Ok());
    const std::string before = test::ReadFile(directory.Path() / "DL1ABC.CFD");
    ASSERT_GT(before.size(), 1024u);

    const auto target = directory.Path() / "DL1ABC.CFD";
    matrix->WriteCell(2, BandIndex{9}, ModeIndex{kModeRtty}, 1);
    {
        const test::WriteBlock block(target);
        ASSERT_TRUE(block.Active());
        const auto saved = SaveList(directory.Path(), "DL1ABC", catalogue, *matrix);
        ASSERT_FALSE(saved.Ok());
        EXPECT_EQ(saved.Message(), WriteErrorText(target));
    }
    EXPECT_EQ(test::ReadFile(directory.Path() / "DL1ABC.CFD"), before);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(directory.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "the temporary file is removed";
}

TEST(ListWriteErrorText, NamesThePath)
{
    EXPECT_EQ(WriteErrorText(std::filesystem::path("/lists/DL1ABC.CFD")),
              "Schreibfehler in Datei /lists/DL1ABC.CFD");
}

}  // namespace
}  // namespace wendrix
