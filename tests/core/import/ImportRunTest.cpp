// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportRun.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ImportRunTestSupport.h"
#include "matrix/Bands.h"
#include "support/ImportReportLines.h"
#include "support/SpecialEntries.h"
#include "support/TempDir.h"
#include "common/Utf8Path.h"

namespace wendrix::test {
namespace {

using testing::_;
using testing::ElementsAre;
using testing::EndsWith;
using testing::HasSubstr;
using testing::InSequence;
using testing::Return;
using testing::StartsWith;
using testing::StrictMock;

class ImportRunTest : public testing::Test
{
protected:
    ImportOutcome RunImport(std::string ownCall = {})
    {
        ImportRun run(EmbeddedResolver(), matrix, prompts, progress, report, opener);
        run.SetOwnCall(std::move(ownCall));
        return run.Run();
    }

    // The first two questions of every run: eQSL, then the file choice.
    void ExpectStart(bool countEqsl, std::vector<std::filesystem::path> files)
    {
        EXPECT_CALL(prompts, AskCountEqsl()).WillOnce(Return(countEqsl));
        EXPECT_CALL(prompts, ChooseLogFiles()).WillOnce(Return(std::move(files)));
    }

    std::filesystem::path Log(std::string_view name, const std::string& records)
    {
        return dir.Write(name, "Test log\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n" + records);
    }

    [[nodiscard]] bool Ticked(std::string_view prefix, int band, int mode) const
    {
        return matrix.IsTicked(EntityNumber(prefix), BandIndex{band}, ModeIndex{mode});
    }

    // Number of ticked cells in the whole matrix.
    [[nodiscard]] int TickedCells() const
    {
        int count = 0;
        for (const auto& band : matrix.ColumnSums()) {
            for (const std::uint16_t sum : band) {
                count += sum;
            }
        }
        return count;
    }

