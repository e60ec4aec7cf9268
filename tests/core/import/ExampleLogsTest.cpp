// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ImportRunTestSupport.h"
#include "import/Classification.h"
#include "import/ImportRun.h"
#include "lists/LoadList.h"
#include "lists/SaveList.h"
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

    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
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

// The news of the later log, recounted from the matrix before and after it: every cell of the
// list's bands and its all-bands column that was clear and is ticked, grouped by what the entity
// and its band held before.
TEST_F(ExampleLogs, TheNewsAreExactlyTheCellsTheLaterLogAdded)
{
    EXPECT_CALL(prompts, AskTakeEntity(_)).WillOnce(Return(EntityAnswer::YesToAll));
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
    Import("demo.adi");
    const ConfirmationMatrix before = matrix;
    testing::Mock::VerifyAndClearExpectations(&prompts);

    std::string summary;
    EXPECT_CALL(prompts, AskShowReport(_))
        .WillOnce(testing::DoAll(testing::SaveArg<0>(&summary), Return(false)));
    const ImportNews news = Import("later.adi").news;

    std::vector<std::tuple<int, int, int>> expected[3];  // new entity, new band, new slot
    ConfirmationMatrix::CellMarks ticked{};
    for (int entity = 1; entity <= ConfirmationMatrix::kMaxEntities; ++entity) {
        bool entityKnown = false;
        for (int band = 0; band < kBandCount; ++band) {
            entityKnown =
                entityKnown || before.IsTicked(entity, BandIndex{band}, ModeIndex{kModeMixed});
        }
        for (int band = 0; band < kBandCount; ++band) {
            const bool bandKnown = before.IsTicked(entity, BandIndex{band}, ModeIndex{kModeMixed});
            for (int mode = 0; mode < kModeCount; ++mode) {
                const bool added = !before.IsTicked(entity, BandIndex{band}, ModeIndex{mode}) &&
                                   matrix.IsTicked(entity, BandIndex{band}, ModeIndex{mode});
                if (!added) {
                    continue;
                }
                ticked[static_cast<std::size_t>(entity)].set(
                    static_cast<std::size_t>(band * kModeCount + mode));
                // Mixed follows the others; 2 m and up are no bands of the list; the all-bands
                // column speaks only for contacts that tick none of the list's bands.
                if (band >= kListBandCount && band != kAllBands) {
                    continue;
                }
                bool onABand = false;
                for (int b = 0; b < kListBandCount; ++b) {
                    onABand = onABand || (!before.IsTicked(entity, BandIndex{b}, ModeIndex{mode}) &&
                                          matrix.IsTicked(entity, BandIndex{b}, ModeIndex{mode}));
                }
                if (mode == kModeMixed || (band == kAllBands && onABand)) {
                    continue;
                }
                expected[!entityKnown ? 0 : !bandKnown ? 1 : 2].emplace_back(entity, band, mode);
            }
        }
    }
    const auto flatten = [](const std::vector<EntityNews>& group) {
        std::vector<std::tuple<int, int, int>> cells;
        for (const EntityNews& entity : group) {
            for (const NewCell& cell : entity.Cells) {
                cells.emplace_back(entity.Entity, cell.Band, cell.Mode);
            }
        }
        return cells;
    };
    EXPECT_EQ(flatten(news.NewEntities), expected[0]);
    EXPECT_EQ(flatten(news.NewBands), expected[1]);
    EXPECT_EQ(flatten(news.NewSlots), expected[2]);
    EXPECT_FALSE(news.Empty());
    EXPECT_EQ(news.Ticked, ticked);
    EXPECT_EQ(report.News().size(),
              3 + news.NewEntities.size() + news.NewBands.size() + news.NewSlots.size());
    EXPECT_THAT(summary, testing::HasSubstr(NewsSummaryLine(news)));

    // The same log again adds nothing, and says so in one line.
    testing::Mock::VerifyAndClearExpectations(&prompts);
    EXPECT_CALL(prompts, ShowSummary(_));
    const ImportNews again = Import("later.adi").news;
    EXPECT_TRUE(again.Empty());
    EXPECT_EQ(again.Ticked, ConfirmationMatrix::CellMarks{});
    EXPECT_EQ(report.News().size(), 1u);
}

// The member imports this year's download again after a restart: the list saved and read back
// has no cells of 2 m and up, and those must not come back as news each time.
TEST_F(ExampleLogs, LogsImportedAgainIntoTheirListReadBackAddNothing)
{
    EXPECT_CALL(prompts, AskTakeEntity(_)).WillOnce(Return(EntityAnswer::YesToAll));
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
    Import("demo.adi");
    ASSERT_TRUE(matrix.IsTicked(EntityNumber("OE"), BandIndex{10}, ModeIndex{kModeFone}));
    const TempDir directory;
    ASSERT_TRUE(SaveList(directory.Path(), "DA0WDX", EmbeddedCatalogue(), matrix).Ok());
    ASSERT_TRUE(
        LoadList(directory.Path(), "DA0WDX.CFD", ListReadMode::Normal, EmbeddedCatalogue(), matrix)
            .Reading.Ok());
    testing::Mock::VerifyAndClearExpectations(&prompts);

    EXPECT_CALL(prompts, AskTakeEntity(_)).WillOnce(Return(EntityAnswer::YesToAll));
    EXPECT_CALL(prompts, AskShowReport(_)).WillOnce(Return(false));
    const ImportNews again = Import("demo.adi").news;
    EXPECT_TRUE(again.Empty());
}

}  // namespace
}  // namespace wendrix::test
