// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/RunEvaluation.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/lists/ListTestSupport.h"
#include "evaluation/ResultFile.h"
#include "lists/SaveList.h"
#include "support/SpecialEntries.h"
#include "support/TempDir.h"

namespace wendrix {
namespace {

using test::EntityOf;

constexpr int k20m = 4;

class EvaluationRun : public ::testing::Test
{
protected:
    EntityCatalogue catalogue = test::SmallListCatalogue();
    std::unique_ptr<ConfirmationMatrix> matrix = std::make_unique<ConfirmationMatrix>();
    std::unique_ptr<Evaluation> evaluation = std::make_unique<Evaluation>();
    test::TempDir directory;
    BandThresholds zero = [] {
        BandThresholds thresholds;
        thresholds.minimum.fill(0);
        return thresholds;
    }();

    // Writes a list file under the given name whose first line is the call sign, with the cells
    // ticked as the program would (Mixed and all-bands cells follow).
    void WriteList(std::string_view name, std::string_view call,
                   std::initializer_list<std::tuple<std::string_view, int, int>> cells)
    {
        ConfirmationMatrix list;
        for (const auto& [prefix, band, mode] : cells) {
            (void)list.SetCell(EntityOf(catalogue, prefix), BandIndex{band}, ModeIndex{mode},
                               CellOperation::Set);
        }
        directory.Write(name, FormatList(call, catalogue, list));
    }

    EvaluationRunResult Run(const BandThresholds& thresholds)
    {
        return RunEvaluation(directory.Path(), catalogue, thresholds, *matrix, *evaluation);
    }
};

TEST_F(EvaluationRun, ReadsEveryListFileInByteOrderWhateverTheCaseOfItsExtension)
{
    WriteList("dl1abc.cfd", "DL1ABC", {{"W", k20m, kModeCw}});
    WriteList("OE3XYZ.CFD", "OE3XYZ", {{"W", k20m, kModeCw}, {"3A", k20m, kModeCw}});
    WriteList("K1AB.Cfd", "K1AB", {{"3A", k20m, kModeCw}});
    WriteList("notes.txt", "NOTES", {{"W", k20m, kModeCw}});
    WriteList("OLD.CFD.bak", "OLD", {{"W", k20m, kModeCw}});

    const auto run = Run(zero);
    EXPECT_EQ(run.FilesRead, 3u);
    EXPECT_TRUE(run.FoundAny());
    EXPECT_FALSE(run.LimitReached);
    EXPECT_TRUE(run.ReadErrors.empty());
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 3);
    const int w = EntityOf(catalogue, "W");
    // The calls keep the case of the file names; upper case sorts before lower case.
    EXPECT_EQ(evaluation->EntityParticipantCalls(w, k20m, kModeCw), "OE3XYZ dl1abc ");
    EXPECT_EQ(evaluation->PerMilleText(w, k20m, kModeCw), " 667");
    // The log: a counts line and a threshold line per file, the call in upper case. Every list
    // here is complete, so the reader adds no lines of its own.
    ASSERT_EQ(run.LogLines.size(), 6u);
    EXPECT_TRUE(run.LogLines[0].starts_with("K1AB   : 001-001-000-000  "));
    EXPECT_TRUE(run.LogLines[1].starts_with("         001-001-000-000  "));
    EXPECT_TRUE(run.LogLines[2].starts_with("OE3XYZ : 002-002-000-000  "));
    EXPECT_TRUE(run.LogLines[4].starts_with("DL1ABC : 001-001-000-000  "));
    // After the run the matrix holds the last list read.
    EXPECT_TRUE(matrix->IsTicked(w, BandIndex{k20m}, ModeIndex{kModeCw}));
    EXPECT_FALSE(matrix->IsTicked(EntityOf(catalogue, "3A"), BandIndex{k20m}, ModeIndex{kModeCw}));
}

TEST_F(EvaluationRun, ProblemLinesOfTheReaderComeBeforeTheCountsOfTheirFile)
{
    directory.Write("DL9ZZ.CFD", "SOMEONE ELSE\r\n");
    const auto run = Run(zero);
    ASSERT_EQ(run.LogLines.size(), 4u);
    EXPECT_EQ(run.LogLines[0], "DL9ZZ  : Falsches Rufzeichen in Zeile 1");
    EXPECT_EQ(run.LogLines[1], "DL9ZZ  : Nur 0 von 9 Entities gefunden.");
    EXPECT_TRUE(run.LogLines[2].starts_with("DL9ZZ  : 000-000-000-000"));
    // With thresholds of 0 even an empty list counts everywhere.
    EXPECT_EQ(evaluation->ParticipantCounts(0, kModeRtty), 1);
}

// A directory, a pipe and a link to nowhere named like lists are named in the log, in their
// place in name order, and neither read nor counted; the pipe must not stop the run.
TEST_F(EvaluationRun, EntriesThatAreNoFilesAreNamedInTheLogAndNotCounted)
{
    std::filesystem::create_directory(directory.Path() / "BROKEN.CFD");
    WriteList("DL1ABC.CFD", "DL1ABC", {{"W", k20m, kModeCw}});
    WriteList("OE3XYZ.CFD", "OE3XYZ", {{"W", k20m, kModeCw}});
    std::vector<std::string> skipped{"Übersprungen: BROKEN.CFD ist ein Verzeichnis"};
    if (test::MakeFifo(directory.Path() / "AB1CD.CFD")) {
        skipped.insert(skipped.begin(), "Übersprungen: AB1CD.CFD ist eine Pipe (FIFO)");
    }
    if (test::MakeDanglingLink(directory.Path() / "X.CFD")) {
        skipped.push_back("Übersprungen: X.CFD ist ein Verweis ohne Ziel");
    }

    const auto run = Run(zero);
    EXPECT_EQ(run.FilesRead, 2u);
    EXPECT_EQ(run.EntriesSkipped, skipped.size());
    EXPECT_TRUE(run.ReadErrors.empty());
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 2);
    std::vector<std::string> named;
    for (const std::string& line : run.LogLines) {
        if (line.starts_with("Übersprungen")) {
            named.push_back(line);
        }
    }
    EXPECT_EQ(named, skipped);
    ASSERT_EQ(run.LogLines.size(), 4 + skipped.size());
    const auto broken = std::find(run.LogLines.begin(), run.LogLines.end(),
                                  "Übersprungen: BROKEN.CFD ist ein Verzeichnis");
    ASSERT_LT(broken - run.LogLines.begin(), 3);
    EXPECT_TRUE(broken[1].starts_with("DL1ABC : ")) << broken[1];
}