    StrictMock<MockImportPrompts> prompts;
    RecordingProgress progress;
    ImportReportLines report;
    TestOpener opener;
    ConfirmationMatrix matrix;
    TempDir dir;
};

// Three contacts whose log gives no DXCC number, all resolvable; the third one in a second file.
struct EntityScript
{
    const char* name;
    std::vector<EntityAnswer> answers;  // one per question actually asked
    std::vector<bool> taken;            // per contact: JA1ABC, 9A2AB, VK2ABC
};

void PrintTo(const EntityScript& value, std::ostream* out)
{
    *out << value.name;
}

class EntityAnswers : public ImportRunTest, public testing::WithParamInterface<EntityScript>
{
};

TEST_P(EntityAnswers, ToAllAnswersAreAskedOnceAndCarryIntoTheNextFile)
{
    const EntityScript& script = GetParam();
    const auto first = Log("first.adi", Contact({{"CALL", "JA1ABC"}, {"DXCC", ""}}) +
                                            Contact({{"CALL", "9A2AB"}, {"DXCC", ""}}));
    const auto second = Log("second.adi", Contact({{"CALL", "VK2ABC"}, {"DXCC", ""}}));
    ExpectStart(false, {first, second});
    {
        InSequence order;
        const std::vector<EntityQuestion> questions{
            {"JA", "JA1ABC", 2023}, {"9A", "9A2AB", 2023}, {"VK", "VK2ABC", 2023}};
        for (std::size_t i = 0; i < script.answers.size(); ++i) {
            EXPECT_CALL(prompts, AskTakeEntity(questions[i])).WillOnce(Return(script.answers[i]));
        }
        EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
    }

    const ImportOutcome outcome = RunImport();

    const std::vector<std::string> prefixes{"JA", "9A", "VK"};
    const std::vector<std::string> takenLines{"Land ermittelt : JA     für JA1ABC  2023-01-05",
                                              "Land ermittelt : 9A     für 9A2AB  2023-01-05",
                                              "Land ermittelt : VK     für VK2ABC  2023-01-05"};
    const std::vector<std::string> unclearLines{"Land unklar    : JA1ABC  2023-01-05",
                                                "Land unklar    : 9A2AB  2023-01-05",
                                                "Land unklar    : VK2ABC  2023-01-05"};
    std::vector<std::string> expectedLines;
    int determined = 0;
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
        EXPECT_EQ(Ticked(prefixes[i], kBand20m, kModeCw), script.taken[i]) << prefixes[i];
        determined += script.taken[i] ? 1 : 0;
        expectedLines.push_back(script.taken[i] ? takenLines[i] : unclearLines[i]);
    }
    EXPECT_EQ(report.Lines(), expectedLines);
    EXPECT_EQ(outcome.counters.withoutCode, 3);
    EXPECT_EQ(outcome.counters.determined, determined);
    EXPECT_EQ(outcome.counters.unclear, 3 - determined);
}

INSTANTIATE_TEST_SUITE_P(
    ImportRun, EntityAnswers,
    testing::Values(EntityScript{"YesToAll", {EntityAnswer::YesToAll}, {true, true, true}},
                    EntityScript{"NoToAll", {EntityAnswer::NoToAll}, {false, false, false}},
                    EntityScript{"SingleAnswersAskEveryTime",
                                 {EntityAnswer::Yes, EntityAnswer::No, EntityAnswer::Yes},
                                 {true, false, true}},
                    EntityScript{"NoThenYesToAll",
                                 {EntityAnswer::No, EntityAnswer::YesToAll},
                                 {false, true, true}}),
    [](const testing::TestParamInfo<EntityScript>& testInfo) {
        return std::string(testInfo.param.name);
    });

TEST_F(ImportRunTest, AmbiguousOrMobileCallIsUnclearWithoutQuestionEvenAfterYesToAll)
{
    const auto log = Log("log.adi", Contact({{"CALL", "DL2XYZ"}, {"DXCC", ""}}) +
                                        Contact({{"CALL", "FO5ABC"}, {"DXCC", ""}}) +
                                        Contact({{"CALL", "K1ABC/MM"}, {"DXCC", ""}}));
    ExpectStart(false, {log});
    EXPECT_CALL(prompts, AskTakeEntity(EntityQuestion{"DL", "DL2XYZ", 2023}))
        .WillOnce(Return(EntityAnswer::YesToAll));
    EXPECT_CALL(prompts, AskShowReport(HasSubstr("2 Länder unklar."))).WillOnce(Return(false));

    const ImportOutcome outcome = RunImport();

    EXPECT_THAT(report.Lines(), ElementsAre("Land ermittelt : DL     für DL2XYZ  2023-01-05",
                                            "Land unklar    : FO5ABC  2023-01-05",
                                            "Land unklar    : K1ABC/MM  2023-01-05"));
    EXPECT_FALSE(Ticked("FO", kBand20m, kModeCw));
    EXPECT_FALSE(Ticked("W", kBand20m, kModeCw));
    EXPECT_EQ(outcome.counters.unclear, 2);
}

TEST_F(ImportRunTest, DxccZeroIsReportedUndefinedAndCountsAsWithoutCodeAndUnclear)
{
    const auto log =
        Log("log.adi", Contact({{"CALL", "K1ABC/MM"}, {"DXCC", "0"}}) +
                           Contact({{"CALL", "K2ABC/MM"}, {"DXCC", "0"}, {"QSL_RCVD", "N"}}));
    ExpectStart(false, {log});
    EXPECT_CALL(prompts, AskShowReport(StartsWith("2 QSOs importiert, davon 1 QSOs bestätigt.\r\n"
                                                  "1 QSOs ohne ADIF-Ländercode.\r\n"
                                                  "0 Länder selbst ermittelt.\r\n"
                                                  "1 Länder unklar.")))
        .WillOnce(Return(true));

    const ImportOutcome outcome = RunImport();

    EXPECT_THAT(report.Lines(), ElementsAre("Land undefiniert (DXCC-ID=0) : K1ABC/MM  2023-01-05"));
    EXPECT_EQ(TickedCells(), 0);
    EXPECT_TRUE(outcome.showReport);
}

TEST_F(ImportRunTest, OkAtReadErrorEndsTheRunButKeepsAndMarksTheContactsAlreadyApplied)
{
    const auto first = Log("first.adi", Contact({{"CALL", "EA3XYZ"}, {"DXCC", "281"}}));
    const std::string broken = Contact({{"CALL", "F5ABC"}, {"DXCC", "227"}}) +
                               Contact({{"CALL", "G4XYZ"}, {"DXCC", "223"}}) +
                               Contact({{"CALL", "I2ABC"}, {"DXCC", "248"}});
    const std::filesystem::path second = "broken.adi";
    opener.Register(second, [broken] {
        return std::make_unique<FaultySource>(broken, BadSpot{broken.find("G4XYZ")});
    });
    const auto third = Log("third.adi", Contact({{"CALL", "JA1ABC"}, {"DXCC", "339"}}));
    ExpectStart(false, {first, second, third});
    EXPECT_CALL(prompts, AskOnReadError(second)).WillOnce(Return(ReadErrorAnswer::Abort));
    // No summary follows: the StrictMock fails on AskShowReport or ShowSummary.

    const ImportOutcome outcome = RunImport();

    EXPECT_EQ(outcome.end, ImportEnd::AbortedOnReadError);
    EXPECT_TRUE(outcome.summary.empty());
    EXPECT_TRUE(Ticked("EA", kBand20m, kModeCw));
    EXPECT_TRUE(Ticked("F", kBand20m, kModeCw));
    EXPECT_FALSE(Ticked("G", kBand20m, kModeCw));
    EXPECT_FALSE(Ticked("I", kBand20m, kModeCw));
    EXPECT_FALSE(Ticked("JA", kBand20m, kModeCw));
    // The applied contacts must not be lost when the list is closed afterwards.
    EXPECT_TRUE(matrix.Modified());
    EXPECT_NE(outcome.end, ImportEnd::Cancelled);
    EXPECT_EQ(progress.hidden, 2);
    EXPECT_EQ(progress.shown.size(), 2u);
}

TEST_F(ImportRunTest, OkAtReadErrorMarksTheListChangedLikeACompletedRun)
{
    // Nothing was ticked before the error, so no cell change raised the modified state; the run
    // itself must, as a completed run does, and the view must be told to refresh.
    const std::string broken = Contact({{"QSL_RCVD", "N"}}) + Contact({{"CALL", "G4XYZ"}});
    const std::filesystem::path log = "broken.adi";
    opener.Register(log, [broken] {
        return std::make_unique<FaultySource>(broken, BadSpot{broken.find("G4XYZ")});
    });
    ExpectStart(false, {log});
    EXPECT_CALL(prompts, AskOnReadError(log)).WillOnce(Return(ReadErrorAnswer::Abort));

    const ImportOutcome outcome = RunImport();

    EXPECT_EQ(outcome.end, ImportEnd::AbortedOnReadError);
    EXPECT_EQ(outcome.counters.imported, 1);
    EXPECT_EQ(TickedCells(), 0);
    EXPECT_TRUE(matrix.Modified());
    EXPECT_NE(outcome.end, ImportEnd::Cancelled);
}

struct IgnoreCase
{
    const char* name;
    std::size_t badLength;  // 0: a passing fault
    std::string skipLine;   // the report line about the bytes passed over, if any
};

void PrintTo(const IgnoreCase& value, std::ostream* out)
{
    *out << value.name;
}

class IgnoreAtReadError : public ImportRunTest, public testing::WithParamInterface<IgnoreCase>
{
};

TEST_P(IgnoreAtReadError, DropsOnlyTheBrokenLineAndReportsWhatCouldNotBeRead)
{
    const IgnoreCase& c = GetParam();
    const std::string broken = Contact({{"CALL", "F5ABC"}, {"DXCC", "227"}}) +
                               Contact({{"CALL", "G4XYZ"}, {"DXCC", "223"}}) +
                               Contact({{"CALL", "I2ABC"}, {"DXCC", "248"}});
    const std::filesystem::path log = "broken.adi";
    opener.Register(log, [&broken, &c] {
        return std::make_unique<FaultySource>(broken, BadSpot{broken.find("G4XYZ"), c.badLength});
    });
    const auto next = Log("next.adi", Contact({{"CALL", "JA1ABC"}, {"DXCC", "339"}}));
    ExpectStart(false, {log, next});
    EXPECT_CALL(prompts, AskOnReadError(log)).WillOnce(Return(ReadErrorAnswer::Ignore));
    const std::string figures = "3 QSOs importiert, davon 3 QSOs bestätigt.";
    // The lost bytes and the new cells are worth offering the report for.
    EXPECT_CALL(prompts,
                AskShowReport(SummaryIs(figures + "\r\n\r\n" + std::string(kShowReportQuestion))))
        .WillOnce(Return(false));

    const ImportOutcome outcome = RunImport();

    EXPECT_EQ(outcome.end, ImportEnd::Completed);
    EXPECT_EQ(outcome.counters.imported, 3);
    EXPECT_EQ(outcome.counters.confirmed, 3);
    EXPECT_EQ(outcome.counters.skipped, 0);
    EXPECT_EQ(outcome.counters.bytesSkipped, static_cast<std::int64_t>(c.badLength));
    EXPECT_TRUE(Ticked("F", kBand20m, kModeCw));
    EXPECT_FALSE(Ticked("G", kBand20m, kModeCw));
    EXPECT_TRUE(Ticked("I", kBand20m, kModeCw));
    EXPECT_TRUE(Ticked("JA", kBand20m, kModeCw));
    const std::vector<std::string> expectedLines =
        c.skipLine.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.skipLine};
    EXPECT_EQ(report.Lines(), expectedLines);
}

