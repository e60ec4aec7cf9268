// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "matrix/MatrixEditing.h"

namespace wendrix {
namespace {

constexpr int kEntityCount = 339;
constexpr int kRow = 12;

bool Ticked(const ConfirmationMatrix& matrix, int entity, int band, int mode)
{
    return matrix.IsTicked(entity, BandIndex{band}, ModeIndex{mode});
}

PopupTarget RowTarget(int entity)
{
    return PopupTarget{entity, std::nullopt, ModeIndex{kModeCw}};
}

PopupTarget CellTarget(int entity, int band, int mode)
{
    return PopupTarget{entity, BandIndex{band}, ModeIndex{mode}};
}

struct AvailabilityCase
{
    const char* name;
    PopupTarget target;
    bool columnItems;
    bool rowItems;
};

class PopupAvailability : public testing::TestWithParam<AvailabilityCase>
{
};

TEST_P(PopupAvailability, ColumnItemsNeedAHitCountColumnAndRowItemsARow)
{
    const AvailabilityCase& c = GetParam();
    EXPECT_EQ(IsAvailable(PopupCommand::ColumnSetAll, c.target), c.columnItems);
    EXPECT_EQ(IsAvailable(PopupCommand::ColumnResetAll, c.target), c.columnItems);
    for (const PopupCommand command :
         {PopupCommand::RowSetAll, PopupCommand::RowSetCw, PopupCommand::RowSetFone,
          PopupCommand::RowSetRtty, PopupCommand::RowResetAll}) {
        EXPECT_EQ(IsAvailable(command, c.target), c.rowItems);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, PopupAvailability,
    testing::Values(AvailabilityCase{"CountColumn", CellTarget(kRow, 4, kModeCw), true, true},
                    AvailabilityCase{"AllBandsColumn", CellTarget(1, kAllBands, kModeMixed), true,
                                     true},
                    AvailabilityCase{"PrefixOrNameColumn", RowTarget(kRow), false, true},
                    AvailabilityCase{"BelowTheLastRow", PopupTarget{}, false, false},
                    AvailabilityCase{"BandWithoutRow", CellTarget(0, 4, kModeCw), false, false}),
    [](const testing::TestParamInfo<AvailabilityCase>& param) { return param.param.name; });

TEST(MatrixEditing, ColumnWithoutHitBandChangesNothing)
{
    // A right click in the name column must not act on 160 m CW (band 0, mode 0).
    ConfirmationMatrix matrix;
    ApplyPopupCommand(matrix, kEntityCount, RowTarget(kRow), PopupCommand::ColumnSetAll);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{0}, ModeIndex{kModeCw}), 0);
    EXPECT_FALSE(matrix.Modified());
}

TEST(MatrixEditing, RowCommandsWithoutRowChangeNothing)
{
    ConfirmationMatrix matrix;
    ApplyPopupCommand(matrix, kEntityCount, PopupTarget{}, PopupCommand::RowSetAll);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}), 0);
    EXPECT_FALSE(matrix.Modified());
}

TEST(MatrixEditing, ColumnSetTicksEveryEntityOfTheCatalogueAndNoFurther)
{
    ConfirmationMatrix matrix;
    ApplyPopupCommand(matrix, kEntityCount, CellTarget(kRow, 6, kModeRtty),
                      PopupCommand::ColumnSetAll);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{6}, ModeIndex{kModeRtty}), kEntityCount);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{6}, ModeIndex{kModeMixed}), kEntityCount);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeRtty}), kEntityCount);
    EXPECT_TRUE(Ticked(matrix, 1, 6, kModeRtty));
    EXPECT_FALSE(Ticked(matrix, kEntityCount + 1, 6, kModeRtty));
    EXPECT_TRUE(matrix.Modified());
}

TEST(MatrixEditing, ColumnSetOnTheAllBandsColumnTicksNoBand)
{
    ConfirmationMatrix matrix;
    ApplyPopupCommand(matrix, kEntityCount, CellTarget(kRow, kAllBands, kModeFone),
                      PopupCommand::ColumnSetAll);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeFone}), kEntityCount);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}), kEntityCount);
    for (int band = 0; band < kPlanBandCount; ++band) {
        EXPECT_EQ(matrix.ColumnSum(BandIndex{band}, ModeIndex{kModeMixed}), 0) << band;
    }
}