#ifdef __linux__
// A list that opens but cannot be read (the kernel refuses reading a process's memory at
// address 0) is reported and still goes through the thresholds with what it gave.
TEST_F(EvaluationRun, UnreadableListIsReportedAndStillGoesThroughTheThresholds)
{
    std::filesystem::create_symlink("/proc/self/mem", directory.Path() / "BROKEN.CFD");
    WriteList("DL1ABC.CFD", "DL1ABC", {{"W", k20m, kModeCw}});
    const auto run = Run(zero);
    EXPECT_EQ(run.FilesRead, 2u);
    ASSERT_EQ(run.ReadErrors.size(), 1u);
    EXPECT_EQ(run.ReadErrors[0], directory.Path() / "BROKEN.CFD");
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 2);
}
#endif

// Two lists of one station (line 1 holds the same call sign, whatever the file names) count
// once: the first in name order. The other is named as a duplicate and leaves the matrix alone.
TEST_F(EvaluationRun, OneStationCountsOnceWhateverItsListsAreNamed)
{
    WriteList("K9CTS.CFD", "K9CTS", {{"W", k20m, kModeCw}});
    WriteList("k9cts-old.cfd", "k9cts", {{"3A", k20m, kModeCw}});
    WriteList("OTHER.CFD", " K9CTS ", {{"3A", k20m, kModeCw}});
    WriteList("DL1ABC.CFD", "DL1ABC", {{"W", k20m, kModeCw}});

    const auto run = Run(zero);
    EXPECT_EQ(run.FilesRead, 2u);
    EXPECT_EQ(run.Duplicates, 2u);
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 2);
    const int w = EntityOf(catalogue, "W");
    const int monaco = EntityOf(catalogue, "3A");
    EXPECT_EQ(evaluation->EntityParticipantCalls(w, k20m, kModeCw), "DL1ABC K9CTS ");
    EXPECT_EQ(evaluation->EntityParticipantCounts(monaco, k20m, kModeCw), 0);
    ASSERT_EQ(run.LogLines.size(), 6u);
    EXPECT_EQ(run.LogLines[4], "Doppelt: OTHER.CFD, Rufzeichen K9CTS schon aus K9CTS.CFD gezählt");
    EXPECT_EQ(run.LogLines[5],
              "Doppelt: k9cts-old.cfd, Rufzeichen K9CTS schon aus K9CTS.CFD gezählt");
    EXPECT_TRUE(matrix->IsTicked(w, BandIndex{k20m}, ModeIndex{kModeCw}));
    EXPECT_FALSE(matrix->IsTicked(monaco, BandIndex{k20m}, ModeIndex{kModeCw}));
}

TEST_F(EvaluationRun, RunStartsFromZeroEachTime)
{
    WriteList("DL1ABC.CFD", "DL1ABC", {{"W", k20m, kModeCw}});
    (void)Run(zero);
    (void)Run(zero);
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 1);
}

TEST_F(EvaluationRun, EmptyOrMissingDirectoryFindsNothing)
{
    const auto empty = Run(zero);
    EXPECT_FALSE(empty.FoundAny());
    EXPECT_FALSE(empty.DirectoryError);
    EXPECT_TRUE(empty.LogLines.empty());

    const auto missing =
        RunEvaluation(directory.Path() / "nowhere", catalogue, zero, *matrix, *evaluation);
    EXPECT_TRUE(missing.DirectoryError);
    EXPECT_FALSE(missing.FoundAny());
}

