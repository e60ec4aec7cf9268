// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/LoadList.h"

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ListTestSupport.h"
#include "lists/LineReader.h"
#include "lists/SaveList.h"
#include "support/TempDir.h"

namespace wendrix {
namespace {

using test::EntityOf;

// ---- SplitFields -------------------------------------------------------------------------

struct SplitCase
{
    const char* Line;
    std::vector<std::string> Fields;
};

class SplitFieldsRule : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitFieldsRule, SeparatorsAndRunsAreHandledLikeTheListFormatNeeds)
{
    const std::string_view line = GetParam().Line;
    const LineFields fields = SplitFields(line);
    std::vector<std::string> texts;
    for (int i = 1; i <= fields.Count; ++i) {
        texts.emplace_back(fields.Text(line, i));
    }
    EXPECT_EQ(texts, GetParam().Fields);
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitFieldsRule,
                         ::testing::Values(SplitCase{"", {}}, SplitCase{" \t,:;", {}},
                                           SplitCase{"a b", {"a", "b"}},
                                           SplitCase{"  lead", {"lead"}},
                                           SplitCase{"a,,;; \t:b", {"a", "b"}},
                                           SplitCase{"FT/W 3.5 x_y", {"FT/W", "3.5", "x_y"}},
                                           SplitCase{"M-F-|x", {"M-F-|x"}}));

TEST(SplitFields, PositionsCountFromOneAndLengthsAreExact)
{
    const LineFields fields = SplitFields("  ab ;cde");
    ASSERT_EQ(fields.Count, 2);
    EXPECT_EQ(fields.Fields[0].Position, 3);
    EXPECT_EQ(fields.Fields[0].Length, 2);
    EXPECT_EQ(fields.Fields[1].Position, 7);
    EXPECT_EQ(fields.Fields[1].Length, 3);
}

TEST(SplitFields, StopsWhereAFortyFirstFieldWouldBegin)
{
    std::string line;
    for (int i = 1; i <= 45; ++i) {
        line += "f" + std::to_string(i) + " ";
    }
    const LineFields fields = SplitFields(line);
    ASSERT_EQ(fields.Count, 40);
    EXPECT_EQ(fields.Text(line, 40), "f40");
}

// A plain reading of the rule, byte by byte, to hold the word-at-a-time splitting against.
std::vector<std::string> ReferenceFields(std::string_view line)
{
    const auto separator = [](char c) {
        return c == '\t' || c == ' ' || c == ',' || c == ':' || c == ';';
    };
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && separator(line[i])) {
            ++i;
        }
        if (i == line.size() || fields.size() == 40) {
            break;
        }
        const std::size_t start = i;
        while (i < line.size() && !separator(line[i])) {
            ++i;
        }
        fields.emplace_back(line.substr(start, i - start));
    }
    return fields;
}

TEST(SplitFields, AgreesWithAByteByByteReadingOnRandomLines)
{
    std::mt19937 random(31337);
    const std::string alphabet =
        std::string("  \t,:;.-/MCFR0aZ\x01\x80\xFF") + std::string(1, '\0');
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 300);
    for (int round = 0; round < 3000; ++round) {
        std::string line(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : line) {
            c = alphabet[pick(random)];
        }
        const LineFields fields = SplitFields(line);
        std::vector<std::string> texts;
        for (int i = 1; i <= fields.Count; ++i) {
            texts.emplace_back(fields.Text(line, i));
        }
        ASSERT_EQ(texts, ReferenceFields(line)) << "round " << round;
    }
}

// ---- The line reader ---------------------------------------------------------------------

struct LineCase
{
    std::string Bytes;
    std::vector<std::string> Lines;
};

class LineBreaks : public ::testing::TestWithParam<std::tuple<LineCase, std::size_t>>
{
};

