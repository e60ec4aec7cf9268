// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "common/Dates.h"

namespace wendrix {

// One accepted QSO of a log, as the reader hands it to the import run.
struct ContactRecord
{
    static constexpr std::size_t kCallLength = 15;  // longer calls are cut
    static constexpr std::uint8_t kConfirmedFlag = 0x20;

    std::uint8_t Day = 0;     // 1..31
    std::uint8_t Month = 0;   // 1..12
    std::uint16_t Year = 0;   // 1920..2100
    std::uint8_t Minute = 0;  // 0..59
    std::uint8_t Hour = 0;    // 0..23
    std::string Call;         // trimmed, upper-cased, at most kCallLength characters
    std::uint8_t Band = 0;    // BandIndex 0..17; 17 = outside every band of the plan
    std::uint8_t Mode = 0;    // ModeCode 0..30
    std::uint8_t Flags = 0;   // only kConfirmedFlag is ever set by the reader
    // The contact's entity as the log's DXCC field names it (its catalogue number); 0 when the
    // log names none, and the entity is to be found from the call sign.
    std::uint16_t Entity = 0;
    // The log declared DXCC number 0 (no entity, such as maritime mobile): nothing to find.
    bool NoEntityDeclared = false;
    // Whose log it is: STATION_CALLSIGN, else OPERATOR, upper case; empty when the log says
    // neither.
    std::string StationCall;

    [[nodiscard]] bool IsConfirmed() const { return (Flags & kConfirmedFlag) != 0; }
    // The contact date as year * 10000 + month * 100 + day.
    [[nodiscard]] DateKey Date() const { return MakeDateKey(Year, Month, Day); }

    // Numbers 0, texts empty, flags empty. Keeps the capacity of the texts.
    void Clear()
    {
        Day = Month = Minute = Hour = Band = Mode = Flags = 0;
        Year = 0;
        Call.clear();
        Entity = 0;
        NoEntityDeclared = false;
        StationCall.clear();
    }
};

}  // namespace wendrix
