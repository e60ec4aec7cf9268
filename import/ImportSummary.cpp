// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportSummary.h"

namespace wendrix {

namespace {
constexpr std::string_view kLineBreak = "\r\n";
}  // namespace

ImportSummary BuildImportSummary(const ImportCounters& counters)
{
    ImportSummary summary;
    std::string& text = summary.text;
    text = std::to_string(counters.imported) + " QSOs importiert, davon " +
           std::to_string(counters.confirmed) + " QSOs bestätigt.";
    if (counters.withoutCode > 0) {
        text += kLineBreak;
        text += std::to_string(counters.withoutCode) + " QSOs ohne ADIF-Ländercode.";
        text += kLineBreak;
        text += std::to_string(counters.determined) + " Länder selbst ermittelt.";
        text += kLineBreak;
        text += std::to_string(counters.unclear) + " Länder unklar.";
    }
    // Bytes passed over at a read error, entries that are no files, files without any record and
    // QSOs of other stations left out are no figures of the summary, but their lines in the
    // report would go unseen without the offer.
    if (counters.skipped > 0 || counters.unclear > 0 || counters.determined > 0 ||
        counters.bytesSkipped > 0 || counters.entriesSkipped > 0 ||
        counters.filesWithoutRecords > 0 || counters.otherStations > 0) {
        text += kLineBreak;
        text += kLineBreak;
        text += kShowReportQuestion;
        summary.offersReport = true;
    }
    return summary;
}

namespace {

// Appends a number of 0..9999 with at least the given number of digits.
void AppendNumber(std::string& out, int value, int digits)
{
    char text[12];
    int length = 0;
    unsigned rest = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        text[length++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0 && length < 10);
    while (length < digits) {
        text[length++] = '0';
    }
    while (length > 0) {
        out += text[--length];
    }
}

void AppendCallAndDate(std::string& out, const ReportContact& c)
{
    out += c.call;
    out += "  ";
    AppendNumber(out, c.year, 1);
    out += '-';
    AppendNumber(out, c.month, 2);
    out += '-';
    AppendNumber(out, c.day, 2);
}

}  // namespace

std::string FormatContactDate(int year, int month, int day)
{
    std::string text;
    AppendNumber(text, year, 1);
    text += '-';
    AppendNumber(text, month, 2);
    text += '-';
    AppendNumber(text, day, 2);
    return text;
}

void WriteDeterminedLine(std::string& out, std::string_view mainPrefix, const ReportContact& c)
{
    constexpr std::size_t kPrefixWidth = 6;
    out.assign("Land ermittelt : ");
    const std::string_view shown = mainPrefix.substr(0, kPrefixWidth);
    out += shown;
    out.append(kPrefixWidth - shown.size(), ' ');
    out += " für ";
    AppendCallAndDate(out, c);
}

void WriteUnclearLine(std::string& out, const ReportContact& c)
{
    out.assign("Land unklar    : ");
    AppendCallAndDate(out, c);
}

void WriteUndefinedEntityLine(std::string& out, const ReportContact& c)
{
    out.assign("Land undefiniert (DXCC-ID=0) : ");
    AppendCallAndDate(out, c);
}

void WriteSkippedBytesLine(std::string& out, std::string_view file, std::uint64_t count)
{
    out.assign("Lesefehler in Datei ");
    out += file;
    out += ": ";
    out += std::to_string(count);
    out += count == 1 ? " Byte übersprungen" : " Bytes übersprungen";
}

void WriteNoAdifDataLine(std::string& out, std::string_view file)
{
    out.assign("Keine ADIF-Daten in Datei ");
    out += file;
}

}  // namespace wendrix