INSTANTIATE_TEST_SUITE_P(
    ImportRun, IgnoreAtReadError,
    testing::Values(IgnoreCase{"PassingFault", 0, ""},
                    IgnoreCase{"OneUnreadableByte", 1,
                               "Lesefehler in Datei broken.adi: 1 Byte übersprungen"},
                    IgnoreCase{"SevenUnreadableBytes", 7,
                               "Lesefehler in Datei broken.adi: 7 Bytes übersprungen"}),
    [](const testing::TestParamInfo<IgnoreCase>& testInfo) {
        return std::string(testInfo.param.name);
    });

TEST_F(ImportRunTest, Latin1LogTextReachesTheReportAndTheQuestionAsUtf8)
{
    // A log written in Latin-1: "ü" is the single byte 0xFC. The reader upper-cases only ASCII.
    const auto log = Log("latin1.adi",
                         Contact({{"CALL", "DL1AB\xFC"}, {"DXCC", ""}}) +
                             Contact({{"CALL", "SM5ABC"}, {"MODE", "FT4"}, {"NAME", "J\xFCrgen"}}) +
                             Contact({{"CALL", "EA3\xFC"}, {"DXCC", "0"}}));
    ExpectStart(false, {log});
    EXPECT_CALL(prompts, AskTakeEntity(EntityQuestion{"DL", "DL1AB\xC3\xBC", 2023}))
        .WillOnce(Return(EntityAnswer::Yes));
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));

    RunImport();

    ASSERT_EQ(report.Lines().size(), 3u);
    EXPECT_EQ(report.Lines()[0], "Land ermittelt : DL     f\xC3\xBCr DL1AB\xC3\xBC  2023-01-05");
    EXPECT_THAT(report.Lines()[1], StartsWith("Mode skipped: <CALL:6>SM5ABC"));
    EXPECT_THAT(report.Lines()[1], HasSubstr("<NAME:6>J\xC3\xBCRGEN"));
    EXPECT_EQ(report.Lines()[2], "Land undefiniert (DXCC-ID=0) : EA3\xC3\xBC  2023-01-05");
    EXPECT_TRUE(Ticked("DL", kBand20m, kModeCw));
}