TEST_P(LineBreaks, CrLfLfAndLoneCrEndLinesWhereverThePiecesOfTheFileEnd)
{
    const auto& [lineCase, chunk] = GetParam();
    MemorySource source(lineCase.Bytes, chunk);
    std::vector<char> buffer(chunk == 1 ? 2 : 16);  // tiny buffers force lines across refills
    LineReader reader(source, buffer);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line)) {
        lines.emplace_back(line);
    }
    EXPECT_EQ(lines, lineCase.Lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineBreaks,
    ::testing::Combine(::testing::Values(LineCase{"", {}}, LineCase{"\r\n", {""}},
                                         LineCase{"one\r\ntwo", {"one", "two"}},
                                         LineCase{"one\ntwo\n", {"one", "two"}},
                                         LineCase{"one\rtwo\r", {"one", "two"}},
                                         LineCase{"a\r\n\r\nb\n\nc", {"a", "", "b", "", "c"}},
                                         LineCase{"a\r\r\nb", {"a", "", "b"}},
                                         LineCase{"0123456789abcdefghijklmnopqrstuvwxyz\r\nz",
                                                  {"0123456789abcdefghijklmnopqrstuvwxyz", "z"}}),
                       ::testing::Values(std::size_t{1}, std::size_t{3}, std::size_t{0})));

TEST(LineReader, KeepsOnlyTheFirst255BytesOfALongLine)
{
    const std::string longLine = std::string(255, 'a') + std::string(100000, 'b');
    for (const std::size_t chunk : {std::size_t{0}, std::size_t{100}, std::size_t{4096}}) {
        const std::string bytes = longLine + "\r\nnext";
        MemorySource source(bytes, chunk);
        std::vector<char> buffer(LineReader::kDefaultBufferSize);
        LineReader reader(source, buffer);
        std::string_view line;
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line, std::string(255, 'a')) << "chunk " << chunk;
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line, "next");
        EXPECT_FALSE(reader.Next(line));
    }
}

// ---- Reading list files ------------------------------------------------------------------

class LoadListFile : public ::testing::Test
{
protected:
    EntityCatalogue catalogue = test::SmallListCatalogue();
    std::unique_ptr<ConfirmationMatrix> matrix = std::make_unique<ConfirmationMatrix>();
    test::TempDir directory;
    std::string handEdited = test::ReadFile(test::TestDataPath("lists/HandEdited.CFD"));

    ListLoadResult LoadAs(std::string_view name, ListReadMode mode = ListReadMode::Normal)
    {
        directory.Write(name, handEdited);
        return LoadList(directory.Path(), name, mode, catalogue, *matrix);
    }

    // The cells of one entity that are ticked, as (band, mode) pairs.
    std::vector<std::pair<int, int>> Ticked(std::string_view prefix, int nth = 0) const
    {
        int entity = EntityOf(catalogue, prefix) + nth;
        std::vector<std::pair<int, int>> cells;
        for (int b = 0; b < kBandCount; ++b) {
            for (int m = 0; m < kModeCount; ++m) {
                if (matrix->IsTicked(entity, BandIndex{b}, ModeIndex{m})) {
                    cells.emplace_back(b, m);
                }
            }
        }
        return cells;
    }
};

using Cells = std::vector<std::pair<int, int>>;
using ::testing::UnorderedElementsAreArray;
constexpr int M = kModeMixed;
constexpr int C = kModeCw;
constexpr int F = kModeFone;
constexpr int R = kModeRtty;
constexpr int All = kAllBands;

