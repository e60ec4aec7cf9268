// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportNews.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "catalogue/EntityCatalogue.h"
#include "common/Text.h"

namespace wendrix {

namespace {

constexpr std::array<int, 3> kModeClasses{kModeCw, kModeFone, kModeRtty};

bool AnyTicked(const ConfirmationMatrix::CellRow& row, int band)
{
    for (const std::uint8_t cell : row[static_cast<std::size_t>(band)]) {
        if (cell != 0) {
            return true;
        }
    }
    return false;
}

bool AnyTicked(const ConfirmationMatrix::CellRow& row)
{
    for (int band = 0; band < kBandCount; ++band) {
        if (AnyTicked(row, band)) {
            return true;
        }
    }
    return false;
}

// Whether a cell of the mode class on a band the list keeps is among the ticked ones.
bool TickedOnAListBand(const ConfirmationMatrix::RowMarks& ticked, int mode)
{
    for (int band = 0; band < kListBandCount; ++band) {
        if (ticked.test(static_cast<std::size_t>(band * kModeCount + mode))) {
            return true;
        }
    }
    return false;
}

void Add(std::vector<EntityNews>& group, int entity, NewCell cell)
{
    if (group.empty() || group.back().Entity != entity) {
        group.push_back(EntityNews{entity, {}});
    }
    group.back().Cells.push_back(cell);
}

// "14 MHz", "1.8 MHz"; contacts on 2 m and up or outside the band plan count in "alle Bänder".
std::string BandName(int band)
{
    if (band == kAllBands) {
        return "alle Bänder";
    }
    return std::string(Trim(kBandLabels[static_cast<std::size_t>(band)])) + " MHz";
}

std::string ModeName(int mode)
{
    switch (mode) {
    case kModeCw:
        return "CW";
    case kModeFone:
        return "Fone";
    default:
        return "RTTY";
    }
}

void AddGroup(std::vector<std::string>& lines, std::string_view heading, int count,
              const std::vector<EntityNews>& group, const EntityCatalogue& catalogue)
{
    lines.push_back(std::string(heading) + ": " + std::to_string(count));
    for (const EntityNews& news : group) {
        const EntityRecord& record = catalogue.Entity(static_cast<std::uint16_t>(news.Entity));
        std::string line = "Neu: " + std::string(Trim(record.MainPrefix)) + " " +
                           std::string(Trim(record.Name)) + " \u2014 ";
        for (std::size_t i = 0; i < news.Cells.size(); ++i) {
            line += (i == 0 ? "" : ", ") + BandName(news.Cells[i].Band) + " " +
                    ModeName(news.Cells[i].Mode);
        }
        lines.push_back(std::move(line));
    }
}

}  // namespace

int ImportNews::BandCount() const
{
    int count = 0;
    for (const EntityNews& news : NewBands) {
        for (std::size_t i = 0; i < news.Cells.size(); ++i) {
            count += i == 0 || news.Cells[i].Band != news.Cells[i - 1].Band ? 1 : 0;
        }
    }
    return count;
}

int ImportNews::SlotCount() const
{
    int count = 0;
    for (const EntityNews& news : NewSlots) {
        count += static_cast<int>(news.Cells.size());
    }
    return count;
}

ImportNews CompareForNews(const ConfirmationMatrix& before, const ConfirmationMatrix& after)
{
    ImportNews news;
    for (int entity = 1; entity <= ConfirmationMatrix::kMaxEntities; ++entity) {
        const ConfirmationMatrix::CellRow& was = before.Row(entity);
        const ConfirmationMatrix::CellRow& now = after.Row(entity);
        if (was == now) {
            continue;
        }
        auto& ticked = news.Ticked[static_cast<std::size_t>(entity)];
        for (std::size_t band = 0; band < kBandCount; ++band) {
            for (std::size_t mode = 0; mode < kModeCount; ++mode) {
                if (was[band][mode] == 0 && now[band][mode] != 0) {
                    ticked.set(band * kModeCount + mode);
                }
            }
        }
        // The news speak of what the list keeps: its ten bands and the all-bands column. Cells
        // of 2 m and up are not written to the list and come back clear when it is read, so a
        // log imported again after a restart would report them as new every time; they show
        // in the all-bands column when they add to it.
        const bool knownEntity = AnyTicked(was);
        for (int band = 0; band <= kAllBands; ++band) {
            if (band >= kListBandCount && band != kAllBands) {
                continue;
            }
            const bool knownBand = AnyTicked(was, band);
            for (const int mode : kModeClasses) {
                if (!ticked.test(static_cast<std::size_t>(band * kModeCount + mode))) {
                    continue;
                }
                if (band == kAllBands && TickedOnAListBand(ticked, mode)) {
                    continue;  // follows from a band's cell, which says more
                }
                auto& group = !knownEntity ? news.NewEntities
                              : !knownBand ? news.NewBands
                                           : news.NewSlots;
                Add(group, entity, NewCell{band, mode});
            }
        }
    }
    return news;
}

std::vector<std::string> NewsReportLines(const ImportNews& news, const EntityCatalogue& catalogue)
{
    if (news.Empty()) {
        return {"Neu: nichts \u2014 jede bestätigte Verbindung stand schon in der Liste."};
    }
    std::vector<std::string> lines;
    AddGroup(lines, "Neue Gebiete", news.EntityCount(), news.NewEntities, catalogue);
    AddGroup(lines, "Neue Bänder bekannter Gebiete", news.BandCount(), news.NewBands, catalogue);
    AddGroup(lines, "Neue Betriebsarten auf bekannten Bändern", news.SlotCount(), news.NewSlots,
             catalogue);
    return lines;
}

std::string NewsSummaryLine(const ImportNews& news)
{
    if (news.Empty()) {
        return "Nichts Neues in der Liste.";
    }
    const auto counted = [](int count, std::string_view one, std::string_view many) {
        return std::to_string(count) + " " + std::string(count == 1 ? one : many);
    };
    return "Neu: " + counted(news.EntityCount(), "Gebiet", "Gebiete") + ", " +
           counted(news.BandCount(), "Band", "Bänder") + ", " +
           counted(news.SlotCount(), "Betriebsart", "Betriebsarten");
}

}  // namespace wendrix
