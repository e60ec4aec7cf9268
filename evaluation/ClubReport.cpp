// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/ClubReport.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "common/Text.h"
#include "common/Utf8Path.h"
#include "lists/ListFiles.h"
#include "matrix/Bands.h"

namespace wendrix {

namespace {

// Heat map columns in the result file's order: all bands, then 160 m to 6 m.
constexpr std::array<int, kResultColumns> kColumnBands{kAllBands, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr std::array<std::string_view, 4> kModeNames{"CW", "Fone", "RTTY", "Mixed"};

// Kept short: with thousands of participants the league table is most of the page.
constexpr std::string_view kStyle = R"(
body{font:13px/1.35 "Liberation Sans",Arial,Helvetica,sans-serif;color:#222;margin:1.5em}
h1{font-size:1.6em;margin:0 0 .2em}h2{font-size:1.2em;margin:1.4em 0 .4em}
table{border-collapse:collapse}th,td{padding:1px 4px;text-align:right}
th{background:#eee;font-weight:600}td.t,th.t{text-align:left}
.k td,.k th,.l td,.l th,.r td,.r th{border:1px solid #ccc}
.note{color:#555}.bad{color:#a00}
.hm td{border:1px solid #fff;min-width:2.6em;font-size:11px}
.hm td.t{font-size:12px;border:0;white-space:nowrap}
.hm tr.none td.t{color:#999}
.h0{background:#fafafa}.h1{background:#ffffcc}.h2{background:#ffeda0}.h3{background:#fed976}
.h4{background:#feb24c}.h5{background:#fd8d3c}.h6{background:#fc4e2a;color:#fff}
.h7{background:#e31a1c;color:#fff}.h8{background:#bd0026;color:#fff}
.h9{background:#990026;color:#fff}.h10{background:#800026;color:#fff}
.hm span{display:none}.two{display:flex;gap:3em;flex-wrap:wrap}
.scale span{display:inline-block;width:2.6em;text-align:center;font-size:11px}
@media print{@page{size:A4 landscape;margin:8mm}body{margin:0;font-size:9px}
.hm td{font-size:7px;min-width:0;padding:0 1px}.hm td.t{font-size:7px}
.hm span{display:block;font-size:5.5px}h2{break-after:avoid}tr{break-inside:avoid}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}}
)";

void Append(std::string& out, std::string_view text)
{
    out.append(text);
}

void AppendNumber(std::string& out, long long value)
{
    out += std::to_string(value);
}

void AppendSigned(std::string& out, int value)
{
    if (value > 0) {
        out += '+';
    } else if (value < 0) {
        out += "\u2212";  // a real minus sign
        value = -value;
    }
    out += std::to_string(value);
}

void AppendCell(std::string& out, std::string_view tag, std::string_view text,
                std::string_view cls = {})
{
    out += '<';
    out += tag;
    if (!cls.empty()) {
        out += " class=\"";
        out += cls;
        out += '"';
    }
    out += '>';
    out += text;
    out += "</";
    out += tag;
    out += '>';
}

[[nodiscard]] std::string ColumnLabel(int band)
{
    return band == kAllBands ? std::string("Alle")
                             : std::string(Trim(kBandLabels[static_cast<std::size_t>(band)]));
}

// The shares of one entity as the result file has them, per heat map column and in the file's
// mode order (Mixed, CW, Fone, RTTY).
[[nodiscard]] ResultRow SharesOf(const Evaluation& figures, int entity)
{
    ResultRow row{};
    for (std::size_t c = 0; c < kResultColumns; ++c) {
        for (std::size_t k = 0; k < kDisplayModeOrder.size(); ++k) {
            const std::string text =
                figures.PerMilleText(entity, kColumnBands[c], kDisplayModeOrder[k]);
            row[c][k] = static_cast<std::int16_t>(ReadIntInRange(Trim(text), 0, 1000).value_or(0));
        }
    }
    return row;
}

struct EntityRow
{
    int Entity = 0;
    const EntityRecord* Record = nullptr;
    ResultRow Shares{};
    int Confirming = 0;  // counted lists confirming it on any band (Mixed)
    const ResultRow* Previous = nullptr;
};

// One row per main prefix, as the result file has them.
[[nodiscard]] std::vector<EntityRow> EntityRows(const ClubReportInput& input,
                                                const PreviousResult* previous)
{
    std::vector<EntityRow> rows;
    const auto count = input.Catalogue.EntityCount();
    rows.reserve(count);
    for (std::uint16_t e = 1; e <= count; ++e) {
        const EntityRecord& record = input.Catalogue.Entity(e);
        if (e > 1 && record.MainPrefix ==
                         input.Catalogue.Entity(static_cast<std::uint16_t>(e - 1)).MainPrefix) {
            continue;
        }
        EntityRow row;
        row.Entity = e;
        row.Record = &record;
        row.Shares = SharesOf(input.Figures, e);
        row.Confirming = input.Figures.EntityParticipantCounts(e, kAllBands, kModeMixed);
        if (previous != nullptr) {
            const auto found = previous->Rows.find(record.MainPrefix);
            if (found != previous->Rows.end()) {
                row.Previous = &found->second;
            }
        }
        rows.push_back(row);
    }
    return rows;
}

void AppendEntityName(std::string& out, const EntityRow& row)
{
    AppendCell(out, "td", EscapeHtml(row.Record->MainPrefix), "t");
    AppendCell(out, "td", EscapeHtml(row.Record->Name), "t");
}

void AppendHead(std::string& out, const ClubReportInput& input, const PreviousResultLoad* previous)
{
    Append(out, "<h1>DXCC-Umfrage ");
    Append(out, EscapeHtml(input.FolderName));
    Append(out, "</h1>\n<p class=\"note\">Auswertung vom ");
    Append(out, EscapeHtml(input.Date));
    Append(out, " \u00b7 ");
    AppendNumber(out, static_cast<long long>(input.Run.FilesRead));
    Append(out, input.Run.FilesRead == 1 ? " Liste gelesen" : " Listen gelesen");
    if (input.Run.LimitReached) {
        Append(out, " (nur die ersten ");
        AppendNumber(out, static_cast<long long>(kMaxEvaluatedFiles));
        Append(out, ")");
    }
    if (input.Run.Duplicates > 0) {
        Append(out, " \u00b7 ");
        AppendNumber(out, static_cast<long long>(input.Run.Duplicates));
        Append(out, " doppelte Listen nicht gezählt");
    }
    if (input.Run.EntriesSkipped > 0) {
        Append(out, " \u00b7 ");
        AppendNumber(out, static_cast<long long>(input.Run.EntriesSkipped));
        Append(out, " Einträge ohne Listendaten übersprungen");
    }
    Append(out, "</p>\n");
    if (!input.Run.ReadErrors.empty()) {
        if (input.Anonymous) {
            Append(out, "<p class=\"bad\">");
            AppendNumber(out, static_cast<long long>(input.Run.ReadErrors.size()));
            Append(out, input.Run.ReadErrors.size() == 1
                            ? " Liste war nicht vollständig lesbar.</p>\n"
                            : " Listen waren nicht vollständig lesbar.</p>\n");
        } else {
            Append(out, "<ul class=\"bad\" id=\"unreadable\">\n");
            for (const auto& path : input.Run.ReadErrors) {
                Append(out, "<li>");
                Append(out, EscapeHtml(ReadErrorText(path)));
                Append(out, "</li>\n");
            }
            Append(out, "</ul>\n");
        }
    }
    if (previous != nullptr && !previous->Ok()) {
        Append(out, "<p class=\"bad\" id=\"previous-problem\">");
        Append(out,
               EscapeHtml(input.Anonymous
                              ? std::string("Vorjahresergebnis nicht verwendbar, kein Vergleich.")
                              : previous->Message()));
        Append(out, "</p>\n");
    }

    // Thresholds and counted lists per column.
    Append(out, "<h2>Schwellwerte und gewertete Listen</h2>\n<table class=\"k\" "
                "id=\"counted\">\n<tr><th class=\"t\"></th>");
    for (const int band : kColumnBands) {
        AppendCell(out, "th", ColumnLabel(band));
    }
    Append(out, "</tr>\n<tr><th class=\"t\">Schwellwert</th>");
    for (const int band : kColumnBands) {
        AppendCell(out, "td", std::to_string(input.Thresholds.For(band)));
    }
    Append(out, "</tr>\n");
    for (const int mode : kDisplayModeOrder) {
        Append(out, "<tr><th class=\"t\">Gewertet ");
        Append(out, kModeNames[static_cast<std::size_t>(mode)]);
        Append(out, "</th>");
        for (const int band : kColumnBands) {
            AppendCell(out, "td", std::to_string(input.Figures.ParticipantCounts(band, mode)));
        }
        Append(out, "</tr>\n");
    }
    Append(out, "</table>\n");
}

[[nodiscard]] int Level(int perMille)
{
    return perMille <= 0 ? 0 : (perMille + 99) / 100;
}

void AppendHeatCell(std::string& out, const EntityRow& row, std::size_t column)
{
    const auto& shares = row.Shares[column];
    out += "<td class=\"h";
    AppendNumber(out, Level(shares[0]));
    out += "\" title=\"";
    for (std::size_t k = 0; k < 4; ++k) {
        if (k > 0) {
            out += ", ";
        }
        out += kModeNames[static_cast<std::size_t>(kDisplayModeOrder[k])];
        out += ' ';
        AppendNumber(out, shares[k]);
        out += " \u2030";
    }
    if (row.Previous != nullptr) {
        out += "; zum Vorjahr:";
        for (std::size_t k = 0; k < 4; ++k) {
            out += k > 0 ? ", " : " ";
            out += kModeNames[static_cast<std::size_t>(kDisplayModeOrder[k])];
            out += ' ';
            AppendSigned(out, shares[k] - (*row.Previous)[column][k]);
        }
        out += " \u2030";
    }
    out += "\">";
    if (shares[0] > 0) {
        AppendNumber(out, shares[0]);
        out += "<span>";
        for (std::size_t k = 1; k < 4; ++k) {
            if (k > 1) {
                out += "\u00b7";
            }
            AppendNumber(out, shares[k]);
        }
        out += "</span>";
    }
    out += "</td>";
}

void AppendHeatMap(std::string& out, const std::vector<EntityRow>& rows)
{
    Append(out,
           "<h2>Anteile je Gebiet und Band</h2>\n<p class=\"note\">Anteil der gewerteten Listen, "
           "die das Gebiet bestätigen, in Promille (Mixed), je Band (MHz); CW, Fone und RTTY im "
           "Tooltip und im "
           "Ausdruck. Leere Zeilen: von keiner gewerteten Liste bestätigt.</p>\n"
           "<p class=\"scale\">");
    for (int level = 0; level <= 10; ++level) {
        out += "<span class=\"h";
        AppendNumber(out, level);
        out += "\">";
        if (level == 0) {
            out += "0";
        } else {
            AppendNumber(out, level * 100 - 99);
            out += "+";
        }
        out += "</span>";
    }
    Append(out, "</p>\n<table class=\"hm\" id=\"heatmap\">\n<tr><th class=\"t\">Präfix</th><th "
                "class=\"t\">Gebiet</th>");
    for (const int band : kColumnBands) {
        AppendCell(out, "th", ColumnLabel(band));
    }
    Append(out, "</tr>\n");
    for (const EntityRow& row : rows) {
        Append(out, row.Confirming > 0 ? "<tr>" : "<tr class=\"none\">");
        AppendEntityName(out, row);
        for (std::size_t c = 0; c < kResultColumns; ++c) {
            AppendHeatCell(out, row, c);
        }
        Append(out, "</tr>\n");
    }
    Append(out, "</table>\n");
}

void AppendRankedEntities(std::string& out, std::string_view id, std::string_view title,
                          std::span<const EntityRow* const> rows, bool showChange)
{
    Append(out, "<div><h2>");
    Append(out, title);
    Append(out, "</h2>\n<table class=\"r\" id=\"");
    Append(out, id);
    Append(out, "\">\n<tr><th>#</th><th class=\"t\">Präfix</th><th class=\"t\">Gebiet</th>");
    Append(out, showChange ? "<th>Vorjahr \u2030</th><th>jetzt \u2030</th><th>Änderung</th></tr>\n"
                           : "<th>Listen</th><th>\u2030</th></tr>\n");
    int place = 0;
    for (const EntityRow* row : rows) {
        Append(out, "<tr>");
        AppendCell(out, "td", std::to_string(++place));
        AppendEntityName(out, *row);
        if (showChange) {
            const int before = (*row->Previous)[0][0];
            AppendCell(out, "td", std::to_string(before));
            AppendCell(out, "td", std::to_string(row->Shares[0][0]));
            std::string change;
            AppendSigned(change, row->Shares[0][0] - before);
            AppendCell(out, "td", change);
        } else {
            AppendCell(out, "td", std::to_string(row->Confirming));
            AppendCell(out, "td", std::to_string(row->Shares[0][0]));
        }
        Append(out, "</tr>\n");
    }
    Append(out, "</table></div>\n");
}

void AppendMostAndFewest(std::string& out, const std::vector<EntityRow>& rows)
{
    std::vector<const EntityRow*> confirmed;
    for (const EntityRow& row : rows) {
        if (row.Confirming > 0) {
            confirmed.push_back(&row);
        }
    }
    // Ties stay in entity order: the rows come in that order and the sort is stable.
    std::vector<const EntityRow*> most = confirmed;
    std::stable_sort(most.begin(), most.end(), [](const EntityRow* a, const EntityRow* b) {
        return a->Confirming > b->Confirming;
    });
    most.resize(std::min(most.size(), kReportRankedEntities));
    std::vector<const EntityRow*> fewest = confirmed;
    std::stable_sort(fewest.begin(), fewest.end(), [](const EntityRow* a, const EntityRow* b) {
        return a->Confirming < b->Confirming;
    });
    fewest.resize(std::min(fewest.size(), kReportRankedEntities));

    Append(out, "<div class=\"two\">\n");
    AppendRankedEntities(out, "most", "Am häufigsten bestätigt", most, false);
    AppendRankedEntities(out, "fewest", "Am seltensten bestätigt", fewest, false);
    Append(out, "</div>\n<p class=\"note\">");
    AppendNumber(out, static_cast<long long>(rows.size() - confirmed.size()));
    Append(out, " Gebiete bestätigt keine gewertete Liste.</p>\n");
}

void AppendChanges(std::string& out, const std::vector<EntityRow>& rows)
{
    std::vector<const EntityRow*> rose;
    std::vector<const EntityRow*> fell;
    for (const EntityRow& row : rows) {
        if (row.Previous == nullptr) {
            continue;
        }
        const int change = row.Shares[0][0] - (*row.Previous)[0][0];
        if (change > 0) {
            rose.push_back(&row);
        } else if (change < 0) {
            fell.push_back(&row);
        }
    }
    const auto change = [](const EntityRow* row) {
        return row->Shares[0][0] - (*row->Previous)[0][0];
    };
    std::stable_sort(rose.begin(), rose.end(),
                     [&](const EntityRow* a, const EntityRow* b) { return change(a) > change(b); });
    std::stable_sort(fell.begin(), fell.end(),
                     [&](const EntityRow* a, const EntityRow* b) { return change(a) < change(b); });
    rose.resize(std::min(rose.size(), kReportRankedEntities));
    fell.resize(std::min(fell.size(), kReportRankedEntities));
    Append(out, "<div class=\"two\">\n");
    AppendRankedEntities(out, "rose", "Gegenüber dem Vorjahr gestiegen (alle Bänder, Mixed)", rose,
                         true);
    AppendRankedEntities(out, "fell", "Gegenüber dem Vorjahr gefallen (alle Bänder, Mixed)", fell,
                         true);
    Append(out, "</div>\n");
}

void AppendLeague(std::string& out, const ClubReportInput& input)
{
    std::vector<const ParticipantSummary*> league;
    for (const ParticipantSummary& participant : input.Run.Participants) {
        if (participant.CountedAllBands) {
            league.push_back(&participant);
        }
    }
    std::sort(league.begin(), league.end(),
              [](const ParticipantSummary* a, const ParticipantSummary* b) {
                  if (a->AllBands[kModeMixed] != b->AllBands[kModeMixed]) {
                      return a->AllBands[kModeMixed] > b->AllBands[kModeMixed];
                  }
                  if (a->Awards.Slot26 != b->Awards.Slot26) {
                      return a->Awards.Slot26 > b->Awards.Slot26;
                  }
                  return a->CallSign < b->CallSign;
              });
    Append(out, "<h2>Rangliste</h2>\n<p class=\"note\">Listen, die den Schwellwert für alle Bänder "
                "erreichen; Gebiete auf allen Bändern, nach Mixed, dann Slot 26.</p>\n"
                "<table class=\"l\" id=\"league\">\n<tr><th>Platz</th>");
    if (!input.Anonymous) {
        Append(out, "<th class=\"t\">Rufzeichen</th>");
    }
    Append(out, "<th>Mixed</th><th>CW</th><th>Fone</th><th>RTTY</th><th>5-B-Mixed</th>"
                "<th>9-B-Mixed</th><th>10-B-Mixed</th><th>Slot 26</th></tr>\n");
    std::string line;
    int place = 0;
    for (const ParticipantSummary* participant : league) {
        line.clear();
        line += "<tr><td>";
        line += std::to_string(++place);
        line += "</td>";
        if (!input.Anonymous) {
            line += "<td class=\"t\">";
            line += EscapeHtml(participant->CallSign);
            // A first line that names another station is shown, so the club can see it.
            if (participant->StatedCallSign != AsciiUpper(participant->CallSign)) {
                line += " <small class=\"bad\">(Zeile 1: ";
                line += EscapeHtml(participant->StatedCallSign);
                line += ")</small>";
            }
            line += "</td>";
        }
        for (const int mode : kDisplayModeOrder) {
            line += "<td>";
            line += std::to_string(participant->AllBands[static_cast<std::size_t>(mode)]);
            line += "</td>";
        }
        for (const long long value : {static_cast<long long>(participant->Awards.FiveBandMixed),
                                      static_cast<long long>(participant->Awards.NineBandMixed),
                                      static_cast<long long>(participant->Awards.TenBandMixed),
                                      static_cast<long long>(participant->Awards.Slot26)}) {
            line += "<td>";
            line += std::to_string(value);
            line += "</td>";
        }
        line += "</tr>\n";
        out += line;
    }
    Append(out, "</table>\n");
}

}  // namespace

std::string EscapeHtml(std::string_view text)
{
    std::string buffer;
    const std::string_view valid = AsValidUtf8(text, buffer);
    std::string out;
    out.reserve(valid.size());
    for (const char c : valid) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            // Control characters have no place in a page; a crafted name could carry them.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
                out += "\u2400";
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string FormatClubReport(const ClubReportInput& input)
{
    const PreviousResultLoad* previous = input.Previous;
    const PreviousResult* previousTable =
        previous != nullptr && previous->Ok() ? &previous->Get() : nullptr;
    const std::vector<EntityRow> rows = EntityRows(input, previousTable);

    std::string out;
    out.reserve(200000 + input.Run.Participants.size() * 160);
    Append(out, "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                "<meta name=\"viewport\" content=\"width=device-width, "
                "initial-scale=1\"/>\n<title>DXCC-Umfrage ");
    Append(out, EscapeHtml(input.FolderName));
    Append(out, "</title>\n<style>");
    Append(out, kStyle);
    Append(out, "</style>\n</head>\n<body>\n");
    AppendHead(out, input, previous);
    AppendHeatMap(out, rows);
    AppendMostAndFewest(out, rows);
    if (previousTable != nullptr) {
        AppendChanges(out, rows);
    }
    AppendLeague(out, input);
    Append(out, "</body>\n</html>\n");
    return out;
}

}  // namespace wendrix