TEST_F(LoadListFile, HandEditedListIsReadLineByLineWhateverItsOrderAndSpacing)
{
    ASSERT_FALSE(catalogue.Entities().empty());
    const auto result = LoadAs("DL1ABC.CFD");
    EXPECT_TRUE(result.Reading.Ok());
    EXPECT_THAT(Ticked("DL"), UnorderedElementsAreArray(Cells{{1, M}, {1, C}, {All, M}, {All, C}}));
    EXPECT_THAT(Ticked("3A"), UnorderedElementsAreArray(Cells{{4, M}, {4, F}, {All, M}, {All, F}}));
    // "K" stands for W; a hand-set 30 m Fone mark is taken; "R" in the Fone position is not.
    EXPECT_THAT(Ticked("W"),
                UnorderedElementsAreArray(
                    Cells{{3, F}, {3, M}, {4, C}, {4, M}, {All, C}, {All, F}, {All, R}, {All, M}}));
    EXPECT_THAT(Ticked("Z8"), UnorderedElementsAreArray(Cells{{9, M}, {All, M}}))
        << "ST0 is read as Z8";
    EXPECT_THAT(Ticked("E6"), UnorderedElementsAreArray(Cells{{All, C}})) << "ZK2 is read as E6";
    EXPECT_THAT(Ticked("FT.W"), UnorderedElementsAreArray(Cells{{All, M}}));
    EXPECT_EQ(Ticked("UA3"), Cells{}) << "an ALL group of three characters skips the line";
    // Both records with the MainPrefix "QQ" take the marks of the one line.
    EXPECT_THAT(Ticked("QQ", 0), UnorderedElementsAreArray(Cells{{0, C}, {All, M}}));
    EXPECT_THAT(Ticked("QQ", 1), UnorderedElementsAreArray(Cells{{0, C}, {All, M}}));
}

TEST_F(LoadListFile, RetiredPrefixesAndUnknownOnesLeaveNoTrace)
{
    (void)LoadAs("DL1ABC.CFD");
    // KH5K, R1MV and XX9 confirm everything on every band; none of it may arrive anywhere.
    for (int b = 0; b < kBandCount; ++b) {
        EXPECT_LE(matrix->ColumnSum(BandIndex{b}, ModeIndex{kModeRtty}), 1) << "band " << b;
    }
    EXPECT_EQ(matrix->ColumnSum(BandIndex{0}, ModeIndex{kModeMixed}), 0);
}

TEST_F(LoadListFile, FoundCountCountsEveryMatchedRecordAndReportsTheShortfall)
{
    const auto result = LoadAs("DL1ABC.CFD");
    EXPECT_EQ(result.FoundCount, 8);
    EXPECT_EQ(result.ReportLines, std::vector<std::string>{"Nur 8 von 9 Entities gefunden."});
}

TEST_F(LoadListFile, ColumnSumsAgreeWithTheCellsRead)
{
    (void)LoadAs("DL1ABC.CFD");
    for (int b = 0; b < kBandCount; ++b) {
        for (int m = 0; m < kModeCount; ++m) {
            int count = 0;
            for (int e = 1; e <= ConfirmationMatrix::kMaxEntities; ++e) {
                count += matrix->IsTicked(e, BandIndex{b}, ModeIndex{m}) ? 1 : 0;
            }
            EXPECT_EQ(matrix->ColumnSum(BandIndex{b}, ModeIndex{m}), count) << b << "/" << m;
        }
    }
    EXPECT_EQ(matrix->ColumnSum(BandIndex{All}, ModeIndex{M}), 7);
}

struct CallSignCase
{
    const char* FileName;
    const char* CallSign;
    bool Reported;
};

class ListCallSign : public LoadListFile, public ::testing::WithParamInterface<CallSignCase>
{
};

TEST_P(ListCallSign, ExpectedCallComesFromTheFileNameInUpperCase)
{
    const auto result = LoadAs(GetParam().FileName);
    EXPECT_EQ(result.CallSign, GetParam().CallSign);
    const bool reported = !result.ReportLines.empty() &&
                          result.ReportLines.front() == "Falsches Rufzeichen in Zeile 1";
    EXPECT_EQ(reported, GetParam().Reported);
    EXPECT_EQ(result.FoundCount, 8) << "a wrong call sign does not stop reading";
}

INSTANTIATE_TEST_SUITE_P(Names, ListCallSign,
                         ::testing::Values(CallSignCase{"DL1ABC.CFD", "DL1ABC", false},
                                           CallSignCase{"dl1abc.cfd", "DL1ABC", false},
                                           CallSignCase{"OE3XYZ.CFD", "OE3XYZ", true},
                                           CallSignCase{"DL1ABC.X.CFD", "DL1ABC.X", true}));

