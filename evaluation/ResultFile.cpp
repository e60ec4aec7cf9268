// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/ResultFile.h"

#include <string_view>

#include "common/SafeFile.h"
#include "common/Text.h"
#include "matrix/Bands.h"

namespace wendrix {

namespace {

void AppendLine(std::string& text, std::string_view line)
{
    text += line;
    text += kLineEnd;
}

[[nodiscard]] std::string Padded3(std::uint16_t value)
{
    return PadLeftSpaces(std::to_string(value), 3);
}

}  // namespace

std::string ResultParticipantsLine(const Evaluation& evaluation)
{
    std::string line = "Teiln." + std::string(4, ' ');
    line += Padded3(evaluation.ParticipantCounts(kAllBands, kModeMixed));
    for (const int mode : {kModeCw, kModeFone, kModeRtty}) {
        line += "  ";
        line += Padded3(evaluation.ParticipantCounts(kAllBands, mode));
    }
    line += "  ";
    for (int b = 0; b < kListBandCount; ++b) {
        line += ' ';
        line += Padded3(evaluation.ParticipantCounts(b, kModeMixed));
        for (const int mode : {kModeCw, kModeFone, kModeRtty}) {
            line += "  ";
            line += Padded3(evaluation.ParticipantCounts(b, mode));
        }
        line += "  ";
    }
    return line;
}

std::string FormatResultFile(const EntityCatalogue& catalogue, const Evaluation& evaluation)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(catalogue.EntityCount() + 5) *
                 (kResultParticipantsLength + 2));
    std::string header = "Entity   ALL";
    for (int b = 0; b < kListBandCount; ++b) {
        header += std::string(13, ' ');
        header += PadLeftSpaces(Trim(kBandLabels[static_cast<std::size_t>(b)]), 8);
    }
    AppendLine(text, header);
    AppendLine(text, std::string(kResultSeparatorLength, '-'));

    const auto count = catalogue.EntityCount();
    for (std::uint16_t e = 1; e <= count; ++e) {
        const std::string& prefix = catalogue.Entity(e).MainPrefix;
        if (e > 1 && prefix == catalogue.Entity(static_cast<std::uint16_t>(e - 1)).MainPrefix) {
            continue;
        }
        std::string line = PadRightFixed(prefix, 9);
        const auto group = [&](int band) {
            line += evaluation.PerMilleText(e, band, kModeMixed);
            for (const int mode : {kModeCw, kModeFone, kModeRtty}) {
                line += ' ';
                line += evaluation.PerMilleText(e, band, mode);
            }
            line += ' ';
        };
        group(kAllBands);
        for (int b = 0; b < kListBandCount; ++b) {
            group(b);
        }
        AppendLine(text, line);
    }
    AppendLine(text, std::string(kResultSeparatorLength, '-'));
    AppendLine(text, ResultParticipantsLine(evaluation));
    return text;
}

FileWriteResult SaveResultFile(const std::filesystem::path& directory,
                               const EntityCatalogue& catalogue, const Evaluation& evaluation)
{
    std::filesystem::path file = directory / std::string(kResultFileName);
    if (!WriteFileSafely(file, FormatResultFile(catalogue, evaluation))) {
        return WriteFailed(file);
    }
    return file;
}

}  // namespace wendrix