class EqslAnswer : public ImportRunTest, public testing::WithParamInterface<bool>
{
};

TEST_P(EqslAnswer, EqslOnlyConfirmationsCountOnlyWhenTheUserSaidSo)
{
    const bool countEqsl = GetParam();
    const auto log = Log(
        "log.adi",
        Contact({{"CALL", "I2ABC"}, {"DXCC", "248"}, {"QSL_RCVD", ""}, {"EQSL_QSL_RCVD", "Y"}}) +
            Contact({{"CALL", "YO3ABC"},
                     {"DXCC", "275"},
                     {"QSL_RCVD", "N"},
                     {"MODE", "SSB"},
                     {"FREQ", "7.150"},
                     {"L_EQSL_RECEIVED", "1"}}));
    ExpectStart(countEqsl, {log});
    const std::string confirmed = countEqsl ? "2" : "0";
    const std::string figures = "2 QSOs importiert, davon " + confirmed + " QSOs bestätigt.";
    if (countEqsl) {
        // The eQSL confirmations tick new cells, which the report names.
        EXPECT_CALL(prompts, AskShowReport(SummaryIs(figures + "\r\n\r\n" +
                                                     std::string(kShowReportQuestion))))
            .WillOnce(Return(false));
    } else {
        EXPECT_CALL(prompts, ShowSummary(SummaryIs(figures)));
    }

    const ImportOutcome outcome = RunImport();

    EXPECT_EQ(outcome.countEqsl, countEqsl);
    EXPECT_EQ(Ticked("I", kBand20m, kModeCw), countEqsl);
    EXPECT_EQ(Ticked("YO", 2, kModeFone), countEqsl);
}

