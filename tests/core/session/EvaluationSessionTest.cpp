// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/EvaluationSession.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SessionTestSupport.h"
#include "core/lists/ListTestSupport.h"
#include "evaluation/ResultFile.h"
#include "lists/SaveList.h"
#include "support/TempDir.h"

namespace wendrix {
namespace {

using testing::_;
using testing::Return;
using testing::SizeIs;
using testing::StrictMock;

namespace fs = std::filesystem;

class MockThresholdStore : public ThresholdStore
{
public:
    MOCK_METHOD(BandThresholds, Read, (), (const, override));
    MOCK_METHOD(void, Write, (const BandThresholds&), (override));
};

class EvaluationSessionTest : public testing::Test
{
protected:
    // A list whose W row has 20 m CW, and as many further 20 m CW entities as asked.
    void WriteList(std::string_view call, int moreEntities)
    {
        ConfirmationMatrix list;
        list.SetCell(test::EntityOf(catalogue, "W"), BandIndex{4}, ModeIndex{kModeCw},
                     CellOperation::Set);
        for (int e = 1; e <= moreEntities; ++e) {
            list.SetCell(e + 2, BandIndex{4}, ModeIndex{kModeCw}, CellOperation::Set);
        }
        ASSERT_TRUE(SaveList(directory.Path(), call, catalogue, list).Ok());
    }
    // Runs the evaluation and returns the log it shows beside the window.
    std::vector<std::string> RunAndKeepTheLog()
    {
        std::vector<std::string> log;
        EXPECT_CALL(prompts, ShowReport(kEvaluationLogCaption, _, false))
            .WillOnce([&](std::string_view, std::span<const std::string> lines, bool) {
                log.assign(lines.begin(), lines.end());
            });
        session.Run();
        return log;
    }
    [[nodiscard]] std::string WCell() const
    {
        return session.Figures().PerMilleText(test::EntityOf(catalogue, "W"), 4, kModeCw);
    }

