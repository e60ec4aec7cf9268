#include "import/ImportSummary.h"

#include "common/Text.h"

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
    if (counters.skipped > 0 || counters.unclear > 0 || counters.determined > 0) {
        text += kLineBreak;
        text += kLineBreak;
        text += kShowReportQuestion;
        summary.offersReport = true;
    }
    return summary;
}

std::string FormatContactDate(int year, int month, int day)
{
    return std::to_string(year) + "-" + PadLeftZeros(std::to_string(month), 2) + "-" +
           PadLeftZeros(std::to_string(day), 2);
}

std::string DeterminedLine(std::string_view mainPrefix, std::string_view call,
                           std::string_view date)
{
    std::string line = "Land ermittelt : ";
    line += PadRightFixed(mainPrefix, 6);
    line += " für ";
    line += call;
    line += "  ";
    line += date;
    return line;
}

std::string UnclearLine(std::string_view call, std::string_view date)
{
    std::string line = "Land unklar    : ";
    line += call;
    line += "  ";
    line += date;
    return line;
}

std::string UndefinedEntityLine(std::string_view call, std::string_view date)
{
    std::string line = "Land undefiniert (DXCC-ID=0) : ";
    line += call;
    line += "  ";
    line += date;
    return line;
}

}  // namespace wendrix
