// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportSummary.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "import/ImportPrompts.h"

namespace wendrix {
namespace {

struct SummaryCase
{
    const char* name;
    ImportCounters counters;
    std::string expected;
    bool offersReport;
};

void PrintTo(const SummaryCase& value, std::ostream* out)
{
    *out << value.name;
}

class SummaryText : public testing::TestWithParam<SummaryCase>
{
};

TEST_P(SummaryText, ListsOnlyTheFiguresThatMatterAndAsksForTheReportWhenThereIsOne)
{
    const SummaryCase& c = GetParam();
    const ImportSummary summary = BuildImportSummary(c.counters);
    EXPECT_EQ(summary.text, c.expected);
    EXPECT_EQ(summary.offersReport, c.offersReport);
}

const std::string kAsk = "\r\n\r\nZeige Liste aller fehlerhaften, unklaren oder ergänzten QSOs ?";

INSTANTIATE_TEST_SUITE_P(
    ImportSummary, SummaryText,
    testing::Values(
        SummaryCase{"NothingRead", {}, "0 QSOs importiert, davon 0 QSOs bestätigt.", false},
        SummaryCase{"UnconfirmedOnly",
                    {.imported = 12},
                    "12 QSOs importiert, davon 0 QSOs bestätigt.",
                    false},
        SummaryCase{"RejectedAloneAsksForTheReport",
                    {.imported = 3, .confirmed = 2, .skipped = 1},
                    "3 QSOs importiert, davon 2 QSOs bestätigt." + kAsk,
                    true},
        SummaryCase{"WithoutCodeAddsThreeLines",
                    {.imported = 1234567,
                     .confirmed = 1000,
                     .withoutCode = 5,
                     .determined = 3,
                     .unclear = 2},
                    "1234567 QSOs importiert, davon 1000 QSOs bestätigt.\r\n"
                    "5 QSOs ohne ADIF-Ländercode.\r\n3 Länder selbst ermittelt.\r\n"
                    "2 Länder unklar." +
                        kAsk,
                    true},
        SummaryCase{"DeterminedAloneAsksForTheReport",
                    {.imported = 1, .confirmed = 1, .withoutCode = 1, .determined = 1},
                    "1 QSOs importiert, davon 1 QSOs bestätigt.\r\n"
                    "1 QSOs ohne ADIF-Ländercode.\r\n1 Länder selbst ermittelt.\r\n"
                    "0 Länder unklar." +
                        kAsk,
                    true}),
    [](const testing::TestParamInfo<SummaryCase>& testInfo) {
        return std::string(testInfo.param.name);
    });

TEST(ImportReportLines, DeterminedLinePadsOrCutsThePrefixToSixCharacters)
{
    const ReportContact contact{"DL1ABC", 2015, 3, 7};
    std::string line = "left over from an earlier line";
    WriteDeterminedLine(line, "DL", contact);
    EXPECT_EQ(line, "Land ermittelt : DL     für DL1ABC  2015-03-07");
    WriteDeterminedLine(line, "3D2/C", {"3D2AB/C", 2015, 3, 7});
    EXPECT_EQ(line, "Land ermittelt : 3D2/C  für 3D2AB/C  2015-03-07");
    WriteDeterminedLine(line, "ABCDEFG", {"X", 1920, 12, 31});
    EXPECT_EQ(line, "Land ermittelt : ABCDEF für X  1920-12-31");
}

TEST(ImportReportLines, UnclearAndUndefinedLinesCarryCallAndDateAfterTwoBlanks)
{
    std::string line;
    WriteUnclearLine(line, {"FO5ABC", 2100, 1, 9});
    EXPECT_EQ(line, "Land unklar    : FO5ABC  2100-01-09");
    WriteUndefinedEntityLine(line, {"K1ABC/MM", 2023, 10, 10});
    EXPECT_EQ(line, "Land undefiniert (DXCC-ID=0) : K1ABC/MM  2023-10-10");
    EXPECT_EQ(FormatContactDate(2015, 3, 7), "2015-03-07");
}

TEST(ImportQuestions, EntityQuestionPutsTheYearInBracketsDirectlyAfterTheCall)
{
    const EntityQuestion question{"VP2E", "VP2E/K1ABC/QRP", 1999};
    EXPECT_EQ(question.Text(), "Land ermittelt : VP2E für VP2E/K1ABC/QRP(1999)");
}

TEST(ImportQuestions, ReadErrorQuestionNamesTheFileOnItsOwnLine)
{
    EXPECT_EQ(ReadErrorQuestionText("/logs/2023.adi"),
              "Lesefehler in Datei /logs/2023.adi\r\nImport abbrechen ?");
}

}  // namespace
}  // namespace wendrix