INSTANTIATE_TEST_SUITE_P(ImportRun, EqslAnswer, testing::Bool());

TEST_F(ImportRunTest, UnconfirmedOnlyRunShowsOneLineInformationTicksNothingButMarksTheList)
{
    const auto log =
        Log("log.adi", Contact({{"QSL_RCVD", "N"}}) + Contact({{"QSL_RCVD", "YES"}, {"DXCC", ""}}) +
                           Contact({{"QSL_RCVD", ""}, {"LOTW_QSL_RCVD", "R"}}));
    ExpectStart(false, {log});
    EXPECT_CALL(prompts, ShowSummary(SummaryIs("3 QSOs importiert, davon 0 QSOs bestätigt.")));

    const ImportOutcome outcome = RunImport();

    EXPECT_EQ(TickedCells(), 0);
    EXPECT_TRUE(report.Lines().empty());
    EXPECT_TRUE(matrix.Modified());
    EXPECT_NE(outcome.end, ImportEnd::Cancelled);
}

TEST_F(ImportRunTest, RejectedRecordsAloneBringTheReportQuestion)
{
    const std::string ft4 = Contact({{"CALL", "SM5ABC"}, {"MODE", "FT4"}});
    const auto log = Log("log.adi", ft4 + Contact({}));
    ExpectStart(false, {log});
    EXPECT_CALL(prompts, AskShowReport(SummaryIs(
                             "1 QSOs importiert, davon 1 QSOs bestätigt.\r\n\r\n"
                             "Zeige Liste aller fehlerhaften, unklaren oder ergänzten QSOs ?")))
        .WillOnce(Return(true));

    const ImportOutcome outcome = RunImport();

    EXPECT_EQ(outcome.counters.skipped, 1);
    EXPECT_TRUE(outcome.showReport);
    ASSERT_EQ(report.Lines().size(), 1u);
    EXPECT_THAT(report.Lines()[0], StartsWith("Mode skipped: <CALL:6>SM5ABC"));
    EXPECT_EQ(report.Caption(), "Liste aller übergangenen oder bearbeiteten QSOs");
    EXPECT_TRUE(Ticked("DL", kBand20m, kModeCw));
}

