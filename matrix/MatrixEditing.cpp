// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/MatrixEditing.h"

#include <array>

namespace wendrix {

namespace {

constexpr std::array<int, 4> kRowModeOrder{kModeCw, kModeFone, kModeRtty, kModeMixed};

bool IsColumnCommand(PopupCommand command)
{
    return command == PopupCommand::ColumnSetAll || command == PopupCommand::ColumnResetAll;
}

void SetColumn(ConfirmationMatrix& matrix, int entityCount, BandIndex band, ModeIndex mode,
               CellOperation operation)
{
    for (int entity = 1; entity <= entityCount; ++entity) {
        matrix.SetCell(entity, band, mode, operation);
    }
}

void SetRowMode(ConfirmationMatrix& matrix, int entity, int mode, CellOperation operation)
{
    for (int band = 0; band < kListBandCount; ++band) {
        matrix.SetCell(entity, BandIndex{band}, ModeIndex{mode}, operation);
    }
}

void SetRowAllModes(ConfirmationMatrix& matrix, int entity, CellOperation operation)
{
    for (int band = 0; band < kListBandCount; ++band) {
        for (const int mode : kRowModeOrder) {
            matrix.SetCell(entity, BandIndex{band}, ModeIndex{mode}, operation);
        }
    }
}

}  // namespace

bool IsAvailable(PopupCommand command, const PopupTarget& target)
{
    return IsColumnCommand(command) ? target.HasColumn() : target.HasRow();
}

void ApplyPopupCommand(ConfirmationMatrix& matrix, int entityCount, const PopupTarget& target,
                       PopupCommand command)
{
    if (!IsAvailable(command, target)) {
        return;
    }
    switch (command) {
    case PopupCommand::ColumnSetAll:
        SetColumn(matrix, entityCount, *target.band, target.mode, CellOperation::Set);
        break;
    case PopupCommand::ColumnResetAll:
        SetColumn(matrix, entityCount, *target.band, target.mode, CellOperation::Clear);
        break;
    case PopupCommand::RowSetAll:
        SetRowAllModes(matrix, target.entity, CellOperation::Set);
        break;
    case PopupCommand::RowSetCw:
        SetRowMode(matrix, target.entity, kModeCw, CellOperation::Set);
        break;
    case PopupCommand::RowSetFone:
        SetRowMode(matrix, target.entity, kModeFone, CellOperation::Set);
        break;
    case PopupCommand::RowSetRtty:
        SetRowMode(matrix, target.entity, kModeRtty, CellOperation::Set);
        break;
    case PopupCommand::RowResetAll:
        SetRowAllModes(matrix, target.entity, CellOperation::Clear);
        break;
    }
}

}  // namespace wendrix