TEST_F(LoadListFile, EvaluationReportLinesStartWithTheCallPaddedToSeven)
{
    const auto result = LoadAs("oe3xyz.CFD", ListReadMode::Evaluation);
    EXPECT_EQ(result.ReportLines,
              (std::vector<std::string>{"OE3XYZ : Falsches Rufzeichen in Zeile 1",
                                        "OE3XYZ : Nur 8 von 9 Entities gefunden."}));
}

TEST_F(LoadListFile, ReadingReplacesThePreviousMatrixAndLeavesTheModifiedStateAlone)
{
    const int ua3 = EntityOf(catalogue, "UA3");
    matrix->WriteCell(ua3, BandIndex{12}, ModeIndex{kModeCw}, 1);
    matrix->WriteCell(ua3, BandIndex{All}, ModeIndex{kModeCw}, 1);
    matrix->SetModified(true);
    (void)LoadAs("DL1ABC.CFD");
    EXPECT_EQ(Ticked("UA3"), Cells{});
    EXPECT_TRUE(matrix->Modified());
}

struct UnreadableCase
{
    const char* Name;
    bool MakeDirectory;
};

class UnreadableList : public LoadListFile, public ::testing::WithParamInterface<UnreadableCase>
{
};

TEST_P(UnreadableList, GivesAReadErrorAnEmptyMatrixAndBothReportLines)
{
    if (GetParam().MakeDirectory) {
        std::filesystem::create_directory(directory.Path() / GetParam().Name);
    }
    matrix->WriteCell(1, BandIndex{4}, ModeIndex{kModeCw}, 1);
    const auto result =
        LoadList(directory.Path(), GetParam().Name, ListReadMode::Normal, catalogue, *matrix);
    EXPECT_EQ(result.Reading.Message(), ReadErrorText(result.Path));
    EXPECT_EQ(result.Path, directory.Path() / GetParam().Name);
    EXPECT_EQ(result.ReportLines, (std::vector<std::string>{"Falsches Rufzeichen in Zeile 1",
                                                            "Nur 0 von 9 Entities gefunden."}));
    EXPECT_EQ(matrix->ColumnSum(BandIndex{4}, ModeIndex{kModeCw}), 0);
    EXPECT_EQ(ReadErrorText(result.Path), "Lesefehler in Datei " + result.Path.string());
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableList,
                         ::testing::Values(UnreadableCase{"MISSING.CFD", false},
                                           UnreadableCase{"FOLDER.CFD", true}));

class ListPieces : public LoadListFile, public ::testing::WithParamInterface<std::size_t>
{
};

TEST_P(ListPieces, SameCellsWhateverTheLineBreaksAndReadSizes)
{
    ListReader reader(catalogue);
    ASSERT_EQ(
        reader.ReadListBytes("DL1ABC.CFD", handEdited, ListReadMode::Normal, *matrix).FoundCount,
        8);
    const ColumnSumTable expected = matrix->ColumnSums();
    const auto expectedW = Ticked("W");

    std::string lf;
    std::string cr;
    for (std::size_t i = 0; i < handEdited.size(); ++i) {
        if (handEdited.compare(i, 2, "\r\n") == 0) {
            lf += '\n';
            cr += '\r';
            ++i;
        } else {
            lf += handEdited[i];
            cr += handEdited[i];
        }
    }
    for (const std::string* text : {&handEdited, &lf, &cr}) {
        const auto result =
            reader.ReadListBytes("DL1ABC.CFD", *text, ListReadMode::Normal, *matrix, GetParam());
        EXPECT_EQ(result.FoundCount, 8);
        EXPECT_EQ(result.ReportLines.size(), 1u);
        EXPECT_EQ(matrix->ColumnSums(), expected);
        EXPECT_EQ(Ticked("W"), expectedW);
    }
}

INSTANTIATE_TEST_SUITE_P(ReadSizes, ListPieces,
                         ::testing::Values(std::size_t{1}, std::size_t{2}, std::size_t{7},
                                           std::size_t{106}, std::size_t{0}));