TEST_F(ImportRunTest, AFileWithoutAnyRecordIsNamedInTheReportWhichIsOffered)
{
    const auto sheet = dir.Write("log.csv", "CALL;QSO_DATE;BAND\r\nDL1ABC;20150307;20M\r\n");
    const auto empty = dir.Write("empty.adi", "");
    const auto headerOnly = Log("header.adi", "");
    const auto good = Log("good.adi", Contact({}));
    ExpectStart(false, {sheet, empty, good, headerOnly});
    EXPECT_CALL(prompts, AskShowReport(SummaryIs(
                             "1 QSOs importiert, davon 1 QSOs bestätigt.\r\n\r\n"
                             "Zeige Liste aller fehlerhaften, unklaren oder ergänzten QSOs ?")))
        .WillOnce(Return(true));

    const ImportOutcome outcome = RunImport();

    EXPECT_TRUE(outcome.showReport);
    EXPECT_THAT(report.Lines(), ElementsAre("Keine ADIF-Daten in Datei " + sheet.string(),
                                            "Keine ADIF-Daten in Datei " + empty.string(),
                                            "Keine ADIF-Daten in Datei " + headerOnly.string()));
    EXPECT_TRUE(Ticked("DL", kBand20m, kModeCw));
}

TEST_F(ImportRunTest, CancelledFileChoiceChangesNothing)
{
    ExpectStart(true, {});

    const ImportOutcome outcome = RunImport();

    EXPECT_EQ(outcome.end, ImportEnd::Cancelled);
    EXPECT_FALSE(matrix.Modified());
    EXPECT_TRUE(progress.shown.empty());
}

TEST_F(ImportRunTest, GivenLogsAreReadAfterTheEqslQuestionWithoutTheFileChoice)
{
    const auto log = Log("dropped.adi", Contact({}));
    {
        InSequence order;
        EXPECT_CALL(prompts, AskCountEqsl()).WillOnce(Return(false));
        EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
    }
    EXPECT_CALL(prompts, ChooseLogFiles()).Times(0);

    const ImportOutcome outcome =
        ImportRun(EmbeddedResolver(), matrix, prompts, progress, report, opener)
            .Run(std::vector<std::filesystem::path>{log});

    EXPECT_EQ(outcome.end, ImportEnd::Completed);
    EXPECT_EQ(outcome.counters.imported, 1);
    EXPECT_TRUE(Ticked("DL", kBand20m, kModeCw));
}

TEST_F(ImportRunTest, FileSmallerThan128BytesShowsAFullBar)
{
    const auto log = dir.Write("tiny.adi", Contact({{"CALL", "W1AW"}, {"DXCC", "291"}}));
    ASSERT_LT(std::filesystem::file_size(log), 128u);
    ExpectStart(false, {log});
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));

    RunImport();

    ASSERT_EQ(progress.shown.size(), 1u);
    EXPECT_EQ(progress.shown[0].upper, "Lese ADIF-Log " + log.string());
    EXPECT_EQ(progress.shown[0].lower, "Bitte warten ...");
    EXPECT_EQ(progress.shown[0].percent, 0);
    EXPECT_THAT(progress.steps, ElementsAre(100));
    EXPECT_EQ(progress.hidden, 1);
}

TEST_F(ImportRunTest, ProgressStepsOnlyWhenTheWholePercentageChanges)
{
    std::string records;
    for (int i = 0; i < 1000; ++i) {
        records += Contact({{"QSL_RCVD", "N"}});
    }
    const auto log = dir.Write("big.adi", records);
    ExpectStart(false, {log});
    EXPECT_CALL(prompts, ShowSummary(SummaryIs("1000 QSOs importiert, davon 0 QSOs bestätigt.")));

    RunImport();

    // A CR LF log counts exactly its bytes, so the bar climbs to 100 in single steps.
    ASSERT_FALSE(progress.steps.empty());
    EXPECT_TRUE(std::is_sorted(progress.steps.begin(), progress.steps.end()));
    EXPECT_EQ(std::adjacent_find(progress.steps.begin(), progress.steps.end()),
              progress.steps.end());
    EXPECT_EQ(progress.steps.front(), 1);
    EXPECT_EQ(progress.steps.back(), 100);
    EXPECT_EQ(progress.steps.size(), 100u);
}

