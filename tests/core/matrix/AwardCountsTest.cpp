// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "matrix/AwardCounts.h"

namespace wendrix {
namespace {

TEST(AwardCounts, EmptyMatrixCountsNothing)
{
    const ConfirmationMatrix matrix;
    const AwardCounts counts = ComputeAwardCounts(matrix.ColumnSums());
    EXPECT_EQ(counts.FiveBandMixed, 0);
    EXPECT_EQ(counts.NineBandMixed, 0);
    EXPECT_EQ(counts.TenBandMixed, 0);
    EXPECT_EQ(counts.Slot26, 0);
}

TEST(AwardCounts, BandsAndSlotsAreCountedPerBandNotPerEntity)
{
    ConfirmationMatrix matrix;
    matrix.SetCell(1, BandIndex{kBand30m}, ModeIndex{kModeCw}, CellOperation::Set);
    matrix.SetCell(1, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
    AwardCounts counts = ComputeAwardCounts(matrix.ColumnSums());
    EXPECT_EQ(counts.NineBandMixed, 2);
    EXPECT_EQ(counts.TenBandMixed, 2);
    EXPECT_EQ(counts.FiveBandMixed, 1);
    EXPECT_EQ(counts.Slot26, 2);

    matrix.ClearMatrix();
    matrix.SetCell(2, BandIndex{9}, ModeIndex{kModeRtty}, CellOperation::Set);  // 6 m
    matrix.SetCell(2, BandIndex{10}, ModeIndex{kModeCw}, CellOperation::Set);  // 2 m counts nowhere
    matrix.SetCell(3, BandIndex{kAllBands}, ModeIndex{kModeCw}, CellOperation::Set);
    counts = ComputeAwardCounts(matrix.ColumnSums());
    EXPECT_EQ(counts.TenBandMixed, 1);
    EXPECT_EQ(counts.NineBandMixed, 0);
    EXPECT_EQ(counts.FiveBandMixed, 0);
    EXPECT_EQ(counts.Slot26, 0);
}

TEST(AwardCounts, EveryClassOnEveryHfBandGivesTwentySixSlots)
{
    ConfirmationMatrix matrix;
    for (int band = 0; band <= 8; ++band) {
        for (const int mode : {kModeCw, kModeFone, kModeRtty}) {
            matrix.SetCell(5, BandIndex{band}, ModeIndex{mode}, CellOperation::Set);
            matrix.SetCell(6, BandIndex{band}, ModeIndex{mode}, CellOperation::Set);
        }
    }
    // A hand-edited list may carry the 30 m Fone mark; it still takes no slot.
    matrix.WriteCell(5, BandIndex{kBand30m}, ModeIndex{kModeFone}, 1);
    const AwardCounts counts = ComputeAwardCounts(matrix.ColumnSums());
    EXPECT_EQ(counts.Slot26, 52);
    EXPECT_EQ(counts.NineBandMixed, 18);
    EXPECT_EQ(counts.FiveBandMixed, 10);
}

TEST(ColumnFigures, MixedPlainOthersPaddedThirtyMetreFoneBlank)
{
    ConfirmationMatrix matrix;
    for (int e = 1; e <= 123; ++e) {
        matrix.SetCell(e, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
    }
    matrix.SetCell(1, BandIndex{kBand20m}, ModeIndex{kModeFone}, CellOperation::Set);
    const auto& sums = matrix.ColumnSums();
    EXPECT_EQ(ColumnFigureText(sums, kBand20m, kModeMixed), "123");
    EXPECT_EQ(ColumnFigureText(sums, kBand20m, kModeCw), "123");
    EXPECT_EQ(ColumnFigureText(sums, kBand20m, kModeFone), "  1");
    EXPECT_EQ(ColumnFigureText(sums, kBand20m, kModeRtty), "  0");
    EXPECT_EQ(ColumnFigureText(sums, 2, kModeMixed), "0");
    EXPECT_EQ(ColumnFigureText(sums, kBand30m, kModeFone), "");
}

TEST(PercentageText, RoundsHalvesToEven)
{
    struct Case
    {
        std::uint32_t confirming;
        std::uint32_t counted;
        const char* text;
    };
    const Case cases[] = {
        {0, 5, "-"},   {1, 8, " 12"}, {1, 40, "  2"},  {3, 8, " 38"},   {5, 5, "100"},
        {2, 3, " 67"}, {1, 3, " 33"}, {1, 200, "  0"}, {7, 100, "  7"}, {42, 100, " 42"},
    };
    for (const auto& c : cases) {
        const auto text = PercentageText(c.confirming, c.counted);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.text) << c.confirming << "/" << c.counted;
    }
    EXPECT_FALSE(PercentageText(0, 0).has_value()) << "no counted list, no percentage";
}

}  // namespace
}  // namespace wendrix