TEST_F(LoadListFile, MarksBeyondTheFirst255CharactersOfALineAreNotRead)
{
    // A Monaco line stretched by blanks inside the name. While the whole line lies within the
    // first 255 characters it is read; stretched beyond, its last groups are cut off and the
    // line no longer has the fields of an entity line.
    for (const auto& [blanks, found] : {std::pair{30, 1}, std::pair{200, 0}}) {
        const std::string stretched =
            "3A     Monaco  ......" + std::string(static_cast<std::size_t>(blanks), ' ') +
            "MCFR  MCFR  MCFR  MCFR  MCFR  MCFR  MCFR  MCFR  MCFR  MCFR  MCFR";
        const std::string text = "DL1ABC\r\n" + stretched + "\r\n";
        ListReader reader(catalogue);
        const auto result = reader.ReadListBytes("DL1ABC.CFD", text, ListReadMode::Normal, *matrix);
        EXPECT_EQ(result.FoundCount, found) << blanks;
        EXPECT_EQ(matrix->ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeRtty}), found) << blanks;
    }
}

TEST_F(LoadListFile, BinaryJunkAndAHugeLineAreReadWithoutHarm)
{
    std::string junk(3 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) {
        junk[i] = static_cast<char>((i * 7919u) % 251u);
    }
    junk += std::string(5 * 1024 * 1024, 'x');  // one line of 5 MiB
    junk += "\r\n3A     Monaco  ......................  MCF-  ----  ----  M-F-  ----  MC--  ----  "
            "----  ----  ----  ----  \r\n";
    directory.Write("JUNK.CFD", junk);
    const auto result =
        LoadList(directory.Path(), "JUNK.CFD", ListReadMode::Normal, catalogue, *matrix);
    EXPECT_TRUE(result.Reading.Ok());
    EXPECT_EQ(result.FoundCount, 1);
    EXPECT_THAT(Ticked("3A"), UnorderedElementsAreArray(Cells{
                                  {2, M}, {2, F}, {4, C}, {4, M}, {All, C}, {All, F}, {All, M}}));
}

// ---- Round trip over the compiled-in catalogue -------------------------------------------

class ListRoundTrip : public ::testing::TestWithParam<std::uint32_t>
{
};

TEST_P(ListRoundTrip, SavedListReadsBackEveryStoredCellAndNothingAboveSixMetres)
{
    const EntityCatalogue catalogue = BuildEntityCatalogue();
    const int entities = catalogue.EntityCount();
    ASSERT_GT(entities, 0);
    auto original = std::make_unique<ConfirmationMatrix>();
    test::FillRandomly(*original, entities, GetParam());
    test::TempDir directory;
    ASSERT_TRUE(SaveList(directory.Path(), "DK0ABC", catalogue, *original).Ok());

    const std::string text = test::ReadFile(directory.Path() / "DK0ABC.CFD");
    const auto lines = test::SplitCrLf(text);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(entities) + 10u);
    for (int i = 8; i < 8 + entities; ++i) {
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].size(), kListEntityLineLength) << i;
    }

    auto back = std::make_unique<ConfirmationMatrix>();
    back->WriteCell(1, BandIndex{12}, ModeIndex{kModeCw}, 1);  // left over from an earlier list
    const auto result =
        LoadList(directory.Path(), "DK0ABC.CFD", ListReadMode::Normal, catalogue, *back);
    EXPECT_TRUE(result.ReportLines.empty());
    EXPECT_EQ(result.FoundCount, entities);
    for (int e = 1; e <= entities; ++e) {
        for (int b = 0; b < kBandCount; ++b) {
            for (int m = 0; m < kModeCount; ++m) {
                const bool stored = b < kListBandCount || b == kAllBands;
                EXPECT_EQ(back->IsTicked(e, BandIndex{b}, ModeIndex{m}),
                          stored && original->IsTicked(e, BandIndex{b}, ModeIndex{m}))
                    << catalogue.Entity(static_cast<std::uint16_t>(e)).MainPrefix << " " << b << "/"
                    << m;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ListRoundTrip, ::testing::Values(1u, 2024u, 77777u));

}  // namespace
}  // namespace wendrix