TEST_F(ImportRunTest, StopFromTheProgressWindowEndsOnlyTheCurrentFile)
{
    const auto first = dir.Write("first.adi", Contact({{"CALL", "EA3XYZ"}, {"DXCC", "281"}}));
    const auto second = dir.Write("second.adi", Contact({{"CALL", "F5ABC"}, {"DXCC", "227"}}));
    ExpectStart(false, {first, second});
    EXPECT_CALL(prompts,
                AskShowReport(SummaryIs("1 QSOs importiert, davon 1 QSOs bestätigt.\r\n\r\n" +
                                        std::string(kShowReportQuestion))))
        .WillOnce(Return(false));
    progress.stopAtStep = 1;

    RunImport();

    EXPECT_FALSE(Ticked("EA", kBand20m, kModeCw));  // its line was not processed
    EXPECT_TRUE(Ticked("F", kBand20m, kModeCw));
    EXPECT_EQ(progress.hidden, 2);
}

TEST_F(ImportRunTest, FileThatCannotBeOpenedIsPassedOverSilently)
{
    const auto good = Log("good.adi", Contact({}));
    ExpectStart(false, {dir.Path() / "missing.adi", good});
    EXPECT_CALL(prompts,
                AskShowReport(SummaryIs("1 QSOs importiert, davon 1 QSOs bestätigt.\r\n\r\n" +
                                        std::string(kShowReportQuestion))))
        .WillOnce(Return(false));

    const ImportOutcome outcome = RunImport();

    EXPECT_EQ(outcome.end, ImportEnd::Completed);
    EXPECT_TRUE(Ticked("DL", kBand20m, kModeCw));
}

// Chosen or dropped entries that are no files get a report line each, which the summary offers;
// the files among them are imported. A pipe must not make the run wait for a writer.
TEST_F(ImportRunTest, EntriesThatAreNoFilesAreReportedAndTheOthersImported)
{
    const auto good = Log("good.adi", Contact({}));
    const auto folder = dir.Path() / "folder.adi";
    std::filesystem::create_directory(folder);
    std::vector<std::filesystem::path> chosen{folder, good};
    std::vector<std::string> lines{"Übersprungen: " + PathToUtf8(folder) + " ist ein Verzeichnis"};
    if (MakeFifo(dir.Path() / "pipe.adi")) {
        chosen.push_back(dir.Path() / "pipe.adi");
        lines.push_back("Übersprungen: " + PathToUtf8(chosen.back()) + " ist eine Pipe (FIFO)");
    }
    if (MakeDanglingLink(dir.Path() / "X.adi")) {
        chosen.push_back(dir.Path() / "X.adi");
        lines.push_back("Übersprungen: " + PathToUtf8(chosen.back()) +
                        " ist ein Verweis ohne Ziel");
    }
    ExpectStart(false, chosen);
    EXPECT_CALL(prompts, AskShowReport(testing::ResultOf(
                             WithoutNewsLine, StartsWith("1 QSOs importiert, davon 1 QSOs "
                                                         "bestätigt.\r\n\r\nZeige Liste"))))
        .WillOnce(Return(true));

    const ImportOutcome outcome = RunImport();

    EXPECT_EQ(outcome.end, ImportEnd::Completed);
    EXPECT_TRUE(outcome.showReport);
    EXPECT_TRUE(Ticked("DL", kBand20m, kModeCw));
    EXPECT_EQ(report.Lines(), lines);
}

TEST_F(ImportRunTest, ProgressTextIsCutAfter255CharactersWithoutSplittingACharacter)
{
    const std::string longName(300, 'a');
    EXPECT_EQ(ProgressFileText("/" + longName).size(), 255u);
    // 14 bytes of "Lese ADIF-Log ", then "/x", then two-byte characters: the 255th byte is the
    // first half of one.
    std::string umlauts;
    for (int i = 0; i < 150; ++i) {
        umlauts += "ä";
    }
    const std::string text = ProgressFileText(PathFromUtf8("/x" + umlauts));
    EXPECT_EQ(text.size(), 254u);
    EXPECT_THAT(text, EndsWith("ä"));
#ifndef _WIN32
    // Where file names are bytes, the same name in Latin-1 is shown as UTF-8 and cut the same way.
    EXPECT_EQ(ProgressFileText("/x" + std::string(150, '\xE4')), text);
#endif
}

