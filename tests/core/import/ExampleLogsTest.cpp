// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ImportRunTestSupport.h"
#include "import/Classification.h"
#include "import/ImportRun.h"
#include "matrix/Bands.h"
#include "support/ImportReportLines.h"
#include "support/TempDir.h"

namespace wendrix::test {
namespace {

using testing::_;
using testing::Return;
using testing::StrictMock;

std::filesystem::path ExampleLog(std::string_view name)
{
    return TestDataPath("../../examples") / std::filesystem::path(name);
}

class ExampleLogs : public testing::Test
{
protected:
    ImportOutcome Import(std::string_view name)
    {
        EXPECT_CALL(prompts, AskCountEqsl()).WillOnce(Return(false));
        EXPECT_CALL(prompts, ChooseLogFiles())
            .WillOnce(Return(std::vector<std::filesystem::path>{ExampleLog(name)}));
        return ImportRun(EmbeddedResolver(), matrix, prompts, progress, report, opener).Run();
    }

    [[nodiscard]] std::size_t LinesStartingWith(std::string_view start) const
    {
        return static_cast<std::size_t>(
            std::count_if(report.Lines().begin(), report.Lines().end(),
                          [&](const std::string& line) { return line.starts_with(start); }));
    }

    StrictMock<MockImportPrompts> prompts;
    RecordingProgress progress;
    ImportReportLines report;
    DiskLogSourceOpener opener;
    ConfirmationMatrix matrix;
};

TEST_F(ExampleLogs, DemoLogShowsEveryKindOfReportLine)
{
    EXPECT_CALL(prompts, AskTakeEntity(_)).WillOnce(Return(EntityAnswer::YesToAll));
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));

    const ImportOutcome outcome = Import("demo.adi");

    for (const std::string_view reason :
         {kModeSkippedReason, kUnknownBandReason, kWrongYearReason, kWrongMonthReason,
          kWrongDayReason, kWrongHourReason, kWrongMinuteReason, kCallMissingReason}) {
        EXPECT_EQ(LinesStartingWith(reason), 1u) << reason;
    }
    EXPECT_EQ(LinesStartingWith("Land undefiniert (DXCC-ID=0) : "), 1u);
    EXPECT_GE(LinesStartingWith("Land ermittelt : "), 3u);
    EXPECT_GE(LinesStartingWith("Land unklar    : "), 1u);
    EXPECT_GT(outcome.counters.imported, outcome.counters.confirmed);
    // Contacts outside the band plan reach the all-bands column without any band cell.
    const int england = EntityNumber("G");
    EXPECT_TRUE(matrix.IsTicked(england, BandIndex{kAllBands}, ModeIndex{kModeFone}));
    for (int band = 0; band < kPlanBandCount; ++band) {
        EXPECT_FALSE(matrix.IsTicked(england, BandIndex{band}, ModeIndex{kModeFone})) << band;
    }
    // Confirmed only by eQSL, which was not counted.
    EXPECT_FALSE(matrix.IsTicked(EntityNumber("I"), BandIndex{kAllBands}, ModeIndex{kModeMixed}));
}

TEST_F(ExampleLogs, LaterLogAddsConfirmationsAndNeverRemovesOne)
{
    EXPECT_CALL(prompts, AskTakeEntity(_)).WillOnce(Return(EntityAnswer::YesToAll));
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
    Import("demo.adi");
    std::vector<ConfirmationMatrix::CellRow> before;
    for (int entity = 0; entity <= ConfirmationMatrix::kMaxEntities; ++entity) {
        before.push_back(matrix.Row(entity));
    }
    testing::Mock::VerifyAndClearExpectations(&prompts);

    EXPECT_CALL(prompts, ShowSummary(_));
    Import("later.adi");

    int added = 0;
    for (int entity = 0; entity <= ConfirmationMatrix::kMaxEntities; ++entity) {
        for (int band = 0; band < kBandCount; ++band) {
            for (int mode = 0; mode < kModeCount; ++mode) {
                const bool was =
                    before[static_cast<std::size_t>(entity)][static_cast<std::size_t>(band)]
                          [static_cast<std::size_t>(mode)] != 0;
                const bool is = matrix.IsTicked(entity, BandIndex{band}, ModeIndex{mode});
                EXPECT_FALSE(was && !is) << entity << " " << band << " " << mode;
                added += (!was && is) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(added, 0);
    EXPECT_TRUE(matrix.IsTicked(EntityNumber("UA3"), BandIndex{kBand20m}, ModeIndex{kModeCw}));
    EXPECT_TRUE(matrix.IsTicked(EntityNumber("VE"), BandIndex{1}, ModeIndex{kModeCw}));
    EXPECT_TRUE(matrix.IsTicked(EntityNumber("DL"), BandIndex{12}, ModeIndex{kModeCw}));
}

}  // namespace
}  // namespace wendrix::test