TEST(MatrixEditing, ColumnResetOfMixedClearsTheWholeBandInEveryRow)
{
    ConfirmationMatrix matrix;
    for (const int entity : {1, kRow, kEntityCount}) {
        matrix.SetCell(entity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
        matrix.SetCell(entity, BandIndex{kBand20m}, ModeIndex{kModeRtty}, CellOperation::Set);
    }
    matrix.SetCell(kRow, BandIndex{2}, ModeIndex{kModeCw}, CellOperation::Set);
    ApplyPopupCommand(matrix, kEntityCount, CellTarget(kRow, kBand20m, kModeMixed),
                      PopupCommand::ColumnResetAll);
    for (int mode = 0; mode < kModeCount; ++mode) {
        EXPECT_EQ(matrix.ColumnSum(BandIndex{kBand20m}, ModeIndex{mode}), 0) << mode;
    }
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}), 1);
    EXPECT_TRUE(Ticked(matrix, kRow, kAllBands, kModeCw));
}

TEST(MatrixEditing, RowFoneTicksNineOfTheTenShownBands)
{
    ConfirmationMatrix matrix;
    ApplyPopupCommand(matrix, kEntityCount, RowTarget(kRow), PopupCommand::RowSetFone);
    for (int band = 0; band < kListBandCount; ++band) {
        const bool expected = band != kBand30m;
        EXPECT_EQ(Ticked(matrix, kRow, band, kModeFone), expected) << band;
        EXPECT_EQ(Ticked(matrix, kRow, band, kModeMixed), expected) << band;
        EXPECT_FALSE(Ticked(matrix, kRow, band, kModeCw)) << band;
    }
    EXPECT_TRUE(Ticked(matrix, kRow, kAllBands, kModeFone));
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}), 1);
}

TEST(MatrixEditing, RowSetAllCoversOnlyTheShownBandsOfItsRow)
{
    ConfirmationMatrix matrix;
    ApplyPopupCommand(matrix, kEntityCount, CellTarget(kRow, 9, kModeRtty),
                      PopupCommand::RowSetAll);
    for (int band = 0; band < kListBandCount; ++band) {
        for (int mode = 0; mode < kModeCount; ++mode) {
            EXPECT_EQ(Ticked(matrix, kRow, band, mode), IsUsableCell(band, mode))
                << band << "/" << mode;
        }
    }
    for (int band = kListBandCount; band < kPlanBandCount; ++band) {
        EXPECT_FALSE(Ticked(matrix, kRow, band, kModeMixed)) << band;
    }
    EXPECT_EQ(matrix.ColumnSum(BandIndex{0}, ModeIndex{kModeMixed}), 1);
}

TEST(MatrixEditing, RowResetLeavesTheBandsAbove6mAndTheirAllBandsCells)
{
    ConfirmationMatrix matrix;
    constexpr int kBand2m = 10;
    matrix.SetCell(kRow, BandIndex{kBand2m}, ModeIndex{kModeCw}, CellOperation::Set);
    ApplyPopupCommand(matrix, kEntityCount, RowTarget(kRow), PopupCommand::RowSetAll);
    ApplyPopupCommand(matrix, kEntityCount, RowTarget(kRow), PopupCommand::RowResetAll);
    for (int band = 0; band < kListBandCount; ++band) {
        EXPECT_FALSE(Ticked(matrix, kRow, band, kModeMixed)) << band;
    }
    EXPECT_TRUE(Ticked(matrix, kRow, kBand2m, kModeCw));
    EXPECT_TRUE(Ticked(matrix, kRow, kAllBands, kModeCw));
    EXPECT_TRUE(Ticked(matrix, kRow, kAllBands, kModeMixed));
    EXPECT_FALSE(Ticked(matrix, kRow, kAllBands, kModeFone));
}

}  // namespace
}  // namespace wendrix
