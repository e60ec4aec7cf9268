// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The figures of one import run and the texts composed from them: the summary shown at the end
// and the lines of the report of skipped, unclear and completed contacts.
namespace wendrix {

struct ImportCounters
{
    std::int64_t imported = 0;        // accepted records, confirmed or not
    std::int64_t confirmed = 0;       // accepted and confirmed
    std::int64_t skipped = 0;         // rejected records
    std::int64_t withoutCode = 0;     // confirmed contacts without a usable DXCC code (or with 0)
    std::int64_t determined = 0;      // entities taken over from the call sign
    std::int64_t unclear = 0;         // confirmed contacts whose entity stays unknown
    std::int64_t bytesSkipped = 0;    // unreadable bytes passed over after Ignore at a read error
    std::int64_t entriesSkipped = 0;  // chosen entries that are no files (directories, pipes)
    std::int64_t filesWithoutRecords = 0;  // logs read to the end without any ADIF record
    std::int64_t otherStations = 0;        // records of other stations left out at the user's word

    friend bool operator==(const ImportCounters&, const ImportCounters&) = default;
};

struct ImportSummary
{
    std::string text;           // lines separated by CR LF
    bool offersReport = false;  // the text ends in the question whether to show the report
};

inline constexpr std::string_view kShowReportQuestion =
    "Zeige Liste aller fehlerhaften, unklaren oder ergänzten QSOs ?";
inline constexpr std::string_view kReportCaption =
    "Liste aller übergangenen oder bearbeiteten QSOs";

[[nodiscard]] ImportSummary BuildImportSummary(const ImportCounters& counters);

// A contact date as the report writes it: 2015-03-07.
[[nodiscard]] std::string FormatContactDate(int year, int month, int day);

// The report lines about a confirmed contact's entity. Each Write function replaces the content
// of out with the line, so that one buffer serves a whole run without new allocations.
struct ReportContact
{
    std::string_view call;
    int year = 0;
    int month = 0;
    int day = 0;
};
// "Land ermittelt : " + the prefix in 6 places + " für " + call + "  " + date
void WriteDeterminedLine(std::string& out, std::string_view mainPrefix, const ReportContact& c);
// "Land unklar    : " + call + "  " + date
void WriteUnclearLine(std::string& out, const ReportContact& c);
// "Land undefiniert (DXCC-ID=0) : " + call + "  " + date
void WriteUndefinedEntityLine(std::string& out, const ReportContact& c);
// "Lesefehler in Datei " + file + ": " + count + " Bytes übersprungen" (" Byte" for one)
void WriteSkippedBytesLine(std::string& out, std::string_view file, std::uint64_t count);
// "Keine ADIF-Daten in Datei " + file
void WriteNoAdifDataLine(std::string& out, std::string_view file);

}  // namespace wendrix