TEST_F(EvaluationRun, FileSearchStopsAtTheLimitInNameOrder)
{
    for (const char* name : {"C.CFD", "A.CFD", "B.cfd", "D.CFD"}) {
        directory.Write(name, "");
    }
    const auto three = FindListFiles(directory.Path(), 3);
    ASSERT_TRUE(three.Ok());
    EXPECT_EQ(three->Names, (std::vector<std::string>{"A.CFD", "B.cfd", "C.CFD"}));
    EXPECT_TRUE(three->More);
    const auto four = FindListFiles(directory.Path(), 4);
    ASSERT_TRUE(four.Ok());
    EXPECT_EQ(four->Names.size(), 4u);
    EXPECT_FALSE(four->More);
}

TEST(ParticipantCall, IsTheFileNameUpToItsFirstDotAsItStands)
{
    EXPECT_EQ(ParticipantCallOfFile("dl1abc.cfd"), "dl1abc");
    EXPECT_EQ(ParticipantCallOfFile("DL1ABC.P.CFD"), "DL1ABC");
    EXPECT_EQ(ParticipantCallOfFile(".CFD"), "");
}

// ---- The result file ---------------------------------------------------------------------

TEST_F(EvaluationRun, ResultFileHasFixedLineLengthsCrLfAndNoTrailingEmptyLine)
{
    WriteList("DL1ABC.CFD", "DL1ABC", {{"W", k20m, kModeCw}});
    WriteList("OE3XYZ.CFD", "OE3XYZ", {});
    (void)Run(zero);
    const std::string text = FormatResultFile(catalogue, *evaluation);
    ASSERT_TRUE(text.ends_with("\r\n"));
    EXPECT_FALSE(text.ends_with("\r\n\r\n"));
    const auto lines = test::SplitCrLf(text);
    ASSERT_EQ(lines.size(), 2u + 8u + 2u) << "the two QQ records share one line";
    EXPECT_EQ(lines[0].size(), kResultHeaderLength);
    EXPECT_EQ(lines[1], std::string(238, '-'));
    for (std::size_t i = 2; i < 10; ++i) {
        EXPECT_EQ(lines[i].size(), kResultEntityLineLength) << lines[i];
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_EQ(lines[10], std::string(238, '-'));
    EXPECT_EQ(lines[11].size(), kResultParticipantsLength);
}

TEST_F(EvaluationRun, ResultFileShowsMainPrefixesAndPerMilleGroups)
{
    WriteList("DL1ABC.CFD", "DL1ABC", {{"W", k20m, kModeCw}});
    WriteList("OE3XYZ.CFD", "OE3XYZ", {});
    (void)Run(zero);
    const auto lines = test::SplitCrLf(FormatResultFile(catalogue, *evaluation));
    EXPECT_EQ(lines[0], "Entity   ALL" + std::string(13, ' ') + "     1.8" + std::string(13, ' ') +
                            "     3.5" + std::string(13, ' ') + "       7" + std::string(13, ' ') +
                            "      10" + std::string(13, ' ') + "      14" + std::string(13, ' ') +
                            "      18" + std::string(13, ' ') + "      21" + std::string(13, ' ') +
                            "      24" + std::string(13, ' ') + "      28" + std::string(13, ' ') +
                            "      50");
    const std::string& w = lines[3];
    EXPECT_EQ(w.substr(0, 9), "W        ");
    const std::string none = "   0    0    0    0 ";
    EXPECT_EQ(w.substr(9, 20), " 500  500    0    0 ");
    EXPECT_EQ(w.substr(29 + 20 * k20m, 20), " 500  500    0    0 ");
    EXPECT_EQ(w.substr(29, 20), none);
    EXPECT_EQ(lines[4].substr(0, 9), "UA3      ");
    EXPECT_EQ(
        lines[11], "Teiln.      2    2    2    2  " + [] {
            std::string bands;
            for (int b = 0; b < 10; ++b) {
                bands += "   2    2    2    2  ";
            }
            return bands;
        }());
}

TEST_F(EvaluationRun, ResultFileIsWrittenBesideTheListsAndAFailedWriteIsReported)
{
    WriteList("DL1ABC.CFD", "DL1ABC", {});
    (void)Run(zero);
    const auto saved = SaveResultFile(directory.Path(), catalogue, *evaluation);
    ASSERT_TRUE(saved.Ok());
    EXPECT_EQ(saved.Get(), directory.Path() / "Wendrix.TXT");
    EXPECT_EQ(test::ReadFile(saved.Get()), FormatResultFile(catalogue, *evaluation));

    const auto elsewhere = directory.Path() / "sub";
    std::filesystem::create_directories(elsewhere / "Wendrix.TXT");
    const auto failed = SaveResultFile(elsewhere, catalogue, *evaluation);
    ASSERT_FALSE(failed.Ok());
    EXPECT_EQ(failed.Message(), "Schreibfehler in Datei " + (elsewhere / "Wendrix.TXT").string());
    EXPECT_TRUE(std::filesystem::is_directory(elsewhere / "Wendrix.TXT"));
}

}  // namespace
}  // namespace wendrix
