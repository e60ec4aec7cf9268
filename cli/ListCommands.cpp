// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-cli show: reads a survey list file as the program does at start-up and prints what
// the main window would show: the problems found, the column sums and the award counts.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "Commands.h"
#include "common/Text.h"
#include "lists/LoadList.h"
#include "matrix/AwardCounts.h"
#include "matrix/ConfirmationMatrix.h"
#include "common/Utf8Path.h"

namespace wendrix::cli {

namespace {

void PrintColumnSums(const ConfirmationMatrix& matrix, std::ostream& out)
{
    out << "Column    Mixed    CW  Fone  RTTY\n";
    const auto row = [&](int band) {
        const std::string label =
            band == kAllBands ? std::string("Total")
                              : std::string(Trim(kBandLabels[static_cast<std::size_t>(band)]));
        out << PadRightFixed(label, 8);
        for (const int mode : kDisplayModeOrder) {
            // The 30 m Fone cell never counts; the window leaves it blank, and so do we.
            const std::string figure =
                IsUsableCell(band, mode)
                    ? std::to_string(matrix.ColumnSum(BandIndex{band}, ModeIndex{mode}))
                    : "";
            out << PadLeftSpaces(figure, mode == kModeMixed ? 7 : 6);
        }
        out << '\n';
    };
    row(kAllBands);
    for (int b = 0; b < kListBandCount; ++b) {
        row(b);
    }
}

void Show(const EntityCatalogue& catalogue, const std::string& file)
{
    const std::filesystem::path path = PathFromUtf8(file);
    auto matrix = std::make_unique<ConfirmationMatrix>();
    const ListLoadResult result =
        LoadList(path.parent_path().empty() ? "." : path.parent_path(), PathToUtf8(path.filename()),
                 ListReadMode::Normal, catalogue, *matrix);
    std::cout << "Call sign: " << result.CallSign << '\n';
    if (!result.ReportLines.empty()) {
        std::cout << ListReportCaption(PathToUtf8(path.filename())) << ":\n";
        for (const std::string& line : result.ReportLines) {
            std::cout << "  " << line << '\n';
        }
    }
    std::cout << "Entities found: " << result.FoundCount << " of " << catalogue.EntityCount()
              << "\n\n";
    PrintColumnSums(*matrix, std::cout);

    const AwardCounts awards = ComputeAwardCounts(matrix->ColumnSums());
    std::cout << "\n5-B-Mixed   " << awards.FiveBandMixed << '\n'
              << "9-B-Mixed   " << awards.NineBandMixed << '\n'
              << "10-B-Mixed  " << awards.TenBandMixed << '\n'
              << "Slot 26     " << awards.Slot26 << '\n';
    if (!result.Reading) {
        std::cerr << result.Reading.Message() << '\n';
        throw CLI::RuntimeError(2);
    }
}

}  // namespace

void RegisterListCommands(CLI::App& app, const EntityCatalogue& catalogue)
{
    auto file = std::make_shared<std::string>();
    CLI::App* show = app.add_subcommand(
        "show", "Read a survey list file (CALL.CFD) and print its problems, column sums and "
                "award counts");
    show->add_option("file", *file, "The list file, with its directory")->required();
    show->callback([&catalogue, file]() { Show(catalogue, *file); });
}

}  // namespace wendrix::cli