    EntityCatalogue catalogue = test::SmallListCatalogue();
    std::unique_ptr<ConfirmationMatrix> matrix = std::make_unique<ConfirmationMatrix>();
    std::unique_ptr<Evaluation> evaluation = std::make_unique<Evaluation>();
    test::TempDir directory;
    StrictMock<MockThresholdStore> store;
    StrictMock<test::MockSessionPrompts> prompts;
    EvaluationSession session{catalogue, *matrix, *evaluation, directory.Path(), store, prompts};
};

TEST_F(EvaluationSessionTest, ThresholdRowsShowTotalFirstThenTheBandsUpTo6m)
{
    EXPECT_CALL(store, Read()).WillOnce(Return(BandThresholds{}));
    session.ReadThresholds();
    const auto rows = session.ThresholdRowTexts();
    EXPECT_EQ(rows[0], "150");
    EXPECT_EQ(rows[1], "75");
    for (std::size_t row = 2; row < kThresholdRows; ++row) {
        EXPECT_EQ(rows[row], "100") << kThresholdRowLabels[row];
    }
}

TEST_F(EvaluationSessionTest, ARunShowsItsLogAndMakesTheResultSavableOnlyWhenListsWereFound)
{
    EXPECT_CALL(prompts, ShowReport(kEvaluationLogCaption, SizeIs(0), false));
    EXPECT_FALSE(session.Run().FoundAny());
    EXPECT_FALSE(session.HasUnsavedChanges());

    WriteList("DL1ABC", 0);
    EXPECT_CALL(prompts, ShowReport(kEvaluationLogCaption, SizeIs(2), false));
    EXPECT_EQ(session.Run().FilesRead, 1u);
    EXPECT_TRUE(session.HasUnsavedChanges());
}

TEST_F(EvaluationSessionTest, AnInvalidRowStopsTheThresholdsThereAndStoresNothing)
{
    // Two lists: one with 3 entities on 20 m CW, one with 1. With thresholds 0 both count.
    WriteList("DL1ABC", 2);
    WriteList("W1AW", 0);
    std::vector<std::string> rows(kThresholdRows, "0");
    EXPECT_CALL(prompts, ShowReport(_, _, false)).Times(2);
    EXPECT_CALL(store, Write(_));
    EXPECT_EQ(session.ApplyThresholdRows(rows), std::nullopt);
    EXPECT_EQ(WCell(), "1000");
    EXPECT_EQ(
        session.ParticipantCalls(test::EntityOf(catalogue, "W"), BandIndex{4}, ModeIndex{kModeCw}),
        "DL1ABC W1AW ");

    // 20 m (row 5) now needs 2; row 7 is out of range: the rows before it apply in memory, but
    // nothing is stored and the evaluation does not run again.
    rows[5] = " 2 ";
    rows[7] = "301";
    EXPECT_CALL(prompts, ShowError("Value outside range of 0...300."));
    EXPECT_EQ(session.ApplyThresholdRows(rows), std::optional<std::size_t>(7));
    EXPECT_EQ(session.Thresholds().For(kBand20m), 2);
    EXPECT_EQ(WCell(), "1000") << "figures of the last run";

    rows[7] = "";
    EXPECT_CALL(prompts, ShowError("Value outside range of 0...300."));
    EXPECT_EQ(session.ApplyThresholdRows(rows), std::optional<std::size_t>(7)) << "empty";

    rows[7] = "0";
    BandThresholds stored;
    EXPECT_CALL(store, Write(_)).WillOnce(testing::SaveArg<0>(&stored));
    EXPECT_EQ(session.ApplyThresholdRows(rows), std::nullopt);
    EXPECT_EQ(stored.For(kBand20m), 2);
    EXPECT_EQ(stored.For(10), 0) << "2 m keeps its value";
    EXPECT_EQ(WCell(), "1000") << "only DL1ABC reaches 2 on 20 m CW and it confirms W";
    EXPECT_EQ(
        session.ParticipantCalls(test::EntityOf(catalogue, "W"), BandIndex{4}, ModeIndex{kModeCw}),
        "DL1ABC ");
}

TEST_F(EvaluationSessionTest, SavingWritesTheResultFileAndAFailureKeepsTheWindowOpen)
{
    WriteList("DL1ABC", 0);
    EXPECT_CALL(prompts, ShowReport(_, _, false));
    session.Run();

    // A directory in the way of the result file: the write fails.
    const fs::path result = directory.Path() / "Wendrix.TXT";
    fs::create_directory(result);
    EXPECT_CALL(prompts, AskSaveOnClose()).Times(2).WillRepeatedly(Return(true));
    EXPECT_CALL(prompts, ShowFileError("Schreibfehler in Datei " + result.string()));
    EXPECT_FALSE(session.Close());
    EXPECT_TRUE(session.HasUnsavedChanges());

    fs::remove(result);
    EXPECT_TRUE(session.Close());
    EXPECT_FALSE(session.HasUnsavedChanges());
    EXPECT_EQ(test::ReadFile(result), FormatResultFile(catalogue, *evaluation));
}

TEST_F(EvaluationSessionTest, TheClubReportIsSavedBesideTheResultAndItsFailureKeepsItUnsaved)
{
    WriteList("DL1ABC", 0);
    session.SetClubReportBesideResult();
    const std::vector<std::string> log = RunAndKeepTheLog();
    const fs::path report = directory.Path() / "Wendrix.html";
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "Clubbericht beim Speichern: " + report.string());

    // The result file is written, the report is not: the evaluation stays unsaved, and the
    // message names the report.
    fs::create_directory(report);
    EXPECT_CALL(prompts, ShowFileError("Schreibfehler in Datei " + report.string()));
    EXPECT_TRUE(session.Save().FailedBecause(SaveRefusal::WriteFailed));
    EXPECT_TRUE(session.HasUnsavedChanges());

    fs::remove(report);
    EXPECT_TRUE(session.Save().Ok());
    EXPECT_FALSE(session.HasUnsavedChanges());
    const std::string page = test::ReadFile(report);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(page.find("1 Liste gelesen"), std::string::npos);
}

TEST_F(EvaluationSessionTest, ReadsListsNamedOutsideTheUsersCodePage)
{
    // "ДЛ1.CFD": Cyrillic, in no Western code page. Found, read without an error, and its call
    // sign (padded to seven bytes) shown as it is.
    WriteList("\xD0\x94\xD0\x9B"
              "1",
              0);
    const std::vector<std::string> log = RunAndKeepTheLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].starts_with("\xD0\x94\xD0\x9B"
                                   "1  : "))
        << log[0];
}

#ifndef _WIN32
// Windows keeps file names in UTF-16, so only other systems meet names in Latin-1 bytes.
TEST_F(EvaluationSessionTest, TheLogNamesLatin1FileNamesInValidUtf8)
{
    WriteList("D\xFC"
              "1ABC",
              0);  // a file name in Latin-1 bytes, as an old system wrote it
    const std::vector<std::string> log = RunAndKeepTheLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].starts_with("D\xC3\xBC"
                                   "1ABC : "))
        << log[0];
    EXPECT_TRUE(fs::exists(directory.Path() / "D\xFC"
                                              "1ABC.CFD"))
        << "the file itself is untouched";
}
#endif

}  // namespace
}  // namespace wendrix