// A log of another station is asked about once per file: No leaves its records of other stations
// out and counts them in the report, which names every station call of the file. The member's
// portable and mobile operation is the member's own.
TEST_F(ImportRunTest, RecordsOfAnotherStationAreAskedAboutOncePerFile)
{
    const auto station = [](std::string_view call, std::string_view dxcc) {
        return Contact({{"CALL", std::string(call)}, {"DXCC", std::string(dxcc)}});
    };
    const auto club =
        Log("club.adi", "<STATION_CALLSIGN:6>DA0XYZ" + station("JA1ABC", "339") +
                            "<OPERATOR:6>da0xyz" + station("VK2ABC", "150") +
                            "<STATION_CALLSIGN:10>EA8/DL1ABC" + station("W1AW", "291"));
    const auto friends = Log("friend.adi", "<STATION_CALLSIGN:6>DK2XY" + station("F5ABC", "227"));
    ExpectStart(false, {club, friends});
    EXPECT_CALL(prompts,
                AskCountOtherStation(testing::Field(&OtherStationQuestion::stationCall, "DA0XYZ")))
        .WillOnce(Return(false));
    EXPECT_CALL(prompts,
                AskCountOtherStation(testing::Field(&OtherStationQuestion::stationCall, "DK2XY")))
        .WillOnce(Return(true));
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));

    const ImportOutcome outcome = RunImport("DL1ABC/P");

    EXPECT_FALSE(Ticked("JA", kBand20m, kModeCw));
    EXPECT_FALSE(Ticked("VK", kBand20m, kModeCw));
    EXPECT_TRUE(Ticked("W", kBand20m, kModeCw)) << "EA8/DL1ABC is the member's own";
    EXPECT_TRUE(Ticked("F", kBand20m, kModeCw)) << "Yes for the second file";
    EXPECT_EQ(outcome.counters.otherStations, 2);
    EXPECT_EQ(outcome.counters.imported, 2);
    EXPECT_THAT(report.Lines(),
                testing::IsSupersetOf(
                    {"Stationsrufzeichen in " + PathToUtf8(club) + ": DA0XYZ 2, EA8/DL1ABC 1",
                     "2 QSOs anderer Stationen ausgelassen: " + PathToUtf8(club),
                     "Stationsrufzeichen in " + PathToUtf8(friends) + ": DK2XY 1"}));

    // Nothing but another station's QSOs, left out: nothing is new, yet the report that says why
    // nothing was imported is offered.
    testing::Mock::VerifyAndClearExpectations(&prompts);
    const auto only = Log("only.adi", "<STATION_CALLSIGN:6>DA0XYZ" + station("JA1ABC", "339"));
    ExpectStart(false, {only});
    EXPECT_CALL(prompts, AskCountOtherStation(_)).WillOnce(Return(false));
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
    EXPECT_EQ(RunImport("DL1ABC").counters.otherStations, 1);
}

TEST_F(ImportRunTest, NothingIsAskedWithoutTheOwnCallOrWithoutAStationField)
{
    const auto other = Log("other.adi", "<STATION_CALLSIGN:6>DA0XYZ" + Contact({}));
    const auto plain = Log("plain.adi", Contact({{"CALL", "JA1ABC"}, {"DXCC", "339"}}));
    ExpectStart(false, {other});
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
    EXPECT_EQ(RunImport("").counters.otherStations, 0);
    testing::Mock::VerifyAndClearExpectations(&prompts);

    ExpectStart(false, {plain});
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
    EXPECT_EQ(RunImport("DL1ABC").counters.imported, 1);
    EXPECT_TRUE(Ticked("JA", kBand20m, kModeCw));
}

}  // namespace
}  // namespace wendrix::test
